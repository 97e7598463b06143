#pragma once

// Every command, tick and step the application runs, in one table: what a
// crash report calls it, what runs it, and how it meets the gate that a
// running command, tick or step holds closed.

#include "app/AppState.h"
#include "app/Services.h"
#include "core/MainView.h"
#include "core/SurveyView.h"

#include <cstddef>
#include <string_view>
#include <variant>

namespace psm {

// The events that come with no command of a view.
enum class AppEvent {
    StartUp,
    Tick,
    SurveyStep,
    PopupMenu,
    TableList,
    TypeList,
    CloseBox,
    SurveyCheckBox,
    SurveyColumn,
    SurveyClose,
};

using CommandKey =
    std::variant<MainCommand, MenuCommand, PropertiesCommand, SurveyCommand, AppEvent>;

// How an event meets the gate while a command, tick or step runs.
enum class GateKind {
    // The user's: it waits and runs afterwards, in order. While it runs the
    // survey window takes no input, and refused CAD calls are asked again
    // within one budget.
    Command,
    // A tick, or the start-up: dropped, the next tick asks again. It never
    // waits for a busy CAD program.
    Tick,
    // A survey step: due again a little later. It never waits for a busy CAD
    // program either.
    Step,
};

// What an event brings along.
struct CommandArguments {
    int Number = 0;       // a list position or a survey column
    int Table = 0;        // the table whose types the type list showed
    std::size_t Part = 0; // the survey's part a check box belongs to
    bool Flag = false;    // a survey part's check; the main window is active
};

using CommandHandler = void (*)(AppState&, const Services&, const CommandArguments&);

struct CommandRow {
    CommandKey Key;
    std::string_view Activity; // what a crash report says psm was doing
    GateKind Gate;
    CommandHandler Run;
};

// The row of `key`: every command of every view and every event has one.
const CommandRow& RowOf(const CommandKey& key);

} // namespace psm
