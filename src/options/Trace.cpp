#include "options/Trace.h"

#include "apply/Journalling.h"
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
std::string ValueFileFacts(const ProgramContext& program, const TracePorts& ports) {
    const CheckedValueFile checked = CheckValueFileAt(program.ValueFilePath, ports.DecodeAnsi);
    if (checked.Outcome == CheckOutcome::Unreadable) {
        return program.ValueFilePath + ", cannot be read";
    }
    const auto bytes = ReadFileBytes(program.ValueFilePath);
    const std::string size = bytes ? std::to_string(bytes->size()) + " bytes, " : std::string();
    const std::string check = checked.Outcome == CheckOutcome::Clean
                                  ? std::string("no problems")
                                  : std::to_string(checked.Findings.size()) + " problems";
    return program.ValueFilePath + ", " + size + "check: " + check;
}

} // namespace

std::string SupportFolder(const SettingsStore& settings, const Workstation& station) {
    const std::string journal = JournalPathOf(settings, ProgramSettingsNames(), station);
    const std::size_t separator = journal.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : journal.substr(0, separator + 1);
}

std::string TracePath(const TracePorts& ports) {
    const std::string folder = SupportFolder(ports.Settings, ports.Station);
    return folder.empty() ? folder : folder + "psm-trace.txt";
}

// The facts are for whoever reads the trace to find a fault, the same on
// every PC: they are not translated.
std::string TraceHead(const ProgramContext& program, const TracePorts& ports) {
    std::string head = std::string(VersionLine) +
                       ": trace of the calls into the CAD program, from " +
                       ports.Station.LocalTime() + "\r\n";
    head += "System: " + ports.Station.SystemVersion() + "\r\n";
    head += "Computer: " + ports.Station.ComputerName() + ", user: " + ports.Station.UserName() +
            "\r\n";
    head += "Value file: " + ValueFileFacts(program, ports) + "\r\n";
    head += "Language: " + LanguageSettingText(program.Texts.LanguageIndex) + "\r\n";
    head += "DPI: " + std::to_string(ports.View.Dpi()) + "\r\n";
    return head + cad::TraceHeadings();
}

bool TraceSetting(const SettingsStore& settings, const SettingsNames& names) {
    return ReadSetting(settings, names.SettingsAppName, names.SettingsSection, Key) == "1";
}

void WriteTraceSetting(SettingsStore& settings, const SettingsNames& names, bool on) {
    WriteSetting(settings, names.SettingsAppName, names.SettingsSection, Key, on ? "1" : "0");
}

bool StartTrace(const ProgramContext& program, const TracePorts& ports) {
    const std::string path = TracePath(ports);
    if (!path.empty() && ports.Tracing.Start(path, TraceHead(program, ports))) {
        return true;
    }
    const Asking ask{ports.Boxes, program.Texts};
    (void)ask.Show(FormatText(program.Texts.Message(MessageText::TraceNotWritable), {path}),
                   MessageButtons::Ok, MessageIcon::Exclamation);
    return false;
}

void ToggleTrace(const ProgramContext& program, const TracePorts& ports,
                 const HeldReferences& held) {
    const bool on = !ports.Tracing.On();
    if (on && !StartTrace(program, ports)) {
        return;
    }
    if (!on) {
        ports.Tracing.Stop();
    }
    WriteTraceSetting(ports.Settings, program.Settings, on);
    // The references held from before go through the trace now, or no
    // longer: the calls on them are traced as the user chose.
    held([&](cad::ObjectRef& reference, std::string_view kind) {
        reference = ports.Automation.Reissue(reference, kind);
    });
}

} // namespace psm
