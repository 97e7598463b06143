#include "tables/ValueFileSyntax.h"

#include "platform/NumberText.h"

namespace psm {
namespace {

constexpr std::string_view UnitKeyword = "Unit:";
constexpr std::string_view BeginKeyword = "Begin:";
constexpr std::string_view EndKeyword = "End:";

} // namespace

std::string_view TrimBlanks(std::string_view text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) {
        return {};
    }
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

ValueFileLine ClassifyLine(std::string_view line, bool tableOpen) {
    if (line.starts_with(UnitKeyword)) {
        return {LineKind::Unit, TrimBlanks(line.substr(UnitKeyword.size()))};
    }
    if (line.starts_with(BeginKeyword)) {
        const std::string_view rest = line.substr(BeginKeyword.size());
        return {LineKind::Begin, TrimBlanks(rest.substr(0, rest.find(';')))};
    }
    if (line.starts_with(EndKeyword)) {
        return {LineKind::End, {}};
    }
    return {tableOpen ? LineKind::Row : LineKind::Ignored, line};
}

std::optional<ValueFileUnit> UnitOf(std::string_view unit) {
    if (unit == "mm") {
        return ValueFileUnit{" mm", 1000};
    }
    if (unit == "in") {
        return ValueFileUnit{"in", 1000 / 25.4};
    }
    return std::nullopt;
}

std::array<std::string_view, RowFieldCount> RowFields(std::string_view row) {
    std::array<std::string_view, RowFieldCount> fields;
    for (std::string_view& field : fields) {
        const size_t end = row.find(';');
        field = TrimBlanks(row.substr(0, end));
        if (end == std::string_view::npos) {
            break;
        }
        row.remove_prefix(end + 1);
    }
    return fields;
}

int FieldCount(std::string_view row) {
    int count = 1;
    for (const char c : row) {
        count += c == ';' ? 1 : 0;
    }
    return count;
}

std::optional<double> ValueNumber(std::string_view text) {
    std::string pointed(text);
    for (char& c : pointed) {
        c = c == ',' ? '.' : c;
    }
    return TextToNumber(pointed, '.');
}

} // namespace psm
