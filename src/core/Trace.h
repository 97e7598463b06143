#pragma once

// The trace of the CAD calls on request, and where it and a crash report go:
// beside the journal. The setting "Trace" = "1", or "/trace" on the command
// line, starts it with the program; the options menu turns it on and off.

#include "core/AppState.h"
#include "core/Services.h"

#include <string>

namespace psm {

// The journal's folder, with its trailing separator; empty when unknown.
std::string SupportFolder(const SettingsStore& settings, const Workstation& station);

// psm-trace.txt in the journal's folder; empty when that is unknown.
std::string TracePath(const Services& services);

// The trace's head: psm's version and the start's facts (the system, the
// value file with its size and its check, the language, the DPI), then the
// column headings.
std::string TraceHead(const AppState& state, const Services& services);

// The setting "Trace".
bool TraceSetting(const SettingsStore& settings, const SettingsNames& names);
void WriteTraceSetting(SettingsStore& settings, const SettingsNames& names, bool on);

// Starts the trace: its head, and every call into the CAD program from now
// on. When its file cannot be written, says so and returns false.
bool StartTrace(const AppState& state, const Services& services);

// Every CAD reference the program holds (ForEachHeldReference), handed out
// anew by the automation: traced after the trace was turned on, plain after
// it was turned off.
void ReissueCadReferences(AppState& state, cad::Automation& automation);

} // namespace psm
