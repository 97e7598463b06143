#pragma once

// The recompute switch around a write, and what a write could not finish
// because the program stopped answering: the values still to be put back and
// the release of the switch, asked again at later ticks until the program
// answers. A write never leaves the program holding its recompute for good.

#include "cad/Automation.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace psm::cad {

// Why a write stopped before its values landed.
enum class WriteStop {
    None,    // it did not stop
    Missing, // a variable, its value or its target is missing: nothing was put
    Refused, // the program refused a value
    NotKept, // a value did not read back as it was sent
    Busy,    // the program stopped answering
    Gone,    // the document or the program is gone
};

// What one write found in the document and left there, value by value, in
// CAD units; nothing for a value it could not read.
struct WriteReport {
    std::array<std::optional<double>, 5> Before;
    std::array<std::optional<double>, 5> After;
    std::array<std::optional<double>, 5> Target; // what the write meant to put
    bool Changed = false;     // a value was put, whether it stayed or was put back
    bool HoldPending = false; // the program may still be holding its recompute
    WriteStop Stop = WriteStop::None;
};

struct PendingRestore {
    struct PutBack {
        ObjectRef Variable;
        double Value = 0;
        std::size_t Index = 0;
    };
    ObjectRef App;
    ObjectRef Document;
    std::string DocumentName;      // its full name, read before the write, for the journal
    std::vector<PutBack> PutBacks; // in the order they are put
    bool ReleaseHold = false;
    // The document as the write left it; the put-backs bring it back to Before.
    WriteReport Report;
    // The document as the put-backs so far left it, and whether any landed.
    std::array<std::optional<double>, 5> Now;
    bool PutBackSome = false;

    bool Empty() const { return PutBacks.empty() && !ReleaseHold; }
};

enum class PendingOutcome {
    Done,    // nothing waits any more
    Waiting, // the program is still busy: ask again later
};

// Puts back what waits and then releases the switch, stopping at the first
// call the program refuses as busy. A program that is gone, or refuses a
// put-back for another reason, is given up on.
PendingOutcome FinishPending(PendingRestore& pending);

// Holds the recompute switch for its lifetime: true at the start, false on
// every way out, also on an exception. A release the program refuses as busy,
// or one that must wait behind put-backs, is left to `pending`.
class RecomputeHold {
  public:
    RecomputeHold(ObjectRef app, PendingRestore& pending);
    ~RecomputeHold();
    RecomputeHold(const RecomputeHold&) = delete;
    RecomputeHold& operator=(const RecomputeHold&) = delete;

    // The program took the switch, or refused it for another reason than being
    // out of reach (then the write goes on, as a program without the switch).
    bool Usable() const { return !m_outOfReach; }

    // Releases now, or leaves the release to `pending`. True when the switch
    // is free (or was never set).
    bool Release();

  private:
    ObjectRef m_app;
    PendingRestore& m_pending;
    bool m_held = false;
    bool m_outOfReach = false;
    bool m_released = false;
};

} // namespace psm::cad
