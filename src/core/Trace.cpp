#include "core/Trace.h"

#include "core/Boxes.h"
#include "core/HeldReferences.h"
#include "core/Journal.h"
#include "core/ProgramSettings.h"
#include "platform/FileRead.h"
#include "platform/Version.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"
#include "tables/SettingsStore.h"

namespace psm {
namespace {

constexpr const char* Key = "Trace";

// Size and check of the value file, as the start read it.
std::string ValueFileFacts(const AppState& state, const Services& services) {
    const CheckedValueFile checked = CheckValueFileAt(state.ValueFilePath, services.DecodeAnsi);
    if (checked.Outcome == CheckOutcome::Unreadable) {
        return state.ValueFilePath + ", cannot be read";
    }
    const auto bytes = ReadFileBytes(state.ValueFilePath);
    const std::string size = bytes ? std::to_string(bytes->size()) + " bytes, " : std::string();
    const std::string check = checked.Outcome == CheckOutcome::Clean
                                  ? std::string("no problems")
                                  : std::to_string(checked.Findings.size()) + " problems";
    return state.ValueFilePath + ", " + size + "check: " + check;
}

} // namespace

std::string SupportFolder(const SettingsStore& settings, const Workstation& station) {
    const std::string journal = JournalPathOf(settings, ProgramSettingsNames(), station);
    const std::size_t separator = journal.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : journal.substr(0, separator + 1);
}

std::string TracePath(const Services& services) {
    const std::string folder = SupportFolder(services.Settings, services.Station);
    return folder.empty() ? folder : folder + "psm-trace.txt";
}

// The facts are for whoever reads the trace to find a fault, the same on
// every PC: they are not translated.
std::string TraceHead(const AppState& state, const Services& services) {
    std::string head = std::string(VersionLine) +
                       ": trace of the calls into the CAD program, from " +
                       services.Station.LocalTime() + "\r\n";
    head += "System: " + services.Station.SystemVersion() + "\r\n";
    head += "Computer: " + services.Station.ComputerName() +
            ", user: " + services.Station.UserName() + "\r\n";
    head += "Value file: " + ValueFileFacts(state, services) + "\r\n";
    head += "Language: " + LanguageSettingText(state.Texts.LanguageIndex) + "\r\n";
    head += "DPI: " + std::to_string(services.View.Dpi()) + "\r\n";
    return head + cad::TraceHeadings();
}

bool TraceSetting(const SettingsStore& settings, const SettingsNames& names) {
    return ReadSetting(settings, names.SettingsAppName, names.SettingsSection, Key) == "1";
}

void WriteTraceSetting(SettingsStore& settings, const SettingsNames& names, bool on) {
    WriteSetting(settings, names.SettingsAppName, names.SettingsSection, Key, on ? "1" : "0");
}

bool StartTrace(const AppState& state, const Services& services) {
    const std::string path = TracePath(services);
    if (!path.empty() && services.Tracing.Start(path, TraceHead(state, services))) {
        return true;
    }
    (void)ShowBox(state, services,
                  FormatText(state.Texts.Message(MessageText::TraceNotWritable), {path}),
                  MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

void ReissueCadReferences(AppState& state, cad::Automation& automation) {
    ForEachHeldReference(state, [&](cad::ObjectRef& held, std::string_view kind) {
        held = automation.Reissue(held, kind);
    });
}

} // namespace psm
