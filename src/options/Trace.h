#pragma once

// The trace of the CAD calls on request, and where it and a crash report go:
// beside the journal. The setting "Trace" = "1", or "/trace" on the command
// line, starts it with the program; the options menu turns it on and off.

#include "cad/Automation.h"
#include "core/Boxes.h"
#include "core/CallTracing.h"
#include "core/HeldReferences.h"
#include "core/MainView.h"
#include "core/States.h"
#include "platform/TextDecoding.h"
#include "platform/Workstation.h"
#include "tables/SettingsStore.h"

#include <string>

namespace psm {

// The journal's folder, with its trailing separator; empty when unknown.
std::string SupportFolder(const SettingsStore& settings, const Workstation& station);

// What the trace works with: the trace itself, where it goes, the facts its
// head tells, the box that says it cannot be written, the automation that
// hands out references traced or plain.
struct TracePorts {
    CallTracing& Tracing;
    SettingsStore& Settings;
    Workstation& Station;
    const MainView& View; // the DPI
    const AnsiDecoder& DecodeAnsi;
    MessageBoxes& Boxes;
    cad::Automation& Automation;
};

// psm-trace.txt in the journal's folder; empty when that is unknown.
std::string TracePath(const TracePorts& ports);

// The trace's head: psm's version and the start's facts (the system, the
// value file with its size and its check, the language, the DPI), then the
// column headings.
std::string TraceHead(const ProgramContext& program, const TracePorts& ports);

// The setting "Trace".
bool TraceSetting(const SettingsStore& settings, const SettingsNames& names);
void WriteTraceSetting(SettingsStore& settings, const SettingsNames& names, bool on);

// Starts the trace: its head, and every call into the CAD program from now
// on. When its file cannot be written, says so and returns false.
bool StartTrace(const ProgramContext& program, const TracePorts& ports);

// The menu's "Protokoll": starts or stops the trace and keeps the choice.
// Every CAD reference the program holds is handed out anew by the
// automation: traced after the trace was turned on, plain after it was
// turned off.
void ToggleTrace(const ProgramContext& program, const TracePorts& ports,
                 const HeldReferences& held);

} // namespace psm
