#pragma once

// The language the user chose in the options menu, stored per user under
// "Language" beside the other settings: "de" or "en".

#include "tables/SettingsStore.h"
#include "texts/Language.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace psm {

// The same text when case is not counted (ASCII letters only).
bool SameLetters(std::string_view a, std::string_view b);

// German unless the text names English ("en", or "2", the language's index);
// case does not matter.
Language LanguageOf(std::string_view stored);

// What is stored for a language index: "en" for English, "de" otherwise.
std::string LanguageSettingText(Language language);

Language ReadLanguage(const SettingsStore& store, const std::string& appName,
                      const std::string& section);
void WriteLanguage(SettingsStore& store, const std::string& appName, const std::string& section,
                   Language language);

} // namespace psm
