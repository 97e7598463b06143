#pragma once

// "Schreiben" in the survey window: the type the main window's lists show,
// into every checked sheet-metal part, each whole or not at all.

#include "apply/Writer.h"
#include "core/Boxes.h"
#include "core/States.h"
#include "survey/SurveyRun.h"

namespace psm {

// What the survey's write works with: the survey's parts, the writer, the
// type the lists chose, the main window's document (read anew when written),
// the boxes and the survey's ports (it reads the parts again at the end).
struct BatchCommand {
    SurveyState& Survey;
    const Writer& Write;
    const ListsState& Lists;
    ShownDocument& Shown;
    Asking Ask;
    const SurveyPorts& Ports;
};

// Each part is read anew and written with its features checked before and
// after, the recompute held around it; one redraw at the end and one summary
// box. Parts whose features fail after the write get their earlier values
// back when the user says yes. Every change is journalled; the survey reads
// the parts again afterwards.
void WriteCheckedParts(const BatchCommand& c);

// "Auf Standard setzen": every checked part that carries no type gets its own
// nearest type (the one its row shows), after one question that says how
// many parts get which type, written exactly as WriteCheckedParts writes.
// Parts of a type, or without a nearest type, are left and named.
void SetCheckedPartsToStandard(const BatchCommand& c);

} // namespace psm
