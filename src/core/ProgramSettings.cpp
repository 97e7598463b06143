#include "core/ProgramSettings.h"

#include "tables/LanguageSetting.h"

namespace psm {

SettingsNames ProgramSettingsNames() {
    return SettingsNames{"ORNA\\psm", "general"};
}

std::string StartValueFilePath(const SettingsStore& settings, const SettingsNames& names,
                               const ProgramLocation& location) {
    std::string path =
        ReadSetting(settings, names.SettingsAppName, names.SettingsSection, "filename");
    if (!path.empty()) {
        return path;
    }
    std::string folder = location.ProgramFolder();
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder + "\\psm_mm.txt";
}

LanguageTexts TextsInStoredLanguage(const SettingsStore& settings, const SettingsNames& names) {
    LanguageTexts texts;
    texts.LanguageIndex = ReadLanguage(settings, names.SettingsAppName, names.SettingsSection);
    return texts;
}

} // namespace psm
