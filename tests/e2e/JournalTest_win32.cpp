// The journal as a shop reads it: the lines the real psm.exe appends for its
// writes against simcad, and a journal that cannot be written.

#include "EndToEnd_win32.h"
#include "platform/FileRead.h"

#include <cmath>
#include <windows.h>

namespace psm::e2e {
namespace {

using Cells = std::vector<std::string>;

std::string Local(const wchar_t* number) {
    return Narrow(LocalNumber(number));
}

// "2026-12-07T16:30:05+01:00": digits where the pattern has 9.
bool IsIsoTime(const std::string& text) {
    const std::string pattern = "9999-99-99T99:99:99+99:99";
    if (text.size() != pattern.size()) {
        return false;
    }
    for (size_t i = 0; i < text.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        const bool ok = pattern[i] == '9'   ? digit
                        : pattern[i] == '+' ? text[i] == '+' || text[i] == '-'
                                            : text[i] == pattern[i];
        if (!ok) {
            return false;
        }
    }
    return true;
}

class Journal : public EndToEnd {
  protected:
    // A fresh journal: the run's folder may hold one of an earlier run.
    void UseJournal(const std::wstring& path) {
        m_journal = path;
        DeleteFileW(path.c_str());
        settings::Set(L"JournalFile", path);
    }
    std::string Text() const { return ReadFileBytes(Narrow(m_journal)).value_or(""); }
    // The journal's lines below its header, as cells.
    std::vector<Cells> Lines() const {
        std::vector<Cells> lines;
        const auto text = ReadFileBytes(Narrow(m_journal));
        if (!text) {
            return lines;
        }
        for (size_t start = text->find("\r\n"); start != std::string::npos;) {
            start += 2;
            const size_t end = text->find("\r\n", start);
            if (end == std::string::npos) {
                break;
            }
            Cells cells;
            for (size_t cell = start;;) {
                const size_t tab = text->find('\t', cell);
                if (tab == std::string::npos || tab > end) {
                    cells.push_back(text->substr(cell, end - cell));
                    break;
                }
                cells.push_back(text->substr(cell, tab - cell));
                cell = tab + 1;
            }
            lines.push_back(std::move(cells));
            start = end;
        }
        return lines;
    }
    bool WaitForLines(size_t count) const {
        return WaitUntil([&] { return Lines().size() == count; }, NoticeMs);
    }
    // The user chooses a type of the shown table and clicks the write button.
    void ChooseAndWrite(int typeIndex) {
        psm.Choose(MainControl::TypeList, typeIndex);
        WaitUntil([] { return false; }, 200);
        psm.Click(MainControl::WriteButton);
    }
    // The reset button, and until its write has ended.
    void Reset() {
        const int holds = simcad.CountCalls("HoldRecompute");
        psm.Click(MainControl::ResetButton);
        ASSERT_TRUE(
            WaitUntil([&] { return simcad.CountCalls("HoldRecompute") >= holds + 2; }, NoticeMs));
        WaitUntil([] { return false; }, 300);
    }
    bool HalterHolds(double thickness) {
        return WaitUntil(
            [&] { return std::fabs(simcad.SheetMetalValue("Halter.psm", 1) - thickness) < 1e-12; },
            NoticeMs);
    }

