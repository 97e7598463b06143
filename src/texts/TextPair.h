#pragma once

// What every text table is made of: a text in German and in English, by the
// position of its identifier.

#include "texts/Language.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace psm {

struct TextPair {
    std::string_view German;
    std::string_view English;
};

template <class Id>
constexpr std::size_t CountOf() {
    return static_cast<std::size_t>(Id::Count);
}

// Every entry filled: a table one entry short would leave its last text empty.
template <std::size_t N>
constexpr bool Complete(const std::array<TextPair, N>& table) {
    return std::ranges::none_of(
        table, [](const TextPair& pair) { return pair.German.empty() || pair.English.empty(); });
}

template <class Id, std::size_t N>
std::string Lookup(const std::array<TextPair, N>& table, Id text, Language language) {
    const TextPair& pair = table.at(static_cast<std::size_t>(text));
    return std::string(language == Language::English ? pair.English : pair.German);
}

} // namespace psm
