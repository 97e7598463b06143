#pragma once

#include <string>
#include <string_view>

namespace psm {

// Appends one line to the journal at a UTF-8 path, creating the file (and its
// folders) with `header` first when it is new. A line goes out in one append,
// so that several programs on several PCs can share the file: a line is never
// split or mixed with another, and the file is never truncated or rewritten.
// A file another program holds locked is tried again for a short while.
// False when the line could not be written.
bool AppendToJournal(const std::string& path, std::string_view header, std::string_view line);

} // namespace psm
