#pragma once

// The survey of an assembly: every part its components lead to, each read as
// the watch reads the one part it shows (values, recognised type or nearest
// type) and with its features' state. Read a part at a time, so that the
// window answers and a busy CAD program only pauses it.

#include "cad/AssemblyParts.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "tables/TableModel.h"
#include "tables/TypeMatch.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// What a part of the survey is, as far as it was read.
enum class PartKind {
    Unread,      // not read yet, or its read met a busy or vanished program
    SheetMetal,  // a sheet-metal document, read
    Other,       // another kind of document: nothing to work on
    LinkBlocked, // its component's link is blocked
    LinkMissing, // its component leads to no document that can be found
    NoPart,      // a component of neither known kind
    TypeUnread,  // its document type could not be read: nothing known of it
    Unreachable, // its document no longer answers as existing (closed, disconnected)
};

struct SurveyPart {
    cad::ObjectRef Document;
    std::string Name;   // the document's file name; a component's for one without a part
    int Components = 1; // how many components lead to it
    PartKind Kind = PartKind::Unread;
    cad::CadValues Values; // in CAD units
    int TypeRow = 0;       // the value file's type that carries them; 0: none
    NearestType Nearest;   // for a sheet-metal part of no type
    std::vector<cad::FeatureFinding> Findings;
    bool CopiedPart = false;
    bool Checked = false; // the user's check box
};

enum class SurveyPhase {
    Reading,         // parts wait to be read
    Done,            // every part is read
    Cancelled,       // the user stopped it
    NothingToSurvey, // neither an assembly nor a sheet-metal document is active
    Unreachable,     // the CAD program or its active document cannot be reached
};

struct SurveyState {
    bool Open = false; // the survey window is shown
    SurveyPhase Phase = SurveyPhase::NothingToSurvey;
    // The survey's own attach: the watch's connection stays the watch's.
    cad::CadConnection Cad;
    std::string Subject; // the surveyed document's name
    // The surveyed assembly, seen as one; none for a single sheet-metal document.
    cad::ObjectRef Assembly;
    std::vector<SurveyPart> Parts; // in the order of their first component
    std::size_t Read = 0;          // the parts read so far, from the first
    bool Waiting = false;          // the CAD program did not answer the last step
    // The order the window lists the parts in: a column (0-based) and its direction.
    std::optional<int> SortColumn;
    bool Descending = false;
};

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
