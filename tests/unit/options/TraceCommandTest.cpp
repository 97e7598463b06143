// The trace of the CAD calls as the user asks for it (the setting, the
// options menu), what it holds, and the crash report that tells its last calls.

#include "AppTestSupport.h"
#include "platform/FileRead.h"
#include "platform/Version.h"
#include "present/MainPresenter.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

class TraceTest : public AppFixture {
  protected:
    std::string TraceFile() const { return folder.PathOf("psm-trace.txt"); }
    std::string Trace() const { return ReadFileBytes(TraceFile()).value_or(""); }
    // The calls' lines, below the head's column headings.
    std::vector<std::string> CallLines() const {
        const std::string trace = Trace();
        std::vector<std::string> lines;
        size_t at = trace.find(cad::TraceHeadings());
        for (at = at == std::string::npos ? at : at + cad::TraceHeadings().size();
             at < trace.size();) {
            const size_t end = trace.find("\r\n", at);
            lines.push_back(trace.substr(at, end - at + 2));
            at = end + 2;
        }
        return lines;
    }
    bool MenuShowsTraceOn() const {
        const std::vector<MenuItem> menu = PopupMenuItems(state.Texts, tracing.On());
        for (const MenuItem& item : menu[0].Children) {
            if (item.Command == MenuCommand::ToggleTrace) {
                return item.Checked;
            }
        }
        return false;
    }
    // The user chooses St 2,0 (A.psm holds St 1,5) and writes it.
    void WriteAnotherType() {
        Choose(ListId::Types, 2);
        Click(MainControl::WriteButton);
    }
};

TEST_F(TraceTest, WithTheSettingTheStartTellsItsFactsAndEveryCallBesideTheJournal) {
    settings.Write("ORNA\\psm", "general", "Trace", "1");
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    const std::string trace = Trace();
    EXPECT_THAT(trace, StartsWith(std::string(VersionLine) +
                                  ": trace of the calls into the CAD program, from "
                                  "2026-12-07T16:30:05+01:00\r\nSystem: Windows 10.0.19045\r\n"));
    EXPECT_THAT(trace, HasSubstr("Value file: " + state.ValueFilePath + ", " +
                                 std::to_string(WorkedExample.size()) +
                                 " bytes, check: no problems\r\nLanguage: de\r\nDPI: 120\r\n"));
    EXPECT_EQ(CallLines().size(), sim.Log().Size());
    EXPECT_TRUE(MenuShowsTraceOn());
}

TEST_F(TraceTest, WithoutItNothingIsWritten) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    WriteAnotherType();
    Tick();
    EXPECT_EQ(ReadFileBytes(TraceFile()), std::nullopt);
    EXPECT_FALSE(MenuShowsTraceOn());
}

TEST_F(TraceTest, TheMenuTurnsItOnForTheReferencesHeldAlreadyAndOffAgain) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    app.OnMenuCommand(MenuCommand::ToggleTrace);
    EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Trace"), "1");
    EXPECT_TRUE(MenuShowsTraceOn());
    const size_t before = sim.Log().Size();
    WriteAnotherType();
    ASSERT_FALSE(sim.VariableWrites().empty());
    EXPECT_EQ(CallLines().size(), sim.Log().Size() - before) << Trace();

    app.OnMenuCommand(MenuCommand::ToggleTrace);
    EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Trace"), "0");
    const std::string stopped = Trace();
    Click(MainControl::ResetButton);
    Tick();
    EXPECT_GT(sim.Log().Size(), before);
    EXPECT_EQ(Trace(), stopped);
    EXPECT_FALSE(MenuShowsTraceOn());
}

TEST_F(TraceTest, AFileThatCannotBeWrittenIsToldAndTheTraceStaysOff) {
    // Below a file, where no folder can be made.
    const std::string below = folder.PathOf("psm_mm.txt") + "/x/";
    settings.Write("ORNA\\psm", "general", "JournalFile", below + "journal.txt");
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    app.OnMenuCommand(MenuCommand::ToggleTrace);
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Protokoll nicht beschreibbar:\r\n" + below + "psm-trace.txt");
    EXPECT_FALSE(MenuShowsTraceOn());
    EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Trace"), "");
}

TEST_F(TraceTest, ACrashReportTellsTheVersionTheCommandAndTheLastCalls) {
    settings.Write("ORNA\\psm", "general", "Trace", "1");
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    // The system ends psm in the middle of the write.
    std::vector<std::string> calls;
    pump.OnRun = [&] {
        calls = CallLines();
        app.OnCrash("exception 0xC0000005 at 0x1234");
    };
    WriteAnotherType();

    const auto text = ReadFileBytes(folder.PathOf("psm-crash.txt"));
    ASSERT_TRUE(text);
    ASSERT_GT(calls.size(), LastCallsKept);
    std::string last;
    for (size_t i = calls.size() - LastCallsKept; i < calls.size(); ++i) {
        last += calls[i];
    }
    EXPECT_EQ(*text, std::string(VersionLine) +
                         ": crash report\r\n"
                         "Time: 2026-12-07T16:30:05+01:00\r\n"
                         "System: Windows 10.0.19045\r\n"
                         "Failure: exception 0xC0000005 at 0x1234\r\n"
                         "Doing: write button\r\n"
                         "Minidump: " +
                         folder.PathOf("psm-crash.dmp") + "\r\nTrace: " + TraceFile() +
                         "\r\nLast CAD calls:\r\n" + last);
    ASSERT_FALSE(boxes.Shown.empty());
    EXPECT_EQ(boxes.Shown.back().Text, "Unerwarteter Fehler, Programm wird beendet\r\n\r\n"
                                       "Bericht für den Support:\r\n" +
                                           folder.PathOf("psm-crash.txt") + "\r\n" +
                                           folder.PathOf("psm-crash.dmp"));
}

} // namespace
} // namespace psm::test
