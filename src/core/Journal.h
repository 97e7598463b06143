#pragma once

// The journal: one line for every change psm makes to a part, appended to a
// file that several designers may share. A journal that cannot be written
// never stops or undoes a change; the user hears of it once a run.

#include "core/AppState.h"
#include "core/Services.h"
#include "journal/JournalLine.h"

#include <string>

namespace psm {

// The journal's file: the setting "JournalFile", else journal.txt in the
// program's folder (the settings' application name, ORNA\psm) below the
// user's local application data.
std::string JournalPath(const AppState& state, const Services& services);
std::string JournalPathOf(const SettingsStore& settings, const SettingsNames& names,
                          const Workstation& station);

// For the features' state when the command ran no check.
std::string UncheckedFeatures(const AppState& state);

// One write of a command, as the journal tells it.
struct JournalledWrite {
    JournalAction Action = JournalAction::Written; // what the write was meant to do
    cad::WriteOutcome Outcome = cad::WriteOutcome::NotWritten;
    // What it found and left, taken from LastWrite as soon as the write
    // returned: a command run by pending events later writes its own.
    cad::WriteReport Report;
    std::string FeaturesBefore, FeaturesAfter;
};

// After a write into the document of that full name (read before the write,
// so that a program busy by now does not leave the line nameless): one line
// when it changed the part, with the type the values before and after belong
// to. A write that stopped counts as refused, whatever it was meant to do.
void JournalWrite(AppState& state, const Services& services, const std::string& documentName,
                  const JournalledWrite& write);

// Tries once more to append the lines that wait for a journal that could not
// be written, at the end of the program.
void FlushJournal(AppState& state, const Services& services);

// At the end of a command: tells the user that a line could not be written,
// the first time in a run only.
void ReportUnwrittenJournal(AppState& state, const Services& services);

// The box that says the journal at `path` cannot be written.
void ShowJournalNotWritable(const AppState& state, const Services& services,
                            const std::string& path);

} // namespace psm
