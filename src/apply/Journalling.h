#pragma once

// The writes' lines in the journal: one line for every change psm makes to a
// part, appended to a file that several designers may share. A journal that
// cannot be written never stops or undoes a change; the user hears of it once
// a run.

#include "cad/SheetMetalVariables.h"
#include "core/Boxes.h"
#include "core/States.h"
#include "journal/JournalLine.h"
#include "journal/JournalQueue.h"
#include "platform/Clock.h"
#include "platform/Workstation.h"
#include "tables/SettingsStore.h"

#include <string>

namespace psm {

// What the journal is written with: where it is set, who writes, when.
struct JournalPorts {
    SettingsStore& Settings;
    Workstation& Station;
    Clock& Time;
};

// The journal's file: the setting "JournalFile", else journal.txt in the
// program's folder (the settings' application name, ORNA\psm) below the
// user's local application data.
std::string JournalPathOf(const SettingsStore& settings, const SettingsNames& names,
                          const Workstation& station);

// For the features' state when the command ran no check.
std::string UncheckedFeatures(const LanguageTexts& texts);

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
void JournalWrite(JournalState& journal, const ProgramContext& program, const JournalPorts& ports,
                  const std::string& documentName, const JournalledWrite& write);

// Tries once more to append the lines that wait for a journal that could not
// be written, at the end of the program.
void FlushJournal(JournalState& journal, const ProgramContext& program, const JournalPorts& ports);

// At the end of a command: tells the user that a line could not be written,
// the first time in a run only.
void ReportUnwrittenJournal(JournalState& journal, const Asking& ask);

// The box that says the journal at `path` cannot be written.
void ShowJournalNotWritable(const Asking& ask, const std::string& path);

} // namespace psm
