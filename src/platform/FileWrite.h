#pragma once

// Files psm writes alone: its trace, kept open while it grows, and its crash
// report. Paths are UTF-8; a missing folder is created with the file.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace psm {

// A file appended to, open between appends; a program may read it meanwhile.
class AppendedFile {
  public:
    AppendedFile();
    ~AppendedFile();
    AppendedFile(const AppendedFile&) = delete;
    AppendedFile& operator=(const AppendedFile&) = delete;

    // Opens the file at `path` for appending, creating it when it is
    // missing. False when it cannot be opened.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const;
    // Appends all of `text` at the end; false when it could not.
    bool Append(std::string_view text);
    // The file's size, as far as this object has written it.
    std::uint64_t Size() const { return m_size; }

  private:
    struct Handle;
    std::unique_ptr<Handle> m_handle;
    std::uint64_t m_size = 0;
};

// Moves the file `from` to `to`, replacing a file there; false when it could not.
bool MoveFileOver(const std::string& from, const std::string& to);

// Writes `text` as the whole content of the file at `path`.
bool WriteWholeFile(const std::string& path, std::string_view text);

} // namespace psm
