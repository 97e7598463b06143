#pragma once

#include <optional>
#include <string>
#include <windows.h>

namespace psm {

// The standard open-file dialog, modal to owner, without a file-type filter.
// It opens on initialFile (its folder, the name preselected) or, when that is
// empty, in initialFolder. A stored name the dialog refuses gets a second try
// without it (FolderForSecondTry). Returns the chosen path; nothing on cancel.
std::optional<std::wstring> ShowOpenFileDialog(HWND owner, const std::wstring& title,
                                               const std::wstring& initialFile,
                                               const std::wstring& initialFolder);

// Where the second try opens: the refused file's folder when it exists, else fallback.
std::wstring FolderForSecondTry(const std::wstring& refusedFile, const std::wstring& fallback);

} // namespace psm
