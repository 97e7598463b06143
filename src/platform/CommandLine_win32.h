#pragma once

#include <string>
#include <vector>

namespace psm {

// The arguments the program was started with, after its own name, split by
// the platform's rules (quotes keep blanks), as UTF-8.
std::vector<std::string> CommandLineArguments();

} // namespace psm
