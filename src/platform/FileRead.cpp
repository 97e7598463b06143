#include "platform/FileRead.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace psm {

std::optional<std::string> ReadFileBytes(const std::string& utf8Path) {
    // From char8_t, so that MinGW does not read the path in the ANSI code page.
    const std::u8string u8Path(utf8Path.begin(), utf8Path.end());
    const std::filesystem::path path(u8Path);

    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return std::nullopt;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string content;
    const auto size = std::filesystem::file_size(path, error);
    if (!error) {
        content.reserve(static_cast<size_t>(size));
    }
    char buffer[64 * 1024];
    while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
        content.append(buffer, static_cast<size_t>(in.gcount()));
    }
    if (in.bad()) {
        return std::nullopt;
    }
    return content;
}

} // namespace psm
