#pragma once

// The survey as a table: its column titles and a row of cells per part, in
// the user's language and number format. The window shows it, the clipboard
// and the command line get it as tab-separated text.

#include "core/States.h"
#include "core/Survey.h"
#include "core/SurveyView.h"

#include <cstddef>
#include <string>
#include <vector>

namespace psm {

enum class SurveyColumn {
    File,
    Count,
    Assemblies,
    SheetMetal,
    Table,
    Type,
    Nearest,
    Differing,
    Thickness,
    BendRadius,
    NeutralFactor,
    ReliefLength,
    ReliefWidth,
    Features,
    Columns
};
inline constexpr int SurveyColumnCount = static_cast<int>(SurveyColumn::Columns);

// What the table needs beyond the survey.
struct SurveyWording {
    const LanguageTexts& Texts;
    const TableModel& Tables;
    char DecimalSeparator = '.';
};

struct SurveyTable {
    std::vector<std::string> Header;
    std::vector<std::vector<std::string>> Rows;
    std::vector<std::size_t> Parts; // the survey's part of each row
};

// The parts in the order the survey's sort column asks for (stable: equal
// cells keep the components' order); numbers sort as numbers.
SurveyTable SurveyTableOf(const SurveyState& survey, const SurveyWording& wording);

// Tab-separated, the header first, every line ending with CR LF: pasted into
// a spreadsheet it fills a cell each.
std::string SurveyReport(const SurveyTable& table);

// The survey window's view model.
SurveyViewModel PresentSurvey(const SurveyState& survey, const ProgramContext& program,
                              const ListsState& lists);

} // namespace psm
