#pragma once

// The words of a scenario line: comments, blanks, words and numbers.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace psm::simcad::scenario {

std::string_view Trim(std::string_view text);

// A "#" at the start of a line or after a blank starts a comment; one inside
// a word (a document named "Teil#2.psm") does not.
std::string_view WithoutComment(std::string_view line);

// Splits off the first word; the rest is trimmed.
std::pair<std::string_view, std::string_view> FirstWord(std::string_view text);

std::vector<std::string_view> Words(std::string_view text);

// The words joined by single blanks.
std::string Joined(const std::vector<std::string_view>& words);

// A finite decimal number, such as "0.0015".
std::optional<double> Number(std::string_view text);

// A whole number, decimal or 0x hexadecimal (taken as 32 bits, so that the
// program's large codes can be written as they are documented).
std::optional<int32_t> Code(std::string_view text);

} // namespace psm::simcad::scenario
