#include "options/CheckCommand.h"

#include "core/CheckReport.h"
#include "core/ProgramSettings.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"

namespace psm {
namespace {

bool IsCheckSwitch(std::string_view argument) {
    if (argument.empty() || (argument[0] != '/' && argument[0] != '-')) {
        return false;
    }
    return SameLetters(argument.substr(1), "check");
}

} // namespace

std::optional<CheckRequest> CheckRequestOf(const std::vector<std::string>& arguments) {
    if (arguments.empty() || !IsCheckSwitch(arguments.front())) {
        return std::nullopt;
    }
    CheckRequest request;
    for (size_t i = 1; i < arguments.size(); ++i) {
        request.File += (i > 1 ? " " : "") + arguments[i];
    }
    return request;
}

CheckCommandResult RunCheckCommand(const CheckRequest& request, const SettingsStore& settings,
                                   const ProgramLocation& location, const AnsiDecoder& decodeAnsi) {
    const SettingsNames names = ProgramSettingsNames();
    const TextTables texts = TextsInStoredLanguage(settings, names);
    const std::string path =
        request.File.empty() ? StartValueFilePath(settings, names, location) : request.File;
    const CheckedValueFile checked = CheckValueFileAt(path, decodeAnsi);
    return {static_cast<int>(checked.Outcome), CheckReport(path, checked, texts)};
}

} // namespace psm
