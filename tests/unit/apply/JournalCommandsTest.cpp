// What the write and reset commands journal: a line for each change to the
// part with what it held before and after, none for a command that changes
// nothing, and a journal that cannot be written told once a run.

#include "AppTestSupport.h"
#include "apply/Journalling.h"
#include "journal/JournalLine.h"
#include "platform/FileRead.h"
#include "platform/TextLines.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

using Cells = std::vector<std::string>;

class JournalCommandsTest : public AppFixture {
  protected:
    // A.psm carries St 1,5 (row 2); the user chose Al 2,0 (row 5).
    void StartOnA() {
        document = &sim.OpenSheetMetal("A.psm", Row2);
        Start();
        Choose(ListId::Tables, 1);
        Choose(ListId::Types, 1);
    }
    void Write(std::vector<MessageAnswer> answers = {}) {
        boxes.Answers.assign(answers.begin(), answers.end());
        Click(MainControl::WriteButton);
    }
    // The journal's lines after the header, each as its cells; the header is checked.
    std::vector<Cells> Lines() const {
        std::vector<Cells> lines;
        const auto text = ReadFileBytes(JournalFile());
        if (!text) {
            return lines;
        }
        EXPECT_TRUE(text->starts_with(JournalHeader(state.Texts)));
        TextLines reader(*text);
        std::string_view line;
        reader.Next(line);
        while (reader.Next(line)) {
            Cells cells;
            for (size_t start = 0;;) {
                const size_t tab = line.find('\t', start);
                cells.emplace_back(line.substr(start, tab - start));
                if (tab == std::string_view::npos) {
                    break;
                }
                start = tab + 1;
            }
            lines.push_back(std::move(cells));
        }
        return lines;
    }
    static Cells Line(std::string action, Cells types, Cells before, Cells after,
                      std::string featuresBefore, std::string featuresAfter,
                      Cells refused = {"", ""}) {
        Cells cells{"2026-12-07T16:30:05+01:00", "mmeier", "KONSTR-07", "C:\\Teile\\A.psm",
                    std::move(action)};
        cells.insert(cells.end(), types.begin(), types.end());
        cells.insert(cells.end(), before.begin(), before.end());
        cells.insert(cells.end(), after.begin(), after.end());
        cells.push_back(std::move(featuresBefore));
        cells.push_back(std::move(featuresAfter));
        cells.insert(cells.end(), refused.begin(), refused.end());
        return cells;
    }

    sim::Document* document = nullptr;
};

const Cells St15{"1.5", "1.5", "0.44", "2.5", "1.5"};
const Cells Al20{"2", "3", "0.4", "3", "2"};
const Cells St15ToAl20{"Stahl", "St 1,5", "Aluminium", "Al 2,0"};
const Cells Al20ToSt15{"Aluminium", "Al 2,0", "Stahl", "St 1,5"};

TEST_F(JournalCommandsTest, AWriteAndItsWriteBackAreALineEachWithTheFeaturesAroundThem) {
    StartOnA();
    document->AddFeature("Flange 1").FailWhen("SM_Thickness", [](double t) { return t > 0.0018; });
    Write({MessageAnswer::Yes});
    EXPECT_THAT(Lines(), ElementsAre(Line("geschrieben", St15ToAl20, St15, Al20, "",
                                          "Fehler bei:  Flange 1"),
                                     Line("zurückgeschrieben", Al20ToSt15, Al20, St15,
                                          "Fehler bei:  Flange 1", "")));
}

TEST_F(JournalCommandsTest, TheResetChecksNoFeatureAndValuesAreInTheUsersNumberFormat) {
    separator = ',';
    StartOnA();
    Write();
    Click(MainControl::ResetButton);
    const Cells st15{"1,5", "1,5", "0,44", "2,5", "1,5"};
    const Cells al20{"2", "3", "0,4", "3", "2"};
    EXPECT_THAT(Lines(), ElementsAre(Line("geschrieben", St15ToAl20, st15, al20, "", ""),
                                     Line("zurückgesetzt", Al20ToSt15, al20, st15, "nicht geprüft",
                                          "nicht geprüft")));
}

TEST_F(JournalCommandsTest, AWriteStoppedAfterAPutIsRefusedNamesTheTypeAndThePartAsItWasLeft) {
    StartOnA();
    // The third value is refused: the first two are put back.
    sim.FailWhen(*sim::CallMatch::Parse("put VariableValue"), sim::Simulator::DefaultFault(), 1, 2);
    Write();
    EXPECT_THAT(Lines(), ElementsAre(Line("abgelehnt", {"Stahl", "St 1,5", "Stahl", "St 1,5"}, St15,
                                          St15, "", "nicht geprüft", {"Aluminium", "Al 2,0"})));
}

TEST_F(JournalCommandsTest, AResetClickedWhileAWriteRunsRunsAfterItAndIsJournalledAfterIt) {
    StartOnA();
    pump.OnRun = [this] {
        pump.OnRun = nullptr;
        Click(MainControl::ResetButton);
        EXPECT_EQ(document->SheetMetal().Thickness, 0.002) << "nothing runs inside the write";
    };
    Write();
    EXPECT_THAT(Lines(), ElementsAre(Line("geschrieben", St15ToAl20, St15, Al20, "", ""),
                                     Line("zurückgesetzt", Al20ToSt15, Al20, St15, "nicht geprüft",
                                          "nicht geprüft")));
}

