#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace psm {

// The standard open-file dialog, modal to owner, without a file-type filter.
// It opens on initialFile (its folder, the name preselected) or, when that is
// empty, in initialFolder. Returns the chosen path; nothing on cancel.
std::optional<std::wstring> ShowOpenFileDialog(HWND owner, const std::wstring& title,
                                               const std::wstring& initialFile,
                                               const std::wstring& initialFolder);

} // namespace psm
