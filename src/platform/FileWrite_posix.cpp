#include "platform/FileWrite.h"

#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace psm {
namespace {

int OpenWithFolder(const std::string& path, int flags) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    return ::open(path.c_str(), O_WRONLY | O_CREAT | flags, 0644);
}

bool WriteAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(fd, text.data(), text.size());
        if (written <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

} // namespace

struct AppendedFile::Handle {
    int Fd = -1;
};

AppendedFile::AppendedFile() = default;

AppendedFile::~AppendedFile() {
    Close();
}

bool AppendedFile::Open(const std::string& path) {
    Close();
    const int fd = OpenWithFolder(path, O_APPEND);
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return false;
    }
    m_handle = std::make_unique<Handle>(Handle{fd});
    m_size = static_cast<std::uint64_t>(status.st_size);
    return true;
}

void AppendedFile::Close() {
    if (m_handle) {
        ::close(m_handle->Fd);
        m_handle.reset();
    }
    m_size = 0;
}

bool AppendedFile::IsOpen() const {
    return m_handle != nullptr;
}

bool AppendedFile::Append(std::string_view text) {
    if (!m_handle || !WriteAll(m_handle->Fd, text)) {
        return false;
    }
    m_size += text.size();
    return true;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
    return std::rename(from.c_str(), to.c_str()) == 0;
}

bool WriteWholeFile(const std::string& path, std::string_view text) {
    const int fd = OpenWithFolder(path, O_TRUNC);
    if (fd < 0) {
        return false;
    }
    const bool written = WriteAll(fd, text);
    return ::close(fd) == 0 && written;
}

} // namespace psm