TEST_F(JournalCommandsTest, CommandsThatChangeNothingWriteNoLine) {
    StartOnA();
    Click(MainControl::ResetButton); // the part holds its values already
    Choose(ListId::Tables, 0);       // St 1,5: the type the part carries
    Write();
    Choose(ListId::Tables, 1);
    sim.FailWhen(*sim::CallMatch::Parse("put VariableValue"), sim::Simulator::DefaultFault(), 1);
    Write(); // refused at the first put
    sim.ClearFaults();
    document->AddFeature("Flange 1").SetBaseStatus(sim::code::StatusFailed);
    Write({MessageAnswer::Cancel});
    EXPECT_EQ(document->SheetMetal().Thickness, Row2.Thickness);
    EXPECT_FALSE(ReadFileBytes(JournalFile())) << "not even a header";
}

TEST_F(JournalCommandsTest, AnUnwritableJournalLeavesTheWriteAndIsToldOnceARun) {
    const std::string blocker = folder.Write("blocker.txt", "a file, not a folder");
    const std::string journal = blocker + "/journal.txt";
    settings.Write("ORNA\\psm", "general", "JournalFile", journal);
    StartOnA();
    Write();
    EXPECT_EQ(document->SheetMetal().Thickness, 0.002);
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{"Journal nicht beschreibbar:\r\n" + journal, "ORNA Raziv",
                                     MessageButtons::Ok, MessageIcon::Exclamation}));
    Click(MainControl::ResetButton);
    EXPECT_EQ(document->SheetMetal().Thickness, 0.0015);
    EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST_F(JournalCommandsTest, AJournalOutOfReachIsTriedAgainAfterAMinuteAndLosesNoLine) {
    const std::string blocker = folder.Write("blocker.txt", "a file, not a folder");
    settings.Write("ORNA\\psm", "general", "JournalFile", blocker + "/journal.txt");
    StartOnA();
    Write();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    std::filesystem::remove(blocker); // the share is back
    Click(MainControl::ResetButton);
    EXPECT_FALSE(ReadFileBytes(blocker + "/journal.txt")) << "not waited for again at once";
    clock.Time += std::chrono::seconds(61);
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1);
    Write();
    const auto text = ReadFileBytes(blocker + "/journal.txt");
    ASSERT_TRUE(text);
    const auto first = text->find("\tgeschrieben\t");
    const auto second = text->find("\tzurückgesetzt\t");
    const auto third = text->find("\tgeschrieben\t", first + 1);
    EXPECT_TRUE(first < second && second < third && third != std::string::npos)
        << "every line, in order";
    EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST_F(JournalCommandsTest, ACrashWritesTheLinesThatWaitForTheJournalWithoutABoxOfItsOwn) {
    const std::string blocker = folder.Write("blocker.txt", "a file, not a folder");
    const std::string journal = blocker + "/journal.txt";
    settings.Write("ORNA\\psm", "general", "JournalFile", journal);
    StartOnA();
    Write();
    Click(MainControl::ResetButton);
    ASSERT_EQ(boxes.Shown.size(), 1u) << "the journal out of reach is told";
    std::filesystem::remove(blocker); // the share is back, psm does not know yet
    app.OnCrash("exception 0xC0000005 at 0x1234");
    const auto text = ReadFileBytes(journal);
    ASSERT_TRUE(text) << "the two lines would be lost with psm";
    const auto written = text->find("\tgeschrieben\t");
    const auto reset = text->find("\tzurückgesetzt\t");
    EXPECT_TRUE(written < reset && reset != std::string::npos) << *text;
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Icon, MessageIcon::Critical) << "only the crash is told";
    EXPECT_TRUE(ReadFileBytes(folder.PathOf("blocker.txt/psm-crash.txt")))
        << "the report beside the journal";
}

TEST_F(JournalCommandsTest, ADocumentWithoutAFullNameIsJournalledByItsName) {
    StartOnA();
    sim.FailWhen(sim::CallMatch::Member("FullName"));
    Write();
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0][3], "A.psm");
}

TEST_F(JournalCommandsTest, TheJournalIsTheSettingsFileElseInTheUsersLocalApplicationData) {
    Start();
    EXPECT_EQ(JournalPathOf(settings, state.Settings, station), JournalFile());
    settings.Write("ORNA\\psm", "general", "JournalFile", "");
    EXPECT_EQ(JournalPathOf(settings, state.Settings, station),
              "C:\\Users\\mmeier\\AppData\\Local\\ORNA\\psm\\journal.txt");
    station.AppData.clear();
    EXPECT_EQ(JournalPathOf(settings, state.Settings, station), "") << "nowhere to write it";
}

TEST_F(JournalCommandsTest, TheJournalCommandOpensTheJournalCreatedWithItsHeader) {
    StartOnA();
    app.OnMenuCommand(MenuCommand::OpenJournal);
    EXPECT_EQ(ReadFileBytes(JournalFile()), JournalHeader(state.Texts));
    Write();
    const auto written = ReadFileBytes(JournalFile());
    app.OnMenuCommand(MenuCommand::OpenJournal);
    EXPECT_EQ(ReadFileBytes(JournalFile()), written) << "an existing journal is left as it is";
    EXPECT_THAT(station.Opened, ElementsAre(JournalFile(), JournalFile()));
    EXPECT_THAT(boxes.Shown, IsEmpty());

    const std::string blocker = folder.Write("blocker.txt", "a file, not a folder");
    settings.Write("ORNA\\psm", "general", "JournalFile", blocker + "/journal.txt");
    app.OnMenuCommand(MenuCommand::OpenJournal);
    EXPECT_EQ(station.Opened.size(), 2u);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Journal nicht beschreibbar:\r\n" + blocker + "/journal.txt");
}

} // namespace
} // namespace psm::test
