// What a shop's CAD administrator sends back: the trace of the CAD calls of
// the real psm.exe against simcad.exe, and the crash report of a failure.

#include "EndToEnd_win32.h"
#include "platform/FileRead.h"
#include "platform/Version.h"

#include <cmath>
#include <windows.h>

namespace psm::e2e {
namespace {

// A call as both sides tell it: the operation, the member (only when psm
// named it by dispatch identifier: a name is looked up before the call), the
// arguments with the assigned value, the failure's code.
struct CallShape {
    std::string Operation, Member, Arguments, Failure;
    friend bool operator==(const CallShape&, const CallShape&) = default;
    friend std::ostream& operator<<(std::ostream& out, const CallShape& call) {
        return out << call.Operation << " " << call.Member << call.Arguments << " " << call.Failure;
    }
};

CallShape Shape(std::string operation, const std::string& call, std::string failure) {
    const size_t end = call.find_first_of("( ");
    std::string member = call.substr(0, end);
    return {std::move(operation), member.starts_with("#") ? member : std::string(),
            end == std::string::npos ? std::string() : call.substr(end), std::move(failure)};
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    for (size_t at = 0; at < text.size();) {
        const size_t end = text.find_first_of("\r\n", at);
        lines.push_back(text.substr(at, end - at));
        at = text.find_first_not_of("\r\n", end);
    }
    return lines;
}

// Under Wine a minidump takes seconds where Windows takes a moment.
constexpr DWORD DumpMs = 30000;

class Trace : public EndToEnd {
  protected:
    void SetUp() override {
        EndToEnd::SetUp();
        settings::Set(L"JournalFile", Folder() + L"journal.txt");
        // The run's folder may hold the files of an earlier test.
        for (const wchar_t* name :
             {L"psm-trace.txt", L"psm-trace.old.txt", L"psm-crash.txt", L"psm-crash.dmp"}) {
            DeleteFileW((Folder() + name).c_str());
        }
    }
    std::string File(const wchar_t* name) const {
        return ReadFileBytes(Narrow(Folder() + name)).value_or("");
    }
    std::string TraceText() const { return File(L"psm-trace.txt"); }
    // The trace's gets, puts and calls. Interface queries are left out on
    // both sides: COM answers one it has answered before without asking
    // the program again.
    std::vector<CallShape> TracedCalls() const {
        std::vector<CallShape> calls;
        const std::vector<std::string> lines = Lines(TraceText());
        for (const std::string& line : lines) {
            std::vector<std::string> cells;
            for (size_t at = 0;;) {
                const size_t tab = line.find('\t', at);
                cells.push_back(line.substr(at, tab - at));
                if (tab == std::string::npos) {
                    break;
                }
                at = tab + 1;
            }
            if (cells.size() != 6) {
                continue; // the head
            }
            const size_t blank = cells[3].find(' ');
            const std::string operation = cells[3].substr(0, blank);
            if (operation == "get" || operation == "put" || operation == "call") {
                calls.push_back(Shape(operation, cells[3].substr(blank + 1),
                                      cells[4].starts_with("!") ? cells[4].substr(0, 11) : ""));
            }
        }
        return calls;
    }
    std::vector<CallShape> SimcadCalls() {
        std::vector<CallShape> calls;
        for (std::string line : Lines(simcad.LogText())) {
            std::string failure;
            if (const size_t arrow = line.find(" -> "); arrow != std::string::npos) {
                failure = line.substr(arrow + 4, 11);
                line.resize(arrow);
            }
            for (const char* operation : {"get", "put", "call"}) {
                const std::string spaced = std::string(" ") + operation + " ";
                if (const size_t at = line.find(spaced); at != std::string::npos) {
                    calls.push_back(Shape(operation, line.substr(at + spaced.size()), failure));
                    break;
                }
            }
        }
        return calls;
    }
    // psm with a failure in the middle of its writes, and a write.
    void StartFailing(const wchar_t* drill) {
        ASSERT_NO_FATAL_FAILURE(StartCad());
        SetEnvironmentVariableW(L"PSM_TEST_FAILURE", drill);
        const bool started = psm.Start();
        SetEnvironmentVariableW(L"PSM_TEST_FAILURE", nullptr);
        ASSERT_TRUE(started);
        WriteAnotherType();
    }
    // The box that names the report, answered; the report's text.
    std::string ExpectReport() {
        const auto box = psm.WaitForMessageBox(DumpMs);
        EXPECT_TRUE(box);
        if (!box) {
            return {};
        }
        EXPECT_EQ(box->Text, L"Unerwarteter Fehler, Programm wird beendet\r\n\r\n"
                             L"Bericht für den Support:\r\n" +
                                 Folder() + L"psm-crash.txt\r\n" + Folder() + L"psm-crash.dmp");
        EXPECT_TRUE(File(L"psm-crash.dmp").starts_with("MDMP"));
        EXPECT_TRUE(psm.Answer(*box, IDOK));
        EXPECT_TRUE(psm.WaitForExit(NoticeMs));
        const std::string text = File(L"psm-crash.txt");
        EXPECT_TRUE(text.starts_with(std::string(VersionLine) + ": crash report\r\n")) << text;
        return text;
    }
    // The user chooses St 2,0 for Halter (St 1,5) and writes it.
    void WriteAnotherType() {
        psm.Choose(MainControl::TypeList, 2);
        WaitUntil([] { return false; }, 200);
        psm.Click(MainControl::WriteButton);
    }
};

TEST_F(Trace, AStartAWriteAndAnExitLeaveEveryCallSimcadReceivedInItsOrder) {
    settings::Set(L"Trace", L"1");
    ASSERT_NO_FATAL_FAILURE(Start());
    WriteAnotherType();
    ASSERT_TRUE(WaitUntil(
        [&] { return std::fabs(simcad.SheetMetalValue("Halter.psm", 1) - 0.002) < 1e-12; },
        NoticeMs));
    psm.End();
    ASSERT_FALSE(psm.Running());

    const std::string trace = TraceText();
    EXPECT_TRUE(trace.starts_with(std::string(VersionLine) + ": trace of the calls")) << trace;
    EXPECT_NE(trace.find("Value file: " + Narrow(ValueFilePath()) + ", "), std::string::npos);
    const std::vector<CallShape> traced = TracedCalls();
    std::vector<CallShape> received = SimcadCalls();
    EXPECT_GT(traced.size(), 20u);
    for (size_t i = 0; i < traced.size() && i < received.size(); ++i) {
        if (traced[i].Member.empty()) {
            received[i].Member.clear(); // simcad knows a named member by its identifier
        }
    }
    EXPECT_EQ(traced, received) << trace;
}

TEST_F(Trace, TurningItOffInTheMenuStopsIt) {
    settings::Set(L"Trace", L"1");
    ASSERT_NO_FATAL_FAILURE(Start());
    // Optionen, its submenu, up to its last visible entry, "Protokoll".
    ASSERT_TRUE(psm.UseMenu({VK_DOWN, VK_RIGHT, VK_UP, VK_RETURN}));
    ASSERT_TRUE(WaitUntil([] { return settings::Get(L"Trace") == L"0"; }, NoticeMs));
    const std::string stopped = TraceText();
    const int calls = simcad.CallCount();
    SetForegroundWindow(psm.Main());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    EXPECT_GT(simcad.CallCount(), calls) << "psm went on asking";
    EXPECT_EQ(TraceText(), stopped);
}

TEST_F(Trace, AForcedFailureLeavesADumpAndATextThatTheBoxNames) {
    ASSERT_NO_FATAL_FAILURE(StartFailing(L"exception"));
    const std::string text = ExpectReport();
    EXPECT_NE(text.find("\r\nFailure: an exception reached a window procedure\r\n"
                        "Doing: write button\r\n"),
              std::string::npos)
        << text;
    EXPECT_TRUE(text.ends_with("\r\nTrace: off, no CAD calls known\r\n")) << text;
    EXPECT_EQ(psm.Process()->ExitCode(), 0u) << "the orderly end";
}

TEST_F(Trace, ACrashWindowsWouldEndPsmForLeavesTheReportWithTheLastCalls) {
    settings::Set(L"Trace", L"1");
    ASSERT_NO_FATAL_FAILURE(StartFailing(L"crash"));
    const std::string text = ExpectReport();
    EXPECT_NE(text.find("\r\nFailure: exception 0xC0000005 at "), std::string::npos) << text;
    const size_t calls = text.find("\r\nLast CAD calls:\r\n");
    ASSERT_NE(calls, std::string::npos) << text;
    EXPECT_NE(text.find("\tput #3 = R8 0.002\tok\t", calls), std::string::npos) << text;
    EXPECT_EQ(psm.Process()->ExitCode(), static_cast<DWORD>(EXCEPTION_ACCESS_VIOLATION));
}

TEST_F(Trace, AnExceptionOutOfANoexceptFunctionLeavesTheReportInsteadOfAnAbort) {
    ASSERT_NO_FATAL_FAILURE(StartFailing(L"terminate"));
    const std::string text = ExpectReport();
    EXPECT_NE(text.find("\r\nFailure: std::terminate after the exception \"drill\"\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(psm.Process()->ExitCode(), 3u);
}

} // namespace
} // namespace psm::e2e
