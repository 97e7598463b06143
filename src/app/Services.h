#pragma once

// The platform services the program's procedures work through. wWinMain fills
// it with the Win32 implementations, tests with fakes and the simulator.

#include "cad/Automation.h"
#include "cad/BusyRetry.h"
#include "core/CallTracing.h"
#include "core/MainView.h"
#include "core/SurveyView.h"
#include "platform/Clock.h"
#include "platform/CrashDump.h"
#include "platform/EventPump.h"
#include "platform/MessageBoxes.h"
#include "platform/MousePointer.h"
#include "platform/ProgramLocation.h"
#include "platform/TextDecoding.h"
#include "platform/Workstation.h"
#include "tables/SettingsStore.h"

#include <functional>

namespace psm {

struct Services {
    MainView& View;
    PropertiesView& Properties;
    MessageBoxes& Boxes;
    SettingsStore& Settings;
    cad::Automation& Automation;
    MousePointer& Pointer;
    EventPump& Events;
    const ProgramLocation& Location;
    // The decimal separator of the user's number format.
    std::function<char()> UserDecimalSeparator;
    // 8-bit text of the user's code page to UTF-8; empty: Windows-1252.
    AnsiDecoder DecodeAnsi;
    // Who changes a part where and when, for the journal, and the user's editor.
    Workstation& Station;
    // How long a command may wait for a busy CAD program; the automation
    // draws on it, the application opens it for each command.
    cad::WaitBudget& Waits;
    Clock& Time;
    SurveyView& Survey;
    // The trace of the CAD calls; Automation reaches the CAD program through it.
    CallTracing& Tracing;
    CrashDump& Dump;
    // "/trace" on the command line: the trace runs from the start.
    bool TraceAtStart = false;
};

} // namespace psm
