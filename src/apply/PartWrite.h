#pragma once

// Writing five values into one part: the one operation behind the main
// window's write, its write-back, the reset and the survey's write into many
// parts. It reads the part anew, checks its features before and after, puts
// the values whole or not at all with the recompute held, journals the change
// and says what came of it. The callers differ only in policy: which
// question, which summary, when to redraw.

#include "apply/Writer.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "journal/JournalLine.h"

#include <functional>
#include <string>

namespace psm {

// What one write into one part came to.
enum class PartWriteResult {
    Written,          // landed, and the check after found nothing (or none was asked for)
    WrittenFailing,   // landed, and features now fail or warn
    WrittenUnchecked, // landed, but the check after was cut short
    AlreadyType,      // the part carries the type already: nothing put
    FailingBefore,    // features failed before, and the write was not made
    CopiedPart,       // a copied part, and the write was not made
    NotInAssembly,    // the surveyed assembly no longer reaches the part
    Gone,             // the document or the program is gone
    Busy,             // the program did not answer; what it owes waits for the ticks
    Missing,          // a variable or a value is missing: nothing put
    Refused,          // the program refused a value; the part is as it was
    NotKept,          // a value did not read back as sent; the part is as it was
    Mixed,            // stopped, and not every changed value could be put back
};

bool Landed(PartWriteResult result);

// Which feature check runs before the write.
enum class CheckBefore {
    None,    // no check: the caller knows the state (the write-back) or wants none (the reset)
    Confirm, // a check; when it finds failing or warned features, or is cut
             // short, ConfirmDespite decides (none: the write is not made)
};

struct PartWriteRequest {
    cad::ObjectRef Document;
    cad::CadValues Targets; // in CAD units
    JournalAction Action = JournalAction::Written;
    // A type row: when the part's values carry this type already, nothing is put.
    int SkipWhenType = 0;
    CheckBefore Before = CheckBefore::Confirm;
    // With CheckBefore::None: the journal's cell for the features before.
    std::string FeaturesBefore;
    bool CheckAfter = true;
    // With CheckBefore::Confirm, for a check that is not clean: true to write all the same.
    std::function<bool(const cad::FeatureCheck&)> ConfirmDespite;
    // One of many parts: the redraw is left to the end of them all.
    cad::AfterWrite Redraw = cad::AfterWrite::Redraw;
};

struct PartWriteOutcome {
    PartWriteResult Result = PartWriteResult::Busy;
    std::string FullName;     // read before anything was put
    cad::CadValues Found;     // the part's values as the operation read them
    cad::WriteReport Report;  // what the write found, meant to put and left
    cad::FeatureCheck Before; // the check before, when one ran
    cad::FeatureCheck After;  // the check after, when one ran
    bool CheckedBefore = false;
    bool CheckedAfter = false;
    // The check before was not clean, and the write was not made for it.
    bool Declined = false;
    // The program may still hold its recompute: put-backs or the release wait
    // for the ticks.
    bool HoldPending = false;
};

// Reads the part, checks it as asked, writes the targets, checks it again and
// journals the change. Whatever the program still owes (put-backs, the
// release of its recompute) waits in the writer's pending put-backs; a write is only
// made once nothing waits any more. `connection` is the attach the document
// came from (the watch's or the survey's).
PartWriteOutcome WritePart(const Writer& writer, const cad::CadConnection& connection,
                           const PartWriteRequest& request);

// The journal's cell for the features a check found: "nicht geprüft" when it
// did not run to its end.
std::string FeaturesCell(const LanguageTexts& texts, const cad::FeatureCheck& check, bool ran);

} // namespace psm
