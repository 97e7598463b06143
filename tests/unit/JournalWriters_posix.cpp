#include "JournalWriters.h"

#include <filesystem>
#include <spawn.h>
#include <sys/wait.h>
#include <vector>

extern char** environ;

namespace psm::testing {

bool RunTwoJournalWriters(const std::string& journal, int count) {
    const std::string writer =
        (std::filesystem::read_symlink("/proc/self/exe").parent_path() / "psm_journal_writer")
            .string();
    const std::string times = std::to_string(count);
    std::vector<pid_t> children;
    for (const char* name : {"A", "B"}) {
        std::vector<std::string> words{writer, journal, times, name};
        std::vector<char*> args;
        for (std::string& word : words) {
            args.push_back(word.data());
        }
        args.push_back(nullptr);
        pid_t child = 0;
        if (posix_spawn(&child, writer.c_str(), nullptr, nullptr, args.data(), environ) != 0) {
            return false;
        }
        children.push_back(child);
    }
    bool ok = true;
    for (const pid_t child : children) {
        int status = 0;
        ok = waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0 &&
             ok;
    }
    return ok;
}

} // namespace psm::testing
