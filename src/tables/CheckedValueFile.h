#pragma once

// The check of the value file at a path, as the options menu and the command
// line "/check" run it: read and decoded like the loader does.

#include "platform/TextDecoding.h"
#include "tables/ValueFileCheck.h"

#include <string>
#include <vector>

namespace psm {

// The values are the exit codes of "psm.exe /check".
enum class CheckOutcome { Clean = 0, Problems = 1, Unreadable = 2 };

struct CheckedValueFile {
    CheckOutcome Outcome = CheckOutcome::Unreadable;
    std::vector<CheckFinding> Findings;
};

// A file the loader would refuse (missing, unreadable, above the size limit,
// too large for the memory) is Unreadable.
CheckedValueFile CheckValueFileAt(const std::string& path, const AnsiDecoder& decodeAnsi);

} // namespace psm
