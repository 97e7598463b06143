// The journal: one line per change, tab-separated, escaped so that a change
// is always one line, a header only in a new file, and several writers
// appending to one file at once without losing or mixing a line.

#include "JournalWriters.h"
#include "TempFolder.h"
#include "journal/JournalFile.h"
#include "journal/JournalLine.h"
#include "platform/FileRead.h"
#include "platform/IsoTime.h"
#include "platform/TextLines.h"

#include <gmock/gmock.h>
#include <map>

namespace psm {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> Cells(std::string_view line) {
    std::vector<std::string> cells;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        cells.emplace_back(line.substr(start, tab - start));
        if (tab == std::string_view::npos) {
            return cells;
        }
        start = tab + 1;
    }
}

class JournalLineTest : public ::testing::Test {
  protected:
    LanguageTexts texts;
};

TEST_F(JournalLineTest, AWriteIsOneLineOfTabSeparatedCellsInTheColumnsOrder) {
    JournalEntry entry;
    entry.Time = "2026-12-07T16:30:05+01:00";
    entry.User = "mmeier";
    entry.Computer = "KONSTR-07";
    entry.Document = "C:\\Teile\\Halter\tneu.psm";
    entry.Action = JournalAction::WrittenBack;
    entry.TableBefore = "Stahl";
    entry.TypeBefore = "St 1,5";
    entry.ValuesBefore = {"1,5", "1,5", "0,43", "3", "1,5"};
    entry.ValuesAfter = {"1", "1", "0,42", "2", "1"};
    entry.FeaturesBefore = "Flansch 2\r\nalt";
    const std::string line = JournalLine(entry, texts);
    ASSERT_TRUE(line.ends_with("\r\n"));
    EXPECT_EQ(line.find_first_of("\r\n"), line.size() - 2) << "one change, one line";
    const std::vector<std::string> cells = Cells(line.substr(0, line.size() - 2));
    ASSERT_EQ(cells.size(), static_cast<size_t>(JournalColumnCount));
    EXPECT_THAT(std::vector(cells.begin(), cells.begin() + 9),
                ElementsAre("2026-12-07T16:30:05+01:00", "mmeier", "KONSTR-07",
                            "C:\\Teile\\Halter\xE2\x90\x89neu.psm", "zurückgeschrieben", "Stahl",
                            "St 1,5", "", "keiner"));
    EXPECT_THAT(std::vector(cells.begin() + 9, cells.begin() + 19),
                ElementsAre("1,5", "1,5", "0,43", "3", "1,5", "1", "1", "0,42", "2", "1"));
    EXPECT_EQ(cells[19], "Flansch 2\xE2\x90\x8D\xE2\x90\x8A"
                         "alt");
    EXPECT_EQ(cells[20], "");
}

TEST_F(JournalLineTest, HeaderNamesEveryColumnInTheTextsLanguage) {
    texts.LanguageIndex = LanguageTexts::English;
    const std::string header = JournalHeader(texts);
    const std::vector<std::string> cells = Cells(header.substr(0, header.size() - 2));
    ASSERT_EQ(cells.size(), static_cast<size_t>(JournalColumnCount));
    EXPECT_EQ(cells.front(), "Time");
    EXPECT_EQ(cells[9], "Thickness before");
    EXPECT_EQ(cells[20], "Failing features after");
    EXPECT_EQ(cells.back(), "Type refused");
}

TEST(JournalTime, LocalTimeCarriesItsOffsetFromUtc) {
    EXPECT_EQ(IsoTimeText({2026, 12, 7, 16, 30, 5, 60}), "2026-12-07T16:30:05+01:00");
    EXPECT_EQ(IsoTimeText({2027, 3, 1, 8, 4, 0, -330}), "2027-03-01T08:04:00-05:30");
    EXPECT_EQ(IsoTimeText({2026, 6, 30, 23, 59, 59, 0}), "2026-06-30T23:59:59+00:00");
}

TEST(JournalFile, NewFileAndItsFoldersGetTheHeaderOnceThenLinesAreAppended) {
    testing::TempFolder folder;
    const std::string path = folder.PathOf("ORNA/psm/journal.txt");
    ASSERT_TRUE(AppendToJournal(path, "H\r\n", "one\r\n"));
    ASSERT_TRUE(AppendToJournal(path, "H\r\n", "two\r\n"));
    EXPECT_EQ(ReadFileBytes(path), "H\r\none\r\ntwo\r\n");
}

TEST(JournalFile, ALineLeftUnfinishedByAnotherWriterDoesNotRunIntoTheNext) {
    testing::TempFolder folder;
    const std::string path = folder.Write("journal.txt", "H\r\none\r\nhalf a li");
    ASSERT_TRUE(AppendToJournal(path, "H\r\n", "two\r\n"));
    EXPECT_EQ(ReadFileBytes(path), "H\r\none\r\nhalf a li\r\ntwo\r\n");
}

TEST(JournalFile, UnwritablePlaceIsReportedAndNothingElseHappens) {
    testing::TempFolder folder;
    const std::string blocker = folder.Write("blocker.txt", "not a folder");
    EXPECT_FALSE(AppendToJournal(blocker + "/journal.txt", "H\r\n", "one\r\n"));
    EXPECT_EQ(ReadFileBytes(blocker), "not a folder");
}

TEST(JournalFile, TwoProgramsAppendingAtOnceLoseAndMixNoLine) {
    testing::TempFolder folder;
    const std::string path = folder.PathOf("shared journal.txt");
    ASSERT_TRUE(testing::RunTwoJournalWriters(path, 1000));
    const auto text = ReadFileBytes(path);
    ASSERT_TRUE(text);
    TextLines lines(*text);
    std::string_view line;
    ASSERT_TRUE(lines.Next(line));
    EXPECT_EQ(line, "header");
    std::map<std::string, int> next{{"A", 1}, {"B", 1}};
    int count = 0;
    while (lines.Next(line)) {
        const std::vector<std::string> cells = Cells(line);
        ASSERT_EQ(cells.size(), 3u) << line;
        ASSERT_EQ(cells[2], std::string(200, cells[0][0])) << "a line mixed with another";
        ASSERT_EQ(cells[1], std::to_string(next[cells[0]]++)) << "a line lost or doubled";
        ++count;
    }
    EXPECT_EQ(count, 2000);
}

} // namespace
} // namespace psm