  private:
    std::wstring m_journal;
};

std::string WindowsUser() {
    wchar_t name[257] = {};
    DWORD size = 257;
    return GetUserNameW(name, &size) ? Narrow(name) : "";
}

std::string Computer() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    return GetComputerNameW(name, &size) ? Narrow(name) : "";
}

TEST_F(Journal, AWriteItsWriteBackAndAResetAreALineEachWithTheValuesBeforeAndAfter) {
    UseJournal(Folder() + L"Journal geteilt.txt");
    ASSERT_NO_FATAL_FAILURE(Start());
    const Cells st10{"1", "1", Local(L"0.42"), "2", "1"};
    const Cells st15{Local(L"1.5"), Local(L"1.5"), Local(L"0.43"), "3", Local(L"1.5")};
    const Cells st20{"2", "2", Local(L"0.44"), "4", "2"};
    const auto expect = [&](const Cells& line, const char* action, const char* typeBefore,
                            const char* typeAfter, const Cells& before, const Cells& after,
                            const char* featuresBefore, const char* featuresAfter) {
        ASSERT_EQ(line.size(), 23u);
        EXPECT_TRUE(IsIsoTime(line[0])) << line[0];
        EXPECT_EQ(Cells(line.begin() + 1, line.begin() + 9),
                  (Cells{WindowsUser(), Computer(), "C:\\Teile\\Halter.psm", action, "Stahl",
                         typeBefore, "Stahl", typeAfter}));
        EXPECT_EQ(Cells(line.begin() + 9, line.begin() + 14), before);
        EXPECT_EQ(Cells(line.begin() + 14, line.begin() + 19), after);
        EXPECT_EQ(line[19], featuresBefore);
        EXPECT_EQ(line[20], featuresAfter);
        EXPECT_EQ(Cells(line.begin() + 21, line.end()), (Cells{"", ""})) << "nothing refused";
    };

    ChooseAndWrite(0); // St 1,0: a 1 mm radius fails Flansch 2
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    ASSERT_TRUE(psm.Answer(*question, IDYES));
    ASSERT_TRUE(HalterHolds(0.0015));
    ASSERT_TRUE(WaitForLines(2)) << Text();
    ASSERT_NO_FATAL_FAILURE(Reset()); // the part holds its own values: nothing to journal

    ChooseAndWrite(2); // St 2,0
    ASSERT_TRUE(HalterHolds(0.002));
    ASSERT_TRUE(WaitForLines(3)) << Text(); // the write's command is over
    ASSERT_NO_FATAL_FAILURE(Reset());
    ASSERT_TRUE(HalterHolds(0.0015));
    ASSERT_TRUE(WaitForLines(4)) << Text();
    EXPECT_FALSE(psm.WaitForMessageBox(500));

    const std::vector<Cells> lines = Lines();
    expect(lines[0], "geschrieben", "St 1,5", "St 1,0", st15, st10, "", "Fehler bei:  Flansch 2");
    expect(lines[1], "zurückgeschrieben", "St 1,0", "St 1,5", st10, st15, "Fehler bei:  Flansch 2",
           "");
    expect(lines[2], "geschrieben", "St 1,5", "St 2,0", st15, st20, "", "");
    expect(lines[3], "zurückgesetzt", "St 2,0", "St 1,5", st20, st15, "nicht geprüft",
           "nicht geprüft");
}

TEST_F(Journal, AnUnwritableJournalLeavesTheWriteToThePartAndTellsTheUserOnce) {
    const std::wstring journal = ValueFilePath() + L"\\journal.txt"; // below a file
    UseJournal(journal);
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(2); // St 2,0
    const auto told = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(told);
    EXPECT_EQ(told->Text, L"Journal nicht beschreibbar:\r\n" + journal);
    EXPECT_EQ(told->Title, L"ORNA Raziv");
    EXPECT_NEAR(simcad.SheetMetalValue("Halter.psm", 2), 0.002, 1e-12);
    ASSERT_TRUE(psm.Answer(*told, IDOK));
    EXPECT_NEAR(simcad.SheetMetalValue("Halter.psm", 2), 0.002, 1e-12) << "the write stays";

    ASSERT_NO_FATAL_FAILURE(Reset());
    ASSERT_TRUE(HalterHolds(0.0015));
    EXPECT_FALSE(psm.WaitForMessageBox(500)) << "told once a run";
}

TEST_F(Journal, TheJournalCommandOpensTheJournalWithItsHeadingsInTheEditor) {
    UseJournal(Folder() + L"Journal.txt");
    ASSERT_NO_FATAL_FAILURE(Start());
    // Optionen, its submenu, up to its last entry but one, "Journal".
    ASSERT_TRUE(psm.UseMenu({VK_DOWN, VK_RIGHT, VK_UP, VK_UP, VK_RETURN}));
    HWND editor = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            editor = FindWindowW(L"Notepad", nullptr);
            return editor != nullptr;
        },
        NoticeMs));
    EXPECT_NE(TextOf(editor).find(L"Journal.txt"), std::wstring::npos) << TextOf(editor);
    PostMessageW(editor, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([] { return FindWindowW(L"Notepad", nullptr) == nullptr; }, NoticeMs));
    EXPECT_TRUE(Text().starts_with("Zeit\tBenutzer\tComputer\tDokument\tAktion\t")) << Text();
    EXPECT_TRUE(Lines().empty()) << "the headings alone";
    EXPECT_TRUE(psm.NoMessageBox());
}

// simcad turns busy for 9 s in the check after a write, longer than a
// command waits: the write stands, the user is asked, and the journal names
// the part and says its features were not checked.
TEST_F(Journal, ACheckCutShortByABusyProgramIsAskedAboutAndJournalledAsNotChecked) {
    UseJournal(Folder() + L"Journal busy.txt");
    ASSERT_NO_FATAL_FAILURE(Start());
    // Halter's two features are read before the write and again after it.
    simcad.Call("BusyFrom", {cad::Value::Text("Status"), cad::Value::Int32(4),
                             cad::Value::Int32(9000), cad::Value::Int32(0)});
    ASSERT_EQ(simcad.Problem(), "");
    ChooseAndWrite(2); // St 2,0
    const auto question = psm.WaitForMessageBox(15000);
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text,
              L"\r\nFeatures nicht geprüft: Solid Edge antwortet nicht\r\n\r\nRücksetzen?");
    ASSERT_TRUE(psm.Answer(*question, IDNO));
    ASSERT_TRUE(HalterHolds(0.002));
    ASSERT_TRUE(WaitForLines(1)) << Text();
    const Cells line = Lines()[0];
    ASSERT_EQ(line.size(), 23u);
    EXPECT_EQ(line[3], "C:\\Teile\\Halter.psm");
    EXPECT_EQ(line[4], "geschrieben");
    EXPECT_EQ(line[19], "");
    EXPECT_EQ(line[20], "nicht geprüft");
}

} // namespace
} // namespace psm::e2e
