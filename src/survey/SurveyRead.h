#pragma once

// Reading the survey of an assembly: every part its components lead to, each
// read as the watch reads the one part it shows (values, recognised type or
// nearest type) and with its features' state. Read a part at a time, so that
// the window answers and a busy CAD program only pauses it.

#include "cad/Automation.h"
#include "core/Survey.h"
#include "tables/TableModel.h"

namespace psm {

// Attaches to the CAD program and lists the parts of its active document: the
// parts of an assembly's components, or a sheet-metal document itself. No
// part is read yet.
void BeginSurvey(SurveyState& survey, cad::Automation& automation);

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
