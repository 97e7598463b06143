#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace psm {

// Turns 8-bit text of the user's ANSI code page into UTF-8. The portable
// default is Windows-1252; on Windows the shell passes the real code page.
using AnsiDecoder = std::function<std::string(std::string_view bytes)>;

bool IsValidUtf8(std::string_view bytes);

std::string DecodeWindows1252(std::string_view bytes);

// Text of a file as UTF-8: valid UTF-8 (with or without a byte order mark)
// stays as it is, minus the mark; anything else is ANSI text. After a byte
// order mark the text is UTF-8 in any case, and a byte that breaks it becomes
// U+FFFD.
std::string DecodeText(std::string bytes, const AnsiDecoder& decodeAnsi);

} // namespace psm
