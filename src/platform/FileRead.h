#pragma once

#include <optional>
#include <string>

namespace psm {

// The whole content of the regular file at a UTF-8 path. Nothing when no
// regular file is there or it cannot be read (a folder, no permission, locked),
// so that callers treat an unreadable file like a missing one.
std::optional<std::string> ReadFileBytes(const std::string& utf8Path);

} // namespace psm
