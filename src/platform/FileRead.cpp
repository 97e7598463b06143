#include "platform/FileRead.h"

#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace psm {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

// POSIX file names are bytes already; the UTF-8 path is used as it is.
std::optional<std::string> ReadFileBytes(const std::string& utf8Path) {
    struct stat status {};
    if (::stat(utf8Path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) {
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(utf8Path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    content.reserve(static_cast<size_t>(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
        content.append(buffer, count);
        if (count < sizeof buffer) {
            break;
        }
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return content;
}

} // namespace psm
