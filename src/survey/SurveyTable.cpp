#include "survey/SurveyTable.h"

#include "core/DocumentValues.h"
#include "core/FeatureTexts.h"
#include "platform/NumberText.h"
#include "tables/CadUnits.h"

#include <algorithm>
#include <array>
#include <optional>

namespace psm {
namespace {

enum class SortKind { Text, Number };

// A column of the table: its title, how it sorts, and the sheet value it
// shows, if any.
struct ColumnSpec {
    SurveyColumn Id;
    SurveyText Title;
    SortKind Sort;
    std::optional<SheetValue> Value;
};

constexpr std::array<ColumnSpec, SurveyColumnCount> Columns{{
    {SurveyColumn::File, SurveyText::File, SortKind::Text, {}},
    {SurveyColumn::Count, SurveyText::Components, SortKind::Number, {}},
    {SurveyColumn::Assemblies, SurveyText::Assemblies, SortKind::Text, {}},
    {SurveyColumn::SheetMetal, SurveyText::SheetMetal, SortKind::Text, {}},
    {SurveyColumn::Table, SurveyText::Table, SortKind::Text, {}},
    {SurveyColumn::Type, SurveyText::Type, SortKind::Text, {}},
    {SurveyColumn::Nearest, SurveyText::Nearest, SortKind::Text, {}},
    {SurveyColumn::Differing, SurveyText::Differing, SortKind::Number, {}},
    {SurveyColumn::Thickness, SurveyText::Thickness, SortKind::Number, SheetValue::Thickness},
    {SurveyColumn::BendRadius, SurveyText::BendRadius, SortKind::Number, SheetValue::BendRadius},
    {SurveyColumn::NeutralFactor, SurveyText::NeutralFactor, SortKind::Number,
     SheetValue::NeutralFactor},
    {SurveyColumn::ReliefLength, SurveyText::ReliefLength, SortKind::Number,
     SheetValue::ReliefLength},
    {SurveyColumn::ReliefWidth, SurveyText::ReliefWidth, SortKind::Number, SheetValue::ReliefWidth},
    {SurveyColumn::Features, SurveyText::Features, SortKind::Text, {}},
}};

constexpr bool InOrder() {
    for (std::size_t i = 0; i < Columns.size(); ++i) {
        if (static_cast<std::size_t>(Columns[i].Id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InOrder(), "the table holds each column at its own place");

const ColumnSpec& SpecOf(int column) {
    return Columns[static_cast<std::size_t>(column)];
}

std::vector<std::string> Header(const SurveyWording& wording) {
    std::vector<std::string> header;
    for (const ColumnSpec& column : Columns) {
        std::string title = wording.Texts.Survey(column.Title);
        const std::string& unit = wording.Tables.UnitSuffix;
        if (column.Value && IsLength(*column.Value) && !unit.empty()) {
            const std::size_t start = unit.find_first_not_of(' ');
            title += " (" + unit.substr(start == std::string::npos ? 0 : start) + ")";
        }
        header.push_back(std::move(title));
    }
    return header;
}

SurveyText KindWord(PartKind kind) {
    switch (kind) {
    case PartKind::Unread:
        return SurveyText::Unread;
    case PartKind::SheetMetal:
        return SurveyText::Yes;
    case PartKind::Other:
        return SurveyText::No;
    case PartKind::LinkBlocked:
        return SurveyText::LinkBlocked;
    case PartKind::LinkMissing:
        return SurveyText::LinkMissing;
    case PartKind::NoPart:
        return SurveyText::NoPart;
    case PartKind::TypeUnread:
        return SurveyText::Unread;
    case PartKind::Unreachable:
        return SurveyText::PartUnreachable;
    case PartKind::Assembly:
        return SurveyText::Assembly;
    }
    return SurveyText::Unread;
}

std::string FeaturesCell(const SurveyPart& part, const LanguageTexts& texts) {
    std::string cell = FeatureCell(part.Findings, texts);
    if (part.CopiedPart) {
        cell += (cell.empty() ? "" : "; ") + texts.Survey(SurveyText::CopiedPart);
    }
    return cell.empty() ? texts.Survey(SurveyText::FeaturesHealthy) : cell;
}

// The assemblies that use the part directly: so many named, the rest counted.
constexpr std::size_t NamedAssemblies = 3;

std::string AssembliesCell(const SurveyPart& part, const LanguageTexts& texts) {
    std::string cell;
    for (std::size_t i = 0; i < part.UsedBy.size() && i < NamedAssemblies; ++i) {
        cell += (i == 0 ? "" : ", ") + part.UsedBy[i].Name;
    }
    if (part.UsedBy.size() > NamedAssemblies) {
        cell += " " + FormatText(texts.Survey(SurveyText::MoreAssemblies),
                                 {std::to_string(part.UsedBy.size() - NamedAssemblies)});
    }
    return cell;
}

// What keeps a sub-assembly's parts from the survey, if anything.
std::string AssemblyNote(const SurveyPart& part, const LanguageTexts& texts) {
    std::vector<std::string> notes;
    if (part.InsideItself) {
        notes.push_back(texts.Survey(SurveyText::InsideItself));
    }
    if (part.TooDeep) {
        notes.push_back(
            FormatText(texts.Survey(SurveyText::TooDeep), {std::to_string(cad::MaxTreeLevel)}));
    }
    if (part.ComponentsUnread) {
        notes.push_back(texts.Survey(SurveyText::ComponentsUnread));
    }
    std::string cell;
    for (const std::string& note : notes) {
        cell += (cell.empty() ? "" : "; ") + note;
    }
    return cell;
}

std::vector<std::string> Cells(const SurveyPart& part, const SurveyWording& wording) {
    const LanguageTexts& texts = wording.Texts;
    const TableModel& tables = wording.Tables;
    std::vector<std::string> cells(SurveyColumnCount);
    const auto cell = [&](SurveyColumn column) -> std::string& {
        return cells[static_cast<std::size_t>(column)];
    };
    cell(SurveyColumn::File) = part.Name;
    cell(SurveyColumn::Count) = std::to_string(part.Components);
    cell(SurveyColumn::Assemblies) = AssembliesCell(part, texts);
    cell(SurveyColumn::SheetMetal) = texts.Survey(KindWord(part.Kind));
    if (part.Kind == PartKind::Assembly) {
        cell(SurveyColumn::Features) = AssemblyNote(part, texts);
    }
    if (part.Kind != PartKind::SheetMetal) {
        return cells;
    }
    if (part.TypeRow != 0) {
        cell(SurveyColumn::Table) = tables.Table(TableOfRow(tables, part.TypeRow)).Name;
        cell(SurveyColumn::Type) = tables.Type(part.TypeRow).Name;
    } else {
        cell(SurveyColumn::Table) = cell(SurveyColumn::Type) = texts.Survey(SurveyText::NoType);
        if (part.Nearest.Row != 0) {
            cell(SurveyColumn::Nearest) = tables.Type(part.Nearest.Row).Name;
            cell(SurveyColumn::Differing) = std::to_string(part.Nearest.Differing);
        }
    }
    const FiveValues values = TableValuesOf(part.Values, tables.ScaleFactor);
    for (const ColumnSpec& column : Columns) {
        if (column.Value) {
            const std::optional<double>& value = values[IndexOf(*column.Value)];
            cell(column.Id) =
                value ? NumberToText(*value, wording.DecimalSeparator) : std::string();
        }
    }
    cell(SurveyColumn::Features) = FeaturesCell(part, texts);
    return cells;
}

// The number a cell of a number column sorts by; none sorts first.
std::optional<double> SortNumber(const SurveyPart& part, int column, const TableModel& tables) {
    if (column == static_cast<int>(SurveyColumn::Count)) {
        return static_cast<double>(part.Components);
    }
    if (part.Kind != PartKind::SheetMetal) {
        return std::nullopt;
    }
    if (column == static_cast<int>(SurveyColumn::Differing)) {
        return part.TypeRow == 0 && part.Nearest.Row != 0
                   ? std::optional<double>(part.Nearest.Differing)
                   : std::nullopt;
    }
    const std::optional<SheetValue> value = SpecOf(column).Value;
    return value ? TableValuesOf(part.Values, tables.ScaleFactor)[IndexOf(*value)] : std::nullopt;
}

bool Before(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [](unsigned char x, unsigned char y) { return std::tolower(x) < std::tolower(y); });
}

} // namespace

SurveyTable SurveyTableOf(const SurveyState& survey, const SurveyWording& wording) {
    SurveyTable table;
    table.Header = Header(wording);
    for (std::size_t i = 0; i < survey.Parts.size(); ++i) {
        table.Parts.push_back(i);
    }
    if (survey.SortColumn && *survey.SortColumn >= 0 && *survey.SortColumn < SurveyColumnCount) {
        const int column = *survey.SortColumn;
        std::vector<std::vector<std::string>> cells;
        for (const SurveyPart& part : survey.Parts) {
            cells.push_back(Cells(part, wording));
        }
        const auto less = [&](std::size_t a, std::size_t b) {
            if (SpecOf(column).Sort == SortKind::Number) {
                return SortNumber(survey.Parts[a], column, wording.Tables) <
                       SortNumber(survey.Parts[b], column, wording.Tables);
            }
            return Before(cells[a][static_cast<std::size_t>(column)],
                          cells[b][static_cast<std::size_t>(column)]);
        };
        std::stable_sort(table.Parts.begin(), table.Parts.end(), [&](std::size_t a, std::size_t b) {
            return survey.Descending ? less(b, a) : less(a, b);
        });
    }
    for (const std::size_t part : table.Parts) {
        table.Rows.push_back(Cells(survey.Parts[part], wording));
    }
    return table;
}

std::string SurveyReport(const SurveyTable& table) {
    std::string text;
    const auto line = [&](const std::vector<std::string>& cells) {
        for (std::size_t i = 0; i < cells.size(); ++i) {
            // A tab or line end inside a name would split the row.
            std::string cell = cells[i];
            std::replace_if(
                cell.begin(), cell.end(),
                [](char c) { return c == '\t' || c == '\r' || c == '\n'; }, ' ');
            text += (i == 0 ? "" : "\t") + cell;
        }
        text += "\r\n";
    };
    line(table.Header);
    for (const auto& row : table.Rows) {
        line(row);
    }
    return text;
}

SurveyViewModel PresentSurvey(const SurveyState& survey, const ProgramContext& program,
                              const ListsState& lists) {
    const LanguageTexts& texts = program.Texts;
    const SurveyTable table =
        SurveyTableOf(survey, {texts, program.Tables, program.DecimalSeparator});
    SurveyViewModel model;
    model.Caption = FormatText(texts.Survey(SurveyText::Title), {survey.Subject});
    model.Columns = table.Header;
    for (const ColumnSpec& column : Columns) {
        model.RightAligned.push_back(column.Sort == SortKind::Number);
    }
    for (std::size_t row = 0; row < table.Rows.size(); ++row) {
        const SurveyPart& part = survey.Parts[table.Parts[row]];
        model.Rows.push_back(
            {table.Rows[row], part.Kind == PartKind::SheetMetal, part.Checked, table.Parts[row]});
    }
    model.SortColumn = survey.SortColumn.value_or(-1);
    model.Descending = survey.Descending;
    model.Parts = static_cast<int>(survey.Parts.size());
    model.PartsRead = static_cast<int>(survey.Read);
    const std::string read = std::to_string(survey.Read);
    const std::string all = std::to_string(survey.Parts.size());
    switch (survey.Phase) {
    case SurveyPhase::Reading:
        if (survey.Tree) {
            model.Progress = FormatText(
                texts.Survey(survey.Waiting ? SurveyText::WalkWaiting : SurveyText::Walking),
                {std::to_string(survey.Tree->ComponentsRead()),
                 std::to_string(survey.Tree->ComponentsKnown())});
            break;
        }
        model.Progress = FormatText(
            texts.Survey(survey.Waiting ? SurveyText::Waiting : SurveyText::Reading), {read, all});
        break;
    case SurveyPhase::Done:
        model.Progress = FormatText(texts.Survey(SurveyText::Done), {read, all});
        break;
    case SurveyPhase::Cancelled:
        model.Progress = FormatText(texts.Survey(SurveyText::Cancelled), {read, all});
        break;
    case SurveyPhase::NothingToSurvey:
        model.Progress = texts.Survey(SurveyText::NothingToSurvey);
        break;
    case SurveyPhase::Unreachable:
        model.Progress = texts.Survey(SurveyText::Unreachable);
        break;
    case SurveyPhase::Writing:
        model.Progress =
            FormatText(texts.Survey(SurveyText::WritingProgress),
                       {std::to_string(survey.Written), std::to_string(survey.ToWrite)});
        break;
    }
    // The write acts only on a type the user chose, as the main window's does.
    const int row = lists.ChosenTypeRow();
    model.ChosenType =
        row == 0 ? texts.Survey(SurveyText::NoChosenType)
                 : FormatText(texts.Survey(SurveyText::ChosenType),
                              {program.Tables.Type(row).Name,
                               program.Tables.Table(TableOfRow(program.Tables, row)).Name});
    model.RefreshCaption = texts.Survey(SurveyText::Refresh);
    model.WriteCaption = texts.Survey(SurveyText::Write);
    model.CopyCaption = texts.Survey(SurveyText::Copy);
    model.CancelCaption = texts.Survey(SurveyText::Cancel);
    model.StandardCaption = texts.Survey(SurveyText::SetToStandard);
    const bool busy = survey.Phase == SurveyPhase::Reading || survey.Phase == SurveyPhase::Writing;
    model.CanCancel = busy;
    model.CanWrite = !busy && row != 0 &&
                     std::any_of(survey.Parts.begin(), survey.Parts.end(), [](const SurveyPart& p) {
                         return p.Checked && p.Kind == PartKind::SheetMetal;
                     });
    // Needs no type from the main window: each part gets its own nearest.
    model.CanSetToStandard =
        !busy && std::any_of(survey.Parts.begin(), survey.Parts.end(), [](const SurveyPart& p) {
            return p.Checked && p.Kind == PartKind::SheetMetal;
        });
    return model;
}

} // namespace psm
