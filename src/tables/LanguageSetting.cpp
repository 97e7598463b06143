#include "tables/LanguageSetting.h"

#include "texts/Texts.h"

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

int16_t LanguageOf(std::string_view stored) {
    return SameLetters(stored, "en") || stored == "2" ? TextTables::English : TextTables::German;
}

std::string LanguageSettingText(int16_t language) {
    return language == TextTables::English ? "en" : "de";
}

int16_t ReadLanguage(const SettingsStore& store, const std::string& appName,
                     const std::string& section) {
    return LanguageOf(ReadSetting(store, appName, section, Key));
}

void WriteLanguage(SettingsStore& store, const std::string& appName, const std::string& section,
                   int16_t language) {
    WriteSetting(store, appName, section, Key, LanguageSettingText(language));
}

} // namespace psm
