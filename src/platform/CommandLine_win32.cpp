#include "platform/CommandLine_win32.h"

#include "platform/Utf16_win32.h"

#include <cstdlib>

namespace psm {

// The C runtime splits the command line by the platform's rules before
// wWinMain runs; taking its result needs no library of the shell at start.
std::vector<std::string> CommandLineArguments() {
    std::vector<std::string> result;
    for (int i = 1; __wargv != nullptr && i < __argc; ++i) {
        result.push_back(Narrow(__wargv[i]));
    }
    return result;
}

} // namespace psm
