// Status-bar hints, the popup menu and its commands.

#include "AppTestSupport.h"
#include "options/OptionsMenu.h"
#include "tables/LanguageSetting.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class HintsTest : public AppFixture {};

TEST_F(HintsTest, EachControlShowsItsHintAndTheFreeAreaClearsIt) {
    sim.Quit();
    Start();
    const std::vector<std::pair<MainControl, std::string>> hints{
        {MainControl::WriteButton, "gewählten Blechtyp übernehmen"},
        {MainControl::ResetListButton, "ursprünglichen Blechtyp anzeigen"},
        {MainControl::ResetButton, "auf ursprünglichen Blechtyp rücksetzen"},
        {MainControl::PropertiesButton, "Teileeigenschaften anzeigen"},
        {MainControl::ExitButton, "Beenden"},
        {MainControl::DocumentLabel, "Aktives Dokument"},
        {MainControl::ListPanel, "Tabelle und Blechtyp auswählen"},
        {MainControl::FreeArea, ""}};
    for (const auto& [area, text] : hints) {
        view.Status = "stale";
        app.OnMouseMove(area);
        EXPECT_EQ(view.Status, text);
    }
}

TEST_F(HintsTest, ButtonsAreNamedByTheirHintsInTheTextsLanguage) {
    sim.Quit();
    Start();
    EXPECT_THAT(view.ButtonNames,
                ElementsAre("gewählten Blechtyp übernehmen", "ursprünglichen Blechtyp anzeigen",
                            "auf ursprünglichen Blechtyp rücksetzen", "Teileeigenschaften anzeigen",
                            "Beenden"));
    state.Texts.LanguageIndex = LanguageTexts::English;
    app.OnMouseMove(MainControl::FreeArea); // any event: the window shows the state anew
    EXPECT_THAT(view.ButtonNames, ElementsAre("Set new values", "Reset list", "Reset sheet metal",
                                              "Show Properties", "Exit"));
}

class PopupMenuTest : public AppFixture {
  protected:
    void SetUp() override {
        sim.OpenSheetMetal("A.psm", Row2);
        Start();
    }
};

// Caption, visible, enabled, checked, command, children.
std::string Describe(const MenuItem& item) {
    std::string text = item.Caption;
    text += item.Visible ? "" : " hidden";
    text += item.Enabled ? "" : " disabled";
    text += item.Checked ? " checked" : "";
    if (!item.Children.empty()) {
        text += " {";
        for (const MenuItem& child : item.Children) {
            text += Describe(child) + ";";
        }
        text += "}";
    }
    return text;
}

TEST_F(PopupMenuTest, RightButtonOpensTheOptionsMenuWithItsHiddenItems) {
    app.OnMouseDown(MouseButton::Left);
    EXPECT_THAT(view.Menus, IsEmpty());
    app.OnMouseDown(MouseButton::Right);
    ASSERT_EQ(view.Menus.size(), 1u);
    std::vector<std::string> items;
    for (const MenuItem& item : view.Menus[0]) {
        items.push_back(Describe(item));
    }
    EXPECT_THAT(items, ElementsAre("Optionen {Installieren;Sprache {Deutsch checked;english;};"
                                   "Textdatei;Textdatei prüfen;Baugruppe prüfen;Journal;"
                                   "Protokoll;ScaleFactor hidden disabled;}",
                                   "Hilfe hidden"));
    const auto& options = view.Menus[0][0].Children;
    EXPECT_EQ(options[0].Command, MenuCommand::InstallButton);
    EXPECT_EQ(options[1].Children[0].Command, MenuCommand::German);
    EXPECT_EQ(options[1].Children[1].Command, MenuCommand::English);
    EXPECT_EQ(options[2].Command, MenuCommand::ChooseValueFile);
    EXPECT_EQ(options[3].Command, MenuCommand::CheckValueFile);
    EXPECT_EQ(options[4].Command, MenuCommand::CheckAssembly);
    EXPECT_EQ(options[5].Command, MenuCommand::OpenJournal);
    EXPECT_EQ(options[6].Command, MenuCommand::ToggleTrace);
    EXPECT_EQ(options[7].Command, std::nullopt) << "the scale factor has no command";
    EXPECT_EQ(view.Menus[0][1].Command, std::nullopt);
}

TEST_F(PopupMenuTest, InstallPutsTheProgramsButtonIntoTheDocumentsEnvironment) {
    view.MenuChoice = MenuCommand::InstallButton;
    app.OnMouseDown(MouseButton::Right);
    const sim::CommandBar* bar = sim.Env("SheetMetal").FindBar("ORNA");
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(bar->Controls().size(), 1u);
    const sim::Control& button = *bar->Controls()[0];
    EXPECT_EQ(button.RunPath, "C:\\Tools\\psm\\psm.exe");
    EXPECT_EQ(button.Description, "Teileeigenschaften festlegen");
    EXPECT_EQ(button.Title, "Biegewerte");
    EXPECT_EQ(state.Run.CommandDepth, 0);
}

