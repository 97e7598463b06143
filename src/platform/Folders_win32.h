#pragma once

#include <string>

namespace psm {

// Creates the folder of the file at `path` and every missing folder above
// it; true when the folder exists afterwards.
bool CreateFolderOf(const std::wstring& path);

} // namespace psm
