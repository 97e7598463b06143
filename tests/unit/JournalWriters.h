#pragma once

#include <string>

namespace psm::testing {

// Runs the program psm_journal_writer (built beside the tests) twice at once,
// writers "A" and "B" appending `count` lines each to `journal`, and waits for
// both. True when both ended well.
bool RunTwoJournalWriters(const std::string& journal, int count);

} // namespace psm::testing
