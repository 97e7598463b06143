#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace psm {

// The two bilingual text tables. Every caption, hint, title and message of the
// program is read from here as (text number, LanguageIndex).
struct TextTables {
    static constexpr int CaptionCount = 25;
    static constexpr int MessageCount = 15;
    static constexpr int16_t German = 1;
    static constexpr int16_t English = 2;

    std::array<std::array<std::string, 2>, CaptionCount> CaptionTexts{};
    std::array<std::array<std::string, 2>, MessageCount> MessageTexts{};
    int16_t LanguageIndex = German;

    // Text n (1-based) in the language LanguageIndex; empty for a number or
    // language outside the tables.
    const std::string& Caption(int n) const;
    const std::string& Message(int n) const;
};

// Fills both tables with every text in both languages.
void LoadTexts(TextTables& texts);

} // namespace psm