class LanguageCommandTest : public PopupMenuTest {
  protected:
    std::string StoredLanguage() const { return settings.Read("ORNA\\psm", "general", "Language"); }
    void ChooseInMenu(MenuCommand command) {
        view.MenuChoice = command;
        app.OnMouseDown(MouseButton::Right);
    }
    std::string OptionsMenu() const { return Describe(view.Menus.back()[0]); }
};

TEST_F(LanguageCommandTest, EnglishAppliesAtOnceToEveryTextAndStaysForTheNextStart) {
    Click(MainControl::PropertiesButton);
    ASSERT_TRUE(info.Visible());
    app.OnMouseMove(MainControl::PropertiesButton);
    ChooseInMenu(MenuCommand::English);
    EXPECT_EQ(StoredLanguage(), "en");
    EXPECT_EQ(view.Caption, "ORNA  sheet metal");
    EXPECT_EQ(view.Status, "Show Properties") << "the hint shown changes too";
    EXPECT_THAT(view.ButtonNames, ElementsAre("Set new values", "Reset list", "Reset sheet metal",
                                              "Show Properties", "Exit"));
    EXPECT_TRUE(info.Visible()) << "the properties stay open, in English";
    EXPECT_EQ(info.Model.Caption, "Properties");
    EXPECT_EQ(info.Model.Rows[0].Name, " Material Thickness: ");
    app.OnMouseDown(MouseButton::Right);
    EXPECT_EQ(OptionsMenu(), "Options {Install;Language {Deutsch;english checked;};Textfile;"
                             "Check value file;Check assembly;Journal;Trace;"
                             "ScaleFactor hidden disabled;}");
    ChooseInMenu(MenuCommand::CheckValueFile);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Title, "orna sheetmetal");
    EXPECT_THAT(boxes.Shown[0].Text, ::testing::EndsWith("No problems found."));

    // The next start, in the same window and settings.
    view.Caption.clear();
    App next{services};
    next.OnLoad();
    EXPECT_EQ(view.Caption, "ORNA  sheet metal");
    EXPECT_EQ(next.State().Texts.LanguageIndex, LanguageTexts::English);

    ChooseInMenu(MenuCommand::German);
    EXPECT_EQ(StoredLanguage(), "de");
    EXPECT_EQ(view.Caption, "ORNA  Raziv");
    EXPECT_EQ(view.Status, "Teileeigenschaften anzeigen");
    app.OnMouseDown(MouseButton::Right);
    EXPECT_EQ(OptionsMenu(), "Optionen {Installieren;Sprache {Deutsch checked;english;};Textdatei;"
                             "Textdatei prüfen;Baugruppe prüfen;Journal;Protokoll;"
                             "ScaleFactor hidden disabled;}");
}

TEST_F(LanguageCommandTest, NothingOrSomethingUnknownStoredStartsInGerman) {
    EXPECT_EQ(StoredLanguage(), "");
    EXPECT_EQ(view.Caption, "ORNA  Raziv");
    for (const char* stored : {"", "fr", "english", "1", "de"}) {
        EXPECT_EQ(LanguageOf(stored), LanguageTexts::German) << stored;
    }
    for (const char* stored : {"en", "EN", "2"}) {
        EXPECT_EQ(LanguageOf(stored), LanguageTexts::English) << stored;
    }
}

class ValueFileCommandTest : public PopupMenuTest {
  protected:
    std::string StoredFile() const { return settings.Read("ORNA\\psm", "general", "filename"); }
};

TEST_F(ValueFileCommandTest, ChosenFileIsStoredAndTheProgramEnds) {
    const std::string before = StoredFile();
    view.ChosenFile = "D:\\Werte\\psm_in.txt";
    app.OnMenuCommand(MenuCommand::ChooseValueFile);
    EXPECT_THAT(view.FileDialog, ElementsAre("Textdatei auswählen", before, "C:\\Tools\\psm\\"));
    EXPECT_EQ(StoredFile(), "D:\\Werte\\psm_in.txt");
    EXPECT_EQ(view.Ends, 1);
    EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Top"), "900");
    EXPECT_THAT(view.Items1, ElementsAre("Stahl", "Aluminium")) << "the lists are not reloaded";
}

TEST_F(ValueFileCommandTest, CancelStoresThePathAgainAndEnds) {
    const std::string before = StoredFile();
    const int writes = settings.WriteCount();
    app.OnMenuCommand(MenuCommand::ChooseValueFile);
    EXPECT_EQ(StoredFile(), before);
    EXPECT_EQ(settings.WriteCount(), writes + 3) << "filename, Top, Left";
    EXPECT_EQ(view.Ends, 1);
}

TEST_F(ValueFileCommandTest, WithoutPathTheDialogOpensInTheProgramsFolder) {
    state.ValueFilePath.clear();
    app.OnMenuCommand(MenuCommand::ChooseValueFile);
    EXPECT_THAT(view.FileDialog, ElementsAre("Textdatei auswählen", "", "C:\\Tools\\psm\\"));
}

} // namespace
} // namespace psm::test
