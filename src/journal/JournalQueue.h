#pragma once

// The journal's lines on their way to its file. A journal that cannot be
// written never stops or undoes a change: its lines wait in memory and go out
// with a later line, and a share out of reach is tried again only after a
// while, not at every write.

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace psm {

// The journal's lines and its trouble in this run.
struct JournalState {
    // A line of the running command could not be appended to this file.
    std::optional<std::string> Unwritten;
    bool Told = false; // the user knows: the journal is not told of again
    // Lines that could not be appended yet, in order; they go out with the
    // next line once the journal is tried again.
    std::vector<std::string> Waiting;
    // When the journal last could not be written.
    std::optional<std::chrono::milliseconds> FailedAt;
};

// Appends `line` to the journal at `path` (a new file starts with `header`),
// after the lines that wait; a journal that failed within the last minute is
// not tried again yet, and the line waits too.
void QueueJournalLine(JournalState& journal, const std::string& path, std::string_view header,
                      std::string line, std::chrono::milliseconds now);

// Tries once more to append the lines that wait.
void FlushJournalLines(JournalState& journal, const std::string& path, std::string_view header,
                       std::chrono::milliseconds now);

} // namespace psm
