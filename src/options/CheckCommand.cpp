#include "options/CheckCommand.h"

#include "core/CheckReport.h"
#include "core/ProgramSettings.h"
#include "platform/Version.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"

#include <algorithm>

namespace psm {
namespace {

bool IsSwitch(std::string_view argument, std::string_view name) {
    if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) {
        return false;
    }
    return SameLetters(argument.substr(1), name);
}

} // namespace

std::optional<CheckRequest> CheckRequestOf(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !IsSwitch(arguments.front(), "check")) {
        return std::nullopt;
    }
    CheckRequest request;
    for (size_t i = 1; i < arguments.size(); ++i) {
        request.File += (i > 1 ? " " : "") + arguments[i];
    }
    return request;
}

bool VersionRequested(const std::vector<std::string>& arguments) {
    return !arguments.empty() && IsSwitch(arguments.front(), "version");
}

bool TraceRequested(const std::vector<std::string>& arguments) {
    return std::ranges::any_of(
        arguments, [](const std::string& argument) { return IsSwitch(argument, "trace"); });
}

CheckCommandResult RunCheckCommand(const CheckRequest& request, const SettingsStore& settings,
                                   const ProgramLocation& location, const AnsiDecoder& decodeAnsi) {
    const SettingsNames names = ProgramSettingsNames();
    const LanguageTexts texts = TextsInStoredLanguage(settings, names);
    const std::string path =
        request.File.empty() ? StartValueFilePath(settings, names, location) : request.File;
    const CheckedValueFile checked = CheckValueFileAt(path, decodeAnsi);
    return {static_cast<int>(checked.Outcome),
            std::string(VersionLine) + "\r\n" + CheckReport(path, checked, texts)};
}

} // namespace psm
