#pragma once

// The check of the value file at a path, as the options menu and the command
// line "/check" run it: read, decoded like the loader does, and reported.

#include "platform/TextDecoding.h"
#include "texts/Texts.h"

#include <cstdint>
#include <string>

namespace psm {

// The values are the exit codes of "psm.exe /check".
enum class CheckOutcome { Clean = 0, Problems = 1, Unreadable = 2 };

struct CheckedValueFile {
    CheckOutcome Outcome = CheckOutcome::Unreadable;
    std::string Report; // lines end with CR LF
};

// A file the loader would refuse (missing, unreadable, above the size limit,
// too large for the memory) is Unreadable; its report says so.
CheckedValueFile CheckValueFileAt(const std::string& path, const AnsiDecoder& decodeAnsi,
                                  const TextTables& texts, size_t maxLines = SIZE_MAX);

} // namespace psm
