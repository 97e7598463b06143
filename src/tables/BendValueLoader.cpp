#include "tables/BendValueLoader.h"

#include "platform/FileRead.h"
#include "platform/TextLines.h"
#include "tables/ValueFileSyntax.h"

#include <array>
#include <new>
#include <optional>
#include <string_view>
#include <utility>

namespace psm {
namespace {

// Applies a "ScaleFactor" setting; true when it holds a number, which then
// overrides the factor of the unit line. Anything else counts as no setting.
bool ApplyScaleFactorSetting(const LoaderContext& context, TableModel& model) {
    const std::string setting = ReadSetting(context.Settings, context.SettingsAppName,
                                            context.SettingsSection, "ScaleFactor");
    if (setting.empty()) {
        return false;
    }
    // With a point or a comma, as the values of the file.
    const std::optional<double> factor = ValueNumber(setting);
    if (!factor) {
        return false;
    }
    model.ScaleFactor = *factor;
    return true;
}

void BeginLoad(const LoaderContext& context, TableModel& model, bool& scaleFactorSet) {
    scaleFactorSet = ApplyScaleFactorSetting(context, model);
    model.TableList.clear();
    model.TypeList.clear();
    model.TableCount = 0;
    model.TypeCount = 0;
}

class ValueFileParser {
  public:
    ValueFileParser(TableModel& model, bool scaleFactorSet, ValueFileLoad& load)
        : m_model(model), m_scaleFactorSet(scaleFactorSet), m_load(load) {}

    void Line(std::string_view line) {
        const ValueFileLine classified = ClassifyLine(line, m_tableOpen);
        switch (classified.Kind) {
        case LineKind::Unit:
            Unit(classified.Text);
            return;
        case LineKind::Begin:
            Begin(classified.Text);
            return;
        case LineKind::End:
            m_tableOpen = false;
            return;
        case LineKind::Row:
            Row(classified.Text);
            return;
        case LineKind::Ignored:
            return;
        }
    }

  private:
    void Unit(std::string_view unit) {
        if (const std::optional<ValueFileUnit> known = UnitOf(unit)) {
            m_model.UnitSuffix = known->Suffix;
            if (!m_scaleFactorSet) {
                m_model.ScaleFactor = known->ScaleFactor;
            }
        } else {
            ++m_load.UnknownUnits;
        }
    }

    void Begin(std::string_view name) {
        m_tableOpen = true;
        ++m_model.TableCount;
        m_model.TableList.push_back(TableEntry{m_model.TypeCount + 1, std::string(name)});
    }

    void Row(std::string_view line) {
        ++m_model.TypeCount;
        TypeRow& row = m_model.TypeList.emplace_back();
        const std::array<std::string_view, RowFieldCount> fields = RowFields(line);
        row.Name = fields[0];
        for (const SheetValue value : SheetValues) {
            row.Values[IndexOf(value)] = ValueNumber(fields[IndexOf(value) + 1]);
        }
    }

    TableModel& m_model;
    const bool m_scaleFactorSet;
    ValueFileLoad& m_load;
    bool m_tableOpen = false;
};

// Fills the model, whose setting is applied and lists are emptied, from the decoded text.
void LoadText(std::string_view text, TableModel& model, bool scaleFactorSet, ValueFileLoad& load) {
    load.Read = true;
    ValueFileParser parser(model, scaleFactorSet, load);
    TextLines lines(text);
    std::string_view line;
    while (lines.Next(line)) {
        parser.Line(line);
    }
}

} // namespace

std::optional<std::string> ReadValueFileText(const std::string& path,
                                             const AnsiDecoder& decodeAnsi) {
    try {
        std::optional<std::string> bytes = ReadFileBytes(path, MaxValueFileBytes);
        if (!bytes) {
            return std::nullopt;
        }
        return DecodeText(std::move(*bytes), decodeAnsi);
    } catch (const std::bad_alloc&) {
        // Like a file that cannot be read: the program goes on without one.
        return std::nullopt;
    }
}

ValueFileLoad LoadBendValuesFromBytes(std::string bytes, const LoaderContext& context,
                                      TableModel& model) {
    bool scaleFactorSet = false;
    BeginLoad(context, model, scaleFactorSet);
    const std::string text = DecodeText(std::move(bytes), context.DecodeAnsi);
    ValueFileLoad load;
    LoadText(text, model, scaleFactorSet, load);
    return load;
}

ValueFileLoad LoadBendValues(const std::string& path, const LoaderContext& context,
                             TableModel& model) {
    // A load that runs out of memory half way leaves the unit as it was before.
    const std::string unitSuffix = model.UnitSuffix;
    const double scaleFactor = model.ScaleFactor;
    try {
        const std::optional<std::string> text = ReadValueFileText(path, context.DecodeAnsi);
        if (text) {
            bool scaleFactorSet = false;
            BeginLoad(context, model, scaleFactorSet);
            ValueFileLoad load;
            LoadText(*text, model, scaleFactorSet, load);
            return load;
        }
    } catch (const std::bad_alloc&) {
        model.UnitSuffix = unitSuffix;
        model.ScaleFactor = scaleFactor;
    }
    bool scaleFactorSet = false;
    BeginLoad(context, model, scaleFactorSet);
    return ValueFileLoad{};
}

} // namespace psm
