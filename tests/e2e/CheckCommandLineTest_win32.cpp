// "psm.exe /check [file]" as a script runs it: the report on its standard
// output, the outcome as the exit code, no window and no CAD program.

#include "EndToEnd_win32.h"
#include "platform/Version.h"
#include "tools/driver/CapturedRun_win32.h"

namespace psm::e2e {
namespace {

using CheckCommandLine = EndToEnd;

// It ends by itself well within this; a window would keep it running.
constexpr DWORD CheckMs = 20000;

// Every report begins with psm's version.
const std::wstring Head = Wide(std::string(VersionLine)) + L"\r\n";

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

TEST_F(CheckCommandLine, TheStoredFileWithoutProblemsGivesZero) {
    const auto run = RunCaptured(L"psm.exe", L"/check", CheckMs);
    ASSERT_TRUE(run.has_value()) << "psm.exe did not end by itself";
    EXPECT_EQ(run->ExitCode, 0u);
    EXPECT_EQ(Wide(run->Output), Head + ValueFilePath() + L"\r\n\r\nKeine Probleme gefunden.\r\n");
}

TEST_F(CheckCommandLine, AFileWithProblemsGivesOneAndTheWholeReportInTheStoredLanguage) {
    const std::wstring file = Folder() + L"Kupfer Werte.txt";
    std::string text = "Unit: mm\r\nBegin: Kupfer\r\n";
    for (int i = 1; i <= 25; ++i) {
        text += "Cu " + std::to_string(i) + ";" + std::to_string(i) + ";-1;0.4;2;1\r\n";
    }
    ASSERT_TRUE(WriteTextFile(file, text + "End:\r\n"));
    settings::Set(L"Language", L"en");
    const auto run = RunCaptured(L"psm.exe", L"/check " + Quoted(file), CheckMs);
    ASSERT_TRUE(run.has_value()) << "psm.exe did not end by itself";
    EXPECT_EQ(run->ExitCode, 1u);
    std::wstring expected = Head + file + L"\r\n\r\nProblems: 25\r\n";
    for (int line = 3; line <= 27; ++line) {
        expected +=
            L"Line " + std::to_wstring(line) + L": bend radius -1 is not greater than 0\r\n";
    }
    EXPECT_EQ(Wide(run->Output), expected);
}

TEST_F(CheckCommandLine, AFileThatCannotBeReadGivesTwo) {
    const std::wstring missing = Folder() + L"weg.txt";
    const auto run = RunCaptured(L"psm.exe", L"/check " + Quoted(missing), CheckMs);
    ASSERT_TRUE(run.has_value()) << "psm.exe did not end by itself";
    EXPECT_EQ(run->ExitCode, 2u);
    EXPECT_EQ(Wide(run->Output), Head + missing + L"\r\n\r\nTextdatei nicht lesbar\r\n");
}

TEST_F(CheckCommandLine, VersionPrintsThePrograms) {
    const auto run = RunCaptured(L"psm.exe", L"/version", CheckMs);
    ASSERT_TRUE(run.has_value()) << "psm.exe did not end by itself";
    EXPECT_EQ(run->ExitCode, 0u);
    EXPECT_EQ(Wide(run->Output), Head);
}

} // namespace
} // namespace psm::e2e
