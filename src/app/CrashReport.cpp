#include "app/CrashReport.h"

#include "app/BehaviourPorts.h"
#include "options/Trace.h"
#include "platform/FileWrite.h"
#include "platform/Version.h"

namespace psm {

// For whoever looks into the fault, the same on every PC: not translated.
std::string CrashText(const CrashFacts& facts) {
    std::string text = std::string(VersionLine) + ": crash report\r\n";
    text += "Time: " + facts.Time + "\r\n";
    text += "System: " + facts.System + "\r\n";
    text += "Failure: " + std::string(facts.Failure) + "\r\n";
    text += "Doing: " + std::string(facts.Activity) + "\r\n";
    text += "Minidump: " + (facts.Dump.empty() ? std::string("none") : facts.Dump) + "\r\n";
    if (facts.Trace.empty()) {
        return text + "Trace: off, no CAD calls known\r\n";
    }
    text += "Trace: " + facts.Trace + "\r\n";
    text += "Last CAD calls:\r\n";
    for (const std::string& line : facts.LastCalls) {
        text += line;
    }
    return text;
}

CrashFiles WriteCrashReport(AppState& state, const Services& services, std::string_view failure) {
    const std::string folder = SupportFolder(services.Settings, services.Station);
    if (folder.empty()) {
        return {};
    }
    CrashFiles files{folder + "psm-crash.txt", folder + "psm-crash.dmp"};
    // The dump first: it shows the program as it failed, before the text is made.
    if (!services.Dump.WriteDump(files.Dump)) {
        files.Dump.clear();
    }
    try {
        FlushJournal(state.Journal, state, JournalPortsOf(services));
    } catch (...) {
        // the report is written all the same
    }
    const CallTracing& tracing = services.Tracing;
    const CrashFacts facts{.Time = services.Station.LocalTime(),
                           .System = services.Station.SystemVersion(),
                           .Failure = failure,
                           .Activity = state.Run.Activity,
                           .Trace = tracing.On() ? tracing.Path() : std::string(),
                           .LastCalls = tracing.LastCalls(),
                           .Dump = files.Dump};
    if (!WriteWholeFile(files.Text, CrashText(facts))) {
        files.Text.clear();
    }
    return files;
}

std::string UnexpectedFailureText(const LanguageTexts& texts, const CrashFiles& files) {
    std::string text = texts.Message(MessageText::UnexpectedError);
    if (files.Text.empty() && files.Dump.empty()) {
        return text;
    }
    text += "\r\n\r\n" + texts.Message(MessageText::CrashReport);
    for (const std::string* file : {&files.Text, &files.Dump}) {
        if (!file->empty()) {
            text += "\r\n" + *file;
        }
    }
    return text;
}

} // namespace psm
