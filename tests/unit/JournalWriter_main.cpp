// Appends numbered lines to a journal, as one psm among several would:
//   psm_journal_writer FILE COUNT NAME
// Each line is "NAME<tab>n<tab>" and a filler long enough that a line split by
// another writer would show.

#include "journal/JournalFile.h"

#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        return 2;
    }
    const std::string path = argv[1];
    const int count = std::atoi(argv[2]);
    const std::string name = argv[3];
    const std::string filler(200, name.empty() ? '-' : name[0]);
    for (int n = 1; n <= count; ++n) {
        const std::string line = name + "\t" + std::to_string(n) + "\t" + filler + "\r\n";
        if (!psm::AppendToJournal(path, "header\r\n", line)) {
            return 1;
        }
    }
    return 0;
}
