#pragma once

// "psm.exe /survey": the survey of the running CAD program's active assembly
// (or active sheet-metal document) as tab-separated text, without a window.

#include "cad/Automation.h"
#include "cad/BusyRetry.h"
#include "platform/ProgramLocation.h"
#include "platform/TextDecoding.h"
#include "tables/SettingsStore.h"

#include <string>
#include <vector>

namespace psm {

// True when the arguments after the program's name are "/survey" (or
// "-survey", any case).
bool IsSurveyRequest(const std::vector<std::string>& arguments);

struct SurveyCommandResult {
    // 0 every sheet-metal part carries a type of the value file, 1 at least
    // one does not, 2 the CAD program, its document or a part cannot be reached
    // (or the value file cannot be read).
    int ExitCode = 2;
    std::string Output; // the table, or what stopped it; lines end with CR LF
};

struct SurveyCommandContext {
    const SettingsStore& Settings;
    const ProgramLocation& Location;
    AnsiDecoder DecodeAnsi;
    char DecimalSeparator = '.';
    cad::Automation& Automation;
    // Each part may wait this long for a busy CAD program.
    cad::WaitBudget& Waits;
};

SurveyCommandResult RunSurveyCommand(const SurveyCommandContext& context);

} // namespace psm
