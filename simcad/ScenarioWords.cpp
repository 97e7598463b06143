#include "simcad/ScenarioWords.h"

#include <charconv>
#include <cmath>
#include <tuple>

namespace psm::simcad::scenario {

std::string_view Trim(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view WithoutComment(std::string_view line) {
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '#' && (i == 0 || line[i - 1] == ' ' || line[i - 1] == '\t')) {
            return line.substr(0, i);
        }
    }
    return line;
}

std::pair<std::string_view, std::string_view> FirstWord(std::string_view text) {
    text = Trim(text);
    const auto end = text.find_first_of(" \t");
    if (end == std::string_view::npos) {
        return {text, {}};
    }
    return {text.substr(0, end), Trim(text.substr(end))};
}

std::vector<std::string_view> Words(std::string_view text) {
    std::vector<std::string_view> words;
    for (auto [word, rest] = FirstWord(text); !word.empty();
         std::tie(word, rest) = FirstWord(rest)) {
        words.push_back(word);
    }
    return words;
}

std::string Joined(const std::vector<std::string_view>& words) {
    std::string text;
    for (std::string_view word : words) {
        text += text.empty() ? "" : " ";
        text += word;
    }
    return text;
}

std::optional<double> Number(std::string_view text) {
    double value = 0.0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || ptr != end || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<int32_t> Code(std::string_view text) {
    int base = 10;
    bool negative = false;
    if (!text.empty() && text.front() == '-') {
        negative = true;
        text.remove_prefix(1);
    }
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    uint32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, error] = std::from_chars(text.data(), end, value, base);
    if (text.empty() || error != std::errc() || ptr != end) {
        return std::nullopt;
    }
    return static_cast<int32_t>(negative ? 0u - value : value);
}

} // namespace psm::simcad::scenario
