#pragma once

// The crash report: when psm meets a failure it cannot go on from, a
// minidump and a short text beside the journal, for whoever looks into it;
// the box that tells the user names both.

#include "app/AppState.h"
#include "app/Services.h"

#include <deque>
#include <string>
#include <string_view>

namespace psm {

// The report's files; empty where a file could not be written.
struct CrashFiles {
    std::string Text;
    std::string Dump;
};

// What the text tells.
struct CrashFacts {
    std::string Time;
    std::string System;
    std::string_view Failure;  // what went wrong
    std::string_view Activity; // the command or tick under way
    std::string Trace;         // the trace's file; empty while it is off
    std::deque<std::string> LastCalls;
    std::string Dump; // the minidump's file; empty when none was written
};

// psm's version first, then the facts, then the last CAD calls.
std::string CrashText(const CrashFacts& facts);

// Writes psm-crash.dmp and psm-crash.txt beside the journal. Between the
// two, the journal lines that wait in memory are tried once more: psm ends
// after the report, and they would be lost. Nothing of it shows a box.
CrashFiles WriteCrashReport(AppState& state, const Services& services, std::string_view failure);

// The box's text: that psm ends and, when a report was written, its files.
std::string UnexpectedFailureText(const LanguageTexts& texts, const CrashFiles& files);

} // namespace psm
