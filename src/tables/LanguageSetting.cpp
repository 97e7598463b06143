#include "tables/LanguageSetting.h"

#include <algorithm>
#include <cctype>

namespace psm {
namespace {

constexpr const char* Key = "Language";

} // namespace

bool SameLetters(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

Language LanguageOf(std::string_view stored) {
    return SameLetters(stored, "en") || stored == "2" ? Language::English : Language::German;
}

std::string LanguageSettingText(Language language) {
    return language == Language::English ? "en" : "de";
}

Language ReadLanguage(const SettingsStore& store, const std::string& appName,
                      const std::string& section) {
    return LanguageOf(ReadSetting(store, appName, section, Key));
}

void WriteLanguage(SettingsStore& store, const std::string& appName, const std::string& section,
                   Language language) {
    WriteSetting(store, appName, section, Key, LanguageSettingText(language));
}

} // namespace psm
