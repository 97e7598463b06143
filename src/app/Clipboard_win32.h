#pragma once

#include <string>
#include <windows.h>

namespace psm {

// Puts UTF-8 text on the clipboard as Unicode text, owned by `owner`. False
// when another program holds the clipboard or memory runs out; nothing is
// left half done.
bool PutTextOnClipboard(HWND owner, const std::string& utf8);

} // namespace psm
