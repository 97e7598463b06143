#pragma once

// "Schreiben" in the survey window: the type the main window's lists show,
// into every checked sheet-metal part, each whole or not at all.

#include "apply/WriteTexts.h"
#include "apply/Writer.h"
#include "core/Boxes.h"
#include "core/States.h"
#include "survey/SurveyRun.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// One part to write and the type it gets.
struct PlannedWrite {
    std::size_t Part; // its place in the survey
    int TypeRow;
    cad::CadValues Targets;
};

// A write into many parts under way: it runs a slice of parts per survey
// step, so that the windows answer and "Abbrechen" stops it between parts.
struct BatchState {
    bool Running = false;
    std::vector<PlannedWrite> Plan;
    std::vector<NamedWrite> Writes; // at the plan's places
    std::size_t Next = 0;           // the next part to write
    bool Cancelled = false;
    std::optional<std::string> TypeName; // none: each part's own nearest type
    std::string LeftAlone;               // the parts the plan passed over, for the summary
};

// What the survey's write works with: the survey's parts, the writer, the
// type the lists chose, the main window's document (read anew when written),
// the boxes and the survey's ports (it reads the parts again at the end).
struct BatchCommand {
    SurveyState& Survey;
    BatchState& Batch;
    const Writer& Write;
    const ListsState& Lists;
    ShownDocument& Shown;
    Asking Ask;
    const SurveyPorts& Ports;
};

// Each part is read anew and written with its features checked before and
// after, the recompute held around it, a slice of parts per survey step
// (ContinueBatch); one redraw at the end and one summary box. Parts whose features fail after the
// write get their earlier values back when the user says yes. Every change is journalled; the
// survey reads the parts again afterwards.
void WriteCheckedParts(const BatchCommand& c);

// "Auf Standard setzen": every checked part that carries no type gets its own
// nearest type (the one its row shows), after one question that says how
// many parts get which type, written exactly as WriteCheckedParts writes.
// Parts of a type, or without a nearest type, are left and named.
void SetCheckedPartsToStandard(const BatchCommand& c);

// The survey step of a write under way: writes parts for a slice of time
// (at least one), and at the end, after "Abbrechen" or once the CAD program
// stops answering, the summary; parts not written by then are "not tried".
void ContinueBatch(const BatchCommand& c);

// "Abbrechen" while parts are written: the next step writes no more.
void CancelBatch(BatchState& batch);

} // namespace psm
