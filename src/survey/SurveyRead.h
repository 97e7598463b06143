#pragma once

// Reading the survey of an assembly: every part its components lead to, each
// read as the watch reads the one part it shows (values, recognised type or
// nearest type) and with its features' state. Read a part at a time, so that
// the window answers and a busy CAD program only pauses it.

#include "cad/Automation.h"
#include "core/Survey.h"
#include "tables/TableModel.h"

#include <functional>

namespace psm {

// Attaches to the CAD program and begins with its active document: the walk
// of an assembly's tree, or a sheet-metal document itself listed. No part is
// read yet.
void BeginSurvey(SurveyState& survey, cad::Automation& automation);

// Walks the assembly's tree until `enough` says so; once the walk ends, its
// parts and sub-assemblies are listed. False when the CAD program did not
// answer: the walk goes on from there at the next step.
bool WalkSurveyTree(SurveyState& survey, const std::function<bool()>& enough);

// Reads the next part. False when the CAD program did not answer: the part
// stays unread and is asked for again at the next step.
bool ReadNextPart(SurveyState& survey, const TableModel& tables);

// Reads `part` anew: false when the read was cut short by a busy program. A
// document that is gone is read to the end: it is unreachable.
bool ReadPart(SurveyPart& part, const TableModel& tables);

// What the command line reports: 0 every sheet-metal part carries a type of
// the value file, 1 at least one does not, 2 the CAD program, its document or
// a part could not be reached or read.
int SurveyExitCode(const SurveyState& survey);

} // namespace psm
