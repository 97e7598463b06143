#pragma once

// The file the trace of the CAD calls goes to, kept to about a bound: a file
// that would grow past it becomes the older file (replacing the one before)
// and a new file begins. Each file, and each run's part of it, starts with
// the trace's head.

#include "platform/FileWrite.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace psm {

inline constexpr std::uint64_t TraceFileBound = 2 * 1024 * 1024;

class TraceFile {
  public:
    explicit TraceFile(std::uint64_t bound = TraceFileBound) : m_bound(bound) {}

    // psm-trace.txt becomes psm-trace.old.txt.
    static std::string OlderPath(const std::string& path);

    // Starts writing to `path`, after what it holds already, with `head`.
    // False when the file cannot be written.
    bool Begin(const std::string& path, std::string head);
    void End();
    bool Writing() const { return m_file.IsOpen(); }
    const std::string& Path() const { return m_path; }

    // Appends a whole line; false when it could not be written.
    bool Append(std::string_view line);

  private:
    // Makes the file the older one and begins a new one.
    void Rotate();

    std::uint64_t m_bound;
    AppendedFile m_file;
    std::string m_path;
    std::string m_head;
};

} // namespace psm
