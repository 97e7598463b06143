// The popup menu's commands: the button in the CAD program, the language,
// and the choice of another value file.

#include "EndToEnd_win32.h"

namespace psm::e2e {
namespace {

// Optionen, its submenu, its first entry ("Installieren"), the second's
// submenu ("Sprache": "Deutsch", "english"), the third ("Textdatei") or the
// fourth ("Textdatei prüfen").
const std::vector<WPARAM> Install{VK_DOWN, VK_RIGHT, VK_RETURN};
const std::vector<WPARAM> German{VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_RETURN};
const std::vector<WPARAM> English{VK_DOWN, VK_RIGHT, VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN};
const std::vector<WPARAM> TextFile{VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_RETURN};
const std::vector<WPARAM> CheckFile{VK_DOWN, VK_RIGHT, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN};

using InstallCommand = EndToEnd;

TEST_F(InstallCommand, PutsBarAndButtonIntoTheSheetMetalEnvironmentOnce) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(psm.UseMenu(Install));
    // The second switch is the installation's last step.
    ASSERT_TRUE(WaitUntil(
        [&] { return simcad.Button("SheetMetal", "ORNA", 1, "OptionB") == "true"; }, NoticeMs));
    EXPECT_EQ(simcad.ButtonCount("SheetMetal", "ORNA"), 1);
    const std::string folder = Narrow(ProgramFolder());
    EXPECT_EQ(simcad.Button("SheetMetal", "ORNA", 1, "RunPath"), folder + "psm.exe");
    EXPECT_EQ(simcad.Button("SheetMetal", "ORNA", 1, "Picture"), folder + "psm.bmp");
    EXPECT_EQ(simcad.Button("SheetMetal", "ORNA", 1, "Title"), "Biegewerte");
    EXPECT_EQ(simcad.Button("SheetMetal", "ORNA", 1, "Description"),
              "Teileeigenschaften festlegen");
    EXPECT_EQ(simcad.Button("SheetMetal", "ORNA", 1, "OptionA"), "true");
    EXPECT_EQ(simcad.ButtonCount("Assembly", "ORNA"), -1);
    EXPECT_TRUE(psm.NoMessageBox());

    // Again: the same bar and button, nothing added.
    const int calls = simcad.CountCalls("SetPictureFile");
    ASSERT_TRUE(psm.UseMenu(Install));
    ASSERT_TRUE(
        WaitUntil([&] { return simcad.CountCalls("SetPictureFile") == calls + 1; }, NoticeMs));
    EXPECT_EQ(simcad.ButtonCount("SheetMetal", "ORNA"), 1);
    EXPECT_EQ(simcad.Get("BarCount", {cad::Value::Text("SheetMetal")}).AsInt32(), 1);
}

TEST_F(InstallCommand, AnActiveAssemblyGetsItInTheAssemblyEnvironment) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs));
    ASSERT_TRUE(psm.UseMenu(Install));
    ASSERT_TRUE(WaitUntil([&] { return simcad.Button("Assembly", "ORNA", 1, "OptionB") == "true"; },
                          NoticeMs));
    EXPECT_EQ(simcad.ButtonCount("Assembly", "ORNA"), 1);
    EXPECT_EQ(simcad.ButtonCount("SheetMetal", "ORNA"), -1);
}

using LanguageCommand = EndToEnd;

TEST_F(LanguageCommand, EnglishAppliesAtOnceAndStaysUntilGermanIsChosen) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(psm.UseMenu(English));
    ASSERT_TRUE(WaitUntil([&] { return psm.Caption() == L"ORNA  sheet metal"; }, NoticeMs));
    EXPECT_EQ(settings::Get(L"Language"), L"en");
    EXPECT_EQ(TextOf(psm.Control(MainControl::WriteButton)), L"Set new values");
    EXPECT_EQ(TextOf(psm.Control(MainControl::ExitButton)), L"Exit");
    // The boxes from then on.
    ASSERT_TRUE(psm.UseMenu(CheckFile));
    const auto box = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Title, L"orna sheetmetal");
    EXPECT_EQ(box->Text, ValueFilePath() + L"\r\n\r\nNo problems found.");
    ASSERT_TRUE(psm.Answer(*box, IDOK));

    psm.End();
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Caption(), L"ORNA  sheet metal");
    EXPECT_EQ(TextOf(psm.Control(MainControl::PropertiesButton)), L"Show Properties");

    ASSERT_TRUE(psm.UseMenu(German));
    ASSERT_TRUE(WaitUntil([&] { return psm.Caption() == L"ORNA  Raziv"; }, NoticeMs));
    EXPECT_EQ(settings::Get(L"Language"), L"de");
    EXPECT_EQ(TextOf(psm.Control(MainControl::PropertiesButton)), L"Teileeigenschaften anzeigen");
}

using CheckCommand = EndToEnd;

TEST_F(CheckCommand, ShowsEachProblemWithItsLineAndPsmGoesOn) {
    ASSERT_TRUE(WriteTextFile(ValueFilePath(), std::string(ValueFile) +
                                                   "Begin: Kupfer\r\n"
                                                   "Cu 1,0;1;1;1,4;2\r\n"
                                                   "Cu 1,5;1.5;1.5;0.43;3;1.5\r\n"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(psm.UseMenu(CheckFile));
    const auto box = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Title, L"ORNA Raziv");
    EXPECT_EQ(box->Text, ValueFilePath() +
                             L"\r\n\r\nProbleme: 4\r\n"
                             L"Zeile 11: Tabelle \"Kupfer\" endet ohne \"End:\"\r\n"
                             L"Zeile 12: 5 Felder statt 6 (Name und fünf Werte)\r\n"
                             L"Zeile 12: Neutralfaktor 1,4 liegt nicht zwischen 0 und 1\r\n"
                             L"Zeile 13: gleiche Werte wie Zeile 4, wird nie erkannt");
    ASSERT_TRUE(psm.Answer(*box, IDOK));
    EXPECT_TRUE(psm.Running());
    EXPECT_EQ(psm.Label(), L"Halter.psm");
}

using ValueFileCommand = EndToEnd;

TEST_F(ValueFileCommand, CancellingKeepsThePathAndEndsPsm) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(psm.UseMenu(TextFile));
    HWND dialog = psm.WaitForFileDialog(NoticeMs);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(TextOf(dialog), L"Textdatei auswählen");
    PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_EQ(settings::Get(L"filename"), ValueFilePath());
    EXPECT_TRUE(settings::Get(L"Top").has_value());
}

TEST_F(ValueFileCommand, AChosenFileIsStoredAndLoadedAtTheNextStart) {
    const std::wstring other = Folder() + L"Kupfer Werte.txt";
    ASSERT_TRUE(
        WriteTextFile(other, "Unit: mm\r\nBegin: Kupfer\r\nCu 1,0;1;1;0.4;2;1\r\nEnd:\r\n"));
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_TRUE(psm.UseMenu(TextFile));
    HWND dialog = psm.WaitForFileDialog(NoticeMs);
    ASSERT_NE(dialog, nullptr);
    WaitUntil([] { return false; }, 300);
    HWND field = GetDlgItem(dialog, 0x47C); // the name field: cmb13, or edt1
    if (field == nullptr) {
        field = GetDlgItem(dialog, 0x480);
    }
    ASSERT_NE(field, nullptr);
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()), SMTO_NORMAL,
                        5000, &ignored);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_EQ(settings::Get(L"filename"), other);

    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Items(MainControl::TableList), (std::vector<std::wstring>{L"Kupfer"}));
}

} // namespace
} // namespace psm::e2e
