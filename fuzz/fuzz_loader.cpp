// The value file loader on arbitrary bytes. The first byte chooses whether
// the line after it is a "ScaleFactor" setting; the rest is the file. Every
// load must end with a consistent model.
#include "platform/TextDecoding.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

bool Trimmed(const std::string& text) {
    return text.empty() || (text.front() != ' ' && text.back() != ' ');
}

void CheckModel(const psm::TableModel& model, size_t lineCount) {
    Require(model.TableCount >= 0 && model.TypeCount >= 0);
    Require(model.TableList.size() == static_cast<size_t>(model.TableCount));
    Require(model.TypeList.size() == static_cast<size_t>(model.TypeCount));
    Require(static_cast<size_t>(model.TableCount) + static_cast<size_t>(model.TypeCount) <=
            lineCount);
    int previous = 1;
    for (int k = 1; k <= model.TableCount; ++k) {
        const int first = model.TableFirstRow(k);
        Require(first >= previous && first <= model.TypeCount + 1);
        Require(model.TableLastRow(k) >= first - 1 && model.TableLastRow(k) <= model.TypeCount);
        Require(Trimmed(model.Table(k).Name) && psm::IsValidUtf8(model.Table(k).Name));
        Require(model.Table(k).Name.find(';') == std::string::npos);
        previous = first;
    }
    for (const psm::TypeRow& row : model.TypeList) {
        Require(Trimmed(row.Name) && psm::IsValidUtf8(row.Name));
        Require(row.Name.find_first_of("\r\n;") == std::string::npos);
        for (const std::optional<double>& value : row.Values) {
            Require(!value || std::isfinite(*value));
        }
    }
    Require(model.UnitSuffix.empty() || model.UnitSuffix == " mm" || model.UnitSuffix == "in");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const uint8_t options = data[0];
    std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);

    psm::MemorySettingsStore settings;
    const std::string app = "ORNA\\psm";
    const std::string section = "general";
    if ((options & 4) != 0) {
        const size_t end = rest.find('\n');
        settings.Write(app, section, "ScaleFactor", std::string(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    const psm::LoaderContext context{settings, app, section, {}};

    psm::TableModel model;
    const psm::ValueFileLoad load = psm::LoadBendValuesFromBytes(std::string(rest), context, model);

    size_t lineCount = 1;
    for (const char c : rest) {
        lineCount += (c == '\n' || c == '\r') ? 1 : 0;
    }
    CheckModel(model, lineCount);
    Require(load.Read && static_cast<size_t>(load.UnknownUnits) <= lineCount);
    return 0;
}
