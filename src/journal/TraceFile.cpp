#include "journal/TraceFile.h"

namespace psm {

std::string TraceFile::OlderPath(const std::string& path) {
    const std::size_t dot = path.find_last_of('.');
    const std::size_t separator = path.find_last_of("\\/");
    if (dot == std::string::npos || (separator != std::string::npos && dot < separator)) {
        return path + ".old";
    }
    return path.substr(0, dot) + ".old" + path.substr(dot);
}

bool TraceFile::Begin(const std::string& path, std::string head) {
    End();
    m_path = path;
    m_head = std::move(head);
    if (!m_file.Open(m_path)) {
        return false;
    }
    if (m_file.Size() > 0 && m_file.Size() + m_head.size() > m_bound) {
        Rotate();
    }
    if (!m_file.IsOpen() || !m_file.Append(m_head)) {
        End();
        return false;
    }
    return true;
}

void TraceFile::End() {
    m_file.Close();
}

bool TraceFile::Append(std::string_view line) {
    if (!m_file.IsOpen()) {
        return false;
    }
    if (m_file.Size() + line.size() > m_bound && m_file.Size() > m_head.size()) {
        Rotate();
        if (!m_file.IsOpen() || !m_file.Append(m_head)) {
            return false;
        }
    }
    return m_file.Append(line);
}

void TraceFile::Rotate() {
    m_file.Close();
    // When the older file cannot be replaced (someone holds it), the file
    // starts anew in place: the trace stays bounded either way.
    if (!MoveFileOver(m_path, OlderPath(m_path))) {
        (void)WriteWholeFile(m_path, "");
    }
    (void)m_file.Open(m_path);
}

} // namespace psm
