#include "platform/FileRead.h"

#include <cstdio>
#include <memory>
#include <new>
#include <sys/stat.h>

namespace psm {
namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};

} // namespace

// POSIX file names are bytes already; the UTF-8 path is used as it is.
std::optional<std::string> ReadFileBytes(const std::string& utf8Path, std::uint64_t maxBytes) {
    struct stat status {};
    if (::stat(utf8Path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uint64_t>(status.st_size) > maxBytes) {
        return std::nullopt;
    }
    const std::unique_ptr<std::FILE, FileCloser> file(std::fopen(utf8Path.c_str(), "rb"));
    if (!file) {
        return std::nullopt;
    }
    std::string content;
    try {
        content.reserve(static_cast<size_t>(status.st_size));
        char buffer[64 * 1024];
        for (;;) {
            const size_t count = std::fread(buffer, 1, sizeof buffer, file.get());
            // The file may have grown since it was measured.
            if (content.size() + count > maxBytes) {
                return std::nullopt;
            }
            content.append(buffer, count);
            if (count < sizeof buffer) {
                break;
            }
        }
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (std::ferror(file.get()) != 0) {
        return std::nullopt;
    }
    return content;
}

} // namespace psm
