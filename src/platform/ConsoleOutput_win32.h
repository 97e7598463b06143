#pragma once

#include <string_view>

namespace psm {

// Writes text to where the program's output goes though it has no console
// of its own: a redirected standard output (a pipe, a file) gets the UTF-8
// bytes; else the console of the program that started it, if there is one.
// Nothing is written without either.
void WriteToConsole(std::string_view utf8);

} // namespace psm
