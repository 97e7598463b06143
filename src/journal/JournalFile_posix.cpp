#include "journal/JournalFile.h"

#include <fcntl.h>
#include <filesystem>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace psm {
namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) {
            ::close(m_fd);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }

  private:
    int m_fd;
};

// Held while one program appends; the others wait for it.
class AppendLock {
  public:
    explicit AppendLock(int fd) : m_fd(fd), m_locked(::flock(fd, LOCK_EX) == 0) {}
    ~AppendLock() {
        if (m_locked) {
            ::flock(m_fd, LOCK_UN);
        }
    }
    AppendLock(const AppendLock&) = delete;
    AppendLock& operator=(const AppendLock&) = delete;
    bool Locked() const { return m_locked; }

  private:
    int m_fd;
    bool m_locked;
};

} // namespace

bool AppendToJournal(const std::string& path, std::string_view header, std::string_view line) {
    std::error_code ignored;
    std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
    const Descriptor file(::open(path.c_str(), O_RDWR | O_APPEND | O_CREAT, 0644));
    if (file.Get() < 0) {
        return false;
    }
    const AppendLock lock(file.Get());
    struct stat status {};
    if (!lock.Locked() || ::fstat(file.Get(), &status) != 0) {
        return false;
    }
    // Whoever finds the file empty writes the header, so that it comes first.
    std::string text = status.st_size == 0 ? std::string(header) : std::string();
    char last = '\n';
    if (status.st_size > 0 && ::pread(file.Get(), &last, 1, status.st_size - 1) == 1 &&
        last != '\n') {
        // A line another writer left unfinished must not run into this one.
        text = "\r\n";
    }
    text += line;
    return ::write(file.Get(), text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

} // namespace psm
