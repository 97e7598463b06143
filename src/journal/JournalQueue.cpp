#include "journal/JournalQueue.h"

#include "journal/JournalFile.h"

#include <cstddef>

namespace psm {
namespace {

// A journal that could not be written, on a share out of reach say, is tried
// again only after this long.
constexpr std::chrono::milliseconds RetryAfter{60'000};
// More lines than this do not wait: the oldest go first.
constexpr std::size_t MaxWaiting = 1000;

std::string WaitingLines(const JournalState& journal) {
    std::string lines;
    for (const std::string& line : journal.Waiting) {
        lines += line;
    }
    return lines;
}

// Appends every waiting line in one piece.
void AppendWaiting(JournalState& journal, const std::string& path, std::string_view header,
                   std::chrono::milliseconds now) {
    if (AppendToJournal(path, header, WaitingLines(journal))) {
        journal.Waiting.clear();
        journal.FailedAt.reset();
        return;
    }
    journal.FailedAt = now;
    if (journal.Waiting.size() > MaxWaiting) {
        journal.Waiting.erase(journal.Waiting.begin(),
                              journal.Waiting.end() - static_cast<std::ptrdiff_t>(MaxWaiting));
    }
    if (!journal.Told) {
        journal.Unwritten = path;
    }
}

} // namespace

void QueueJournalLine(JournalState& journal, const std::string& path, std::string_view header,
                      std::string line, std::chrono::milliseconds now) {
    journal.Waiting.push_back(std::move(line));
    if (journal.FailedAt && now - *journal.FailedAt < RetryAfter) {
        return;
    }
    AppendWaiting(journal, path, header, now);
}

void FlushJournalLines(JournalState& journal, const std::string& path, std::string_view header,
                       std::chrono::milliseconds now) {
    if (!journal.Waiting.empty()) {
        AppendWaiting(journal, path, header, now);
    }
}

} // namespace psm
