#pragma once

// The command line: "psm.exe /check [file]" checks a value file and reports
// to the console, without the window and the CAD program; "psm.exe /version"
// prints psm's version; "psm.exe /trace" starts the window with the trace of
// the CAD calls on.

#include "platform/ProgramLocation.h"
#include "platform/TextDecoding.h"
#include "tables/SettingsStore.h"

#include <optional>
#include <string>
#include <vector>

namespace psm {

struct CheckRequest {
    std::string File; // empty: the file a start would read
};

// The check, when the arguments after the program's name ask for it: "/check"
// (or "-check", any case) first. The rest is the file; a path with blanks
// may come unquoted. Nothing for any other command line: the window starts.
std::optional<CheckRequest> CheckRequestOf(const std::vector<std::string>& arguments);

// "/version" (or "-version", any case) first.
bool VersionRequested(const std::vector<std::string>& arguments);

// "/trace" (or "-trace", any case) anywhere.
bool TraceRequested(const std::vector<std::string>& arguments);

struct CheckCommandResult {
    int ExitCode = 0; // 0 no problem, 1 problems, 2 the file cannot be read
    // psm's version, then the report in the stored language; lines end with CR LF.
    std::string Output;
};

CheckCommandResult RunCheckCommand(const CheckRequest& request, const SettingsStore& settings,
                                   const ProgramLocation& location, const AnsiDecoder& decodeAnsi);

} // namespace psm
