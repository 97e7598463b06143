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
        const size_t end = m_rest.find_first_of("\r\n");
        if (end == std::string_view::npos) {
            line = m_rest;
            m_rest = {};
            return true;
        }
        line = m_rest.substr(0, end);
        const bool crLf = m_rest[end] == '\r' && end + 1 < m_rest.size() && m_rest[end + 1] == '\n';
        m_rest.remove_prefix(end + (crLf ? 2 : 1));
        return true;
    }

  private:
    std::string_view m_rest;
};

} // namespace psm
