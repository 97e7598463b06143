#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace psm {

// The whole content of the regular file at a UTF-8 path. Nothing when no
// regular file is there, it cannot be read (a folder, no permission, locked),
// it is larger than maxBytes or it does not fit into memory, so that callers
// treat such a file like a missing one.
std::optional<std::string> ReadFileBytes(const std::string& utf8Path,
                                         std::uint64_t maxBytes = UINT64_MAX);

} // namespace psm
