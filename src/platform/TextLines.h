#pragma once

#include <string_view>

namespace psm {

// Walks the lines of a text without copying them. A line ends at CR LF, LF or
// a lone CR; the terminator is not part of the line, and a terminator at the
// very end does not start another, empty line.
class TextLines {
  public:
    explicit TextLines(std::string_view text) : m_rest(text) {}

    bool Next(std::string_view& line) {
        if (m_rest.empty()) {
            return false;
        }
        // A plain loop: find_first_of with a set of two is several times slower.
        const char* const begin = m_rest.data();
        const char* const end = begin + m_rest.size();
        const char* p = begin;
        while (p != end && *p != '\n' && *p != '\r') {
            ++p;
        }
        line = std::string_view(begin, static_cast<size_t>(p - begin));
        if (p != end) {
            const bool crLf = *p == '\r' && p + 1 != end && p[1] == '\n';
            p += crLf ? 2 : 1;
        }
        m_rest = std::string_view(p, static_cast<size_t>(end - p));
        return true;
    }

  private:
    std::string_view m_rest;
};

} // namespace psm
