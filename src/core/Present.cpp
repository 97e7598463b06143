#include "core/Present.h"

#include "core/Hints.h"
#include "platform/NumberText.h"

namespace psm {
namespace {

// The languages' own names, the same in either language.
constexpr const char* GermanCaption = "Deutsch";
constexpr const char* EnglishCaption = "english";

ListModel TableListOf(const AppState& state) {
    ListModel list;
    for (const TableEntry& table : state.Tables.TableList) {
        list.Items.push_back(table.Name);
    }
    list.Selection = state.Lists.Table - 1;
    return list;
}

ListModel TypeListOf(const AppState& state) {
    ListModel list;
    const TableModel& tables = state.Tables;
    const int table = state.Lists.TypesOf;
    if (table >= 1) {
        for (int row = tables.TableFirstRow(table); row <= tables.TableLastRow(table); ++row) {
            list.Items.push_back(tables.Type(row).Name);
        }
    }
    const int row = state.Lists.TypeRow;
    list.Selection = table >= 1 && row != 0 ? row - tables.TableFirstRow(table) : -1;
    return list;
}

MenuItem Item(std::string caption, std::optional<MenuCommand> command, bool visible = true) {
    MenuItem item;
    item.Caption = std::move(caption);
    item.Command = command;
    item.Visible = visible;
    return item;
}

std::string FeatureLabel(const cad::FeatureFinding& finding, const TextTables& texts) {
    return texts.Message(finding.State == cad::FeatureState::Warned ? MessageText::Warned
                                                                    : MessageText::Failed) +
           finding.Name;
}

} // namespace

MainViewModel PresentMainWindow(const AppState& state) {
    const TextTables& texts = state.Texts;
    MainViewModel model;
    model.Caption = texts.Caption(CaptionText::MainWindowTitle);
    model.DocumentLabel = state.Document.CadRunning ? state.Document.Name : std::string();
    model.Tables = TableListOf(state);
    model.Types = TypeListOf(state);
    model.Status = state.Hint ? texts.Caption(*state.Hint) : std::string();
    for (std::size_t i = 0; i < PictureButtons.size(); ++i) {
        model.ButtonNames[i] = texts.Caption(*HintOf(PictureButtons[i]));
    }
    return model;
}

std::vector<MenuItem> PopupMenuItems(const AppState& state, bool tracing) {
    const TextTables& texts = state.Texts;
    MenuItem german = Item(GermanCaption, MenuCommand::German);
    german.Checked = texts.LanguageIndex != Language::English;
    MenuItem english = Item(EnglishCaption, MenuCommand::English);
    english.Checked = texts.LanguageIndex == Language::English;
    MenuItem languages = Item(texts.Caption(CaptionText::LanguageMenu), std::nullopt);
    languages.Children = {german, english};

    // The scale factor comes from the settings or the unit line only.
    MenuItem scaleFactor = Item("ScaleFactor", std::nullopt, false);
    scaleFactor.Enabled = false;

    MenuItem trace = Item(texts.Caption(CaptionText::TraceMenu), MenuCommand::ToggleTrace);
    trace.Checked = tracing;

    MenuItem options = Item(texts.Caption(CaptionText::OptionsMenu), std::nullopt);
    options.Children = {
        Item(texts.Caption(CaptionText::InstallMenu), MenuCommand::InstallButton),
        languages,
        Item(texts.Caption(CaptionText::TextFileMenu), MenuCommand::ChooseValueFile),
        Item(texts.Caption(CaptionText::CheckFileMenu), MenuCommand::CheckValueFile),
        Item(texts.Caption(CaptionText::CheckAssemblyMenu), MenuCommand::CheckAssembly),
        Item(texts.Caption(CaptionText::JournalMenu), MenuCommand::OpenJournal),
        trace,
        scaleFactor};

    return {options, Item(texts.Caption(CaptionText::HelpMenu), std::nullopt, false)};
}

std::string NumberTextOf(const std::optional<double>& value, const AppState& state) {
    return value ? NumberToText(*value, state.DecimalSeparator) : std::string();
}

std::string FeatureLines(const std::vector<cad::FeatureFinding>& findings,
                         const TextTables& texts) {
    std::string lines;
    for (const cad::FeatureFinding& finding : findings) {
        lines += "\r\n" + FeatureLabel(finding, texts);
    }
    return lines;
}

std::string FeatureCell(const std::vector<cad::FeatureFinding>& findings, const TextTables& texts) {
    std::string cell;
    for (const cad::FeatureFinding& finding : findings) {
        cell += (cell.empty() ? "" : "; ") + FeatureLabel(finding, texts);
    }
    return cell;
}

} // namespace psm
