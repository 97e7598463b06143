#pragma once

// The program's whole state: each behaviour's own part, and the run. Only the
// application holds it; a behaviour is handed the parts it owns or reads.

#include "core/States.h"
#include "core/Survey.h"
#include "journal/JournalQueue.h"
#include "survey/BatchWrite.h"
#include "texts/Texts.h"

#include <optional>
#include <string_view>

namespace psm {

// The program's own run: the command or tick in progress, and whether it has ended.
struct RunState {
    int CommandDepth = 0; // > 0 while a command or tick runs
    bool Ended = false;   // set by ExitProgram; no handler does anything afterwards
    // What the program is doing, for a crash report: the command or tick
    // under way, or the last one when it failed.
    std::string_view Activity = "start";
};

// The whole program's state: each behaviour's own part, and the run. The
// application holds it; a behaviour is handed only the parts it owns or reads.
struct AppState : ProgramContext, WatchState, WriterState, ListsState {
    // The hint the status bar shows; none: the text is empty.
    std::optional<CaptionText> Hint;
    JournalState Journal;
    SurveyState Survey;
    BatchState Batch; // the survey's write under way
    RunState Run;
};

// Marks a command (or a tick) as running for its lifetime.
class CommandScope {
  public:
    explicit CommandScope(AppState& state) : m_run(state.Run) { ++m_run.CommandDepth; }
    ~CommandScope() { --m_run.CommandDepth; }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

  private:
    RunState& m_run;
};

} // namespace psm
