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

// The warned and failed features of the last check, "; "-separated, each
// with its label; empty when all are healthy.
std::string CheckedFeatures(const cad::FeatureCheck& check);

// For the features' state when the command ran no check.
std::string UncheckedFeatures(const AppState& state);

// After a write into `document`: one line when it changed the part, with what
// the write found and left there (LastWrite) and the type each belongs to.
// A write that stopped counts as refused, whatever it was meant to do.
void JournalWrite(AppState& state, const Services& services, const cad::ObjectRef& document,
                  JournalAction action, cad::WriteOutcome outcome,
                  const std::string& featuresBefore, const std::string& featuresAfter);

// At the end of a command: tells the user that a line could not be written,
// the first time in a run only.
void ReportUnwrittenJournal(AppState& state, const Services& services);

} // namespace psm
