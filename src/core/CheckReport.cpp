#include "core/CheckReport.h"

#include <algorithm>
#include <array>

namespace psm {
namespace {

using Kind = CheckFinding::Kind;

SheetValue SheetValueOf(int findingValue) {
    const int count = static_cast<int>(SheetValues.size());
    return SheetValues[static_cast<size_t>(std::clamp(findingValue, 1, count) - 1)];
}

CheckText ValueName(SheetValue value) {
    static constexpr std::array<CheckText, SheetValues.size()> names{
        CheckText::Thickness, CheckText::BendRadius, CheckText::NeutralFactor,
        CheckText::ReliefLength, CheckText::ReliefWidth};
    return names[IndexOf(value)];
}

} // namespace

std::string DescribeFinding(const CheckFinding& finding, const LanguageTexts& texts) {
    const auto text = [&](CheckText id, std::initializer_list<std::string_view> args = {}) {
        return FormatText(texts.Check(id), args);
    };
    const auto valueName = [&]() { return texts.Check(ValueName(SheetValueOf(finding.Value))); };
    const std::string number = std::to_string(finding.Number);
    std::string line =
        finding.Line > 0 ? text(CheckText::Line, {std::to_string(finding.Line)}) : "";
    switch (finding.What) {
    case Kind::NoUnit:
        return line + text(CheckText::NoUnit);
    case Kind::UnknownUnit:
        return line + text(CheckText::UnknownUnit, {finding.Text});
    case Kind::FieldCount:
        return line + text(CheckText::FieldCount, {number});
    case Kind::NotANumber:
        return line + text(CheckText::NotANumber, {valueName(), finding.Text});
    case Kind::NeutralFactorRange:
        return line + text(CheckText::NeutralFactorRange, {finding.Text});
    case Kind::NotPositive:
        return line + text(CheckText::NotPositive, {valueName(), finding.Text});
    case Kind::Negative:
        return line + text(CheckText::Negative, {valueName(), finding.Text});
    case Kind::SameValues:
        return line + text(CheckText::SameValues, {number});
    case Kind::SameName:
        return line + text(CheckText::SameName, {finding.Text, number});
    case Kind::EmptyTable:
        return line + text(CheckText::EmptyTable, {finding.Text});
    case Kind::NoEnd:
        return line + text(CheckText::NoEnd, {finding.Text});
    case Kind::OutsideTable:
        return line + text(CheckText::OutsideTable);
    case Kind::NoTable:
        return line + text(CheckText::NoTable);
    }
    return line;
}

std::string CheckReport(const std::string& fileName, const std::vector<CheckFinding>& findings,
                        const LanguageTexts& texts, size_t maxLines) {
    if (findings.empty()) {
        return FormatText(texts.Check(CheckText::Clean), {fileName}) + "\r\n";
    }
    std::string report =
        FormatText(texts.Check(CheckText::Problems), {fileName, std::to_string(findings.size())}) +
        "\r\n";
    const size_t shown = std::min(findings.size(), maxLines);
    for (size_t i = 0; i < shown; ++i) {
        report += DescribeFinding(findings[i], texts) + "\r\n";
    }
    if (shown < findings.size()) {
        report +=
            FormatText(texts.Check(CheckText::More), {std::to_string(findings.size() - shown)}) +
            "\r\n";
    }
    return report;
}

std::string CheckReport(const std::string& fileName, const CheckedValueFile& checked,
                        const LanguageTexts& texts, size_t maxLines) {
    if (checked.Outcome == CheckOutcome::Unreadable) {
        return FormatText(texts.Check(CheckText::Unreadable), {fileName}) + "\r\n";
    }
    return CheckReport(fileName, checked.Findings, texts, maxLines);
}

} // namespace psm
