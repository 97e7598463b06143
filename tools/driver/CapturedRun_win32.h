#pragma once

// A program run to its end with its standard output read through a pipe, as
// a script that calls it would see it.

#include <optional>
#include <string>
#include <windows.h>

namespace psm::e2e {

struct CapturedRun {
    DWORD ExitCode = 0;
    std::string Output; // the bytes as written
};

// Runs `program` beside the driving program with a command-line tail.
// Nothing when it cannot start or has not ended within the time (it is
// ended by force then).
std::optional<CapturedRun> RunCaptured(const std::wstring& program, const std::wstring& arguments,
                                       DWORD timeoutMs);

} // namespace psm::e2e
