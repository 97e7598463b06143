#include "present/MainPresenter.h"

#include "core/Hints.h"
#include "platform/NumberText.h"

namespace psm {
namespace {

// The languages' own names, the same in either language.
constexpr const char* GermanCaption = "Deutsch";
constexpr const char* EnglishCaption = "english";

ListModel TableListOf(const MainWindowInputs& shown) {
    ListModel list;
    for (const TableEntry& table : shown.Program.Tables.TableList) {
        list.Items.push_back(table.Name);
    }
    list.Selection = shown.Lists.Lists.Table - 1;
    return list;
}

ListModel TypeListOf(const MainWindowInputs& shown) {
    ListModel list;
    const TableModel& tables = shown.Program.Tables;
    const int table = shown.Lists.Lists.TypesOf;
    if (table >= 1) {
        for (int row = tables.TableFirstRow(table); row <= tables.TableLastRow(table); ++row) {
            list.Items.push_back(tables.Type(row).Name);
        }
    }
    const int row = shown.Lists.Lists.TypeRow;
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

} // namespace

MainViewModel PresentMainWindow(const MainWindowInputs& shown) {
    const LanguageTexts& texts = shown.Program.Texts;
    MainViewModel model;
    model.Caption = texts.Caption(CaptionText::MainWindowTitle);
    model.DocumentLabel = shown.Document.CadRunning ? shown.Document.Name : std::string();
    model.Tables = TableListOf(shown);
    model.Types = TypeListOf(shown);
    model.Status = shown.Hint ? texts.Caption(*shown.Hint) : std::string();
    for (std::size_t i = 0; i < PictureButtons.size(); ++i) {
        model.ButtonNames[i] = texts.Caption(*HintOf(PictureButtons[i]));
    }
    return model;
}

std::vector<MenuItem> PopupMenuItems(const LanguageTexts& texts, bool tracing) {
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

} // namespace psm
