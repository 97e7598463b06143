#pragma once

// One line of the journal: every change psm makes to a part, with what it
// was before and after, as UTF-8 text with tab-separated fields that opens in
// a text editor and in a spreadsheet alike.

#include "texts/Texts.h"

#include <array>
#include <string>

namespace psm {

enum class JournalAction {
    Written,     // the chosen type was written
    WrittenBack, // the earlier values were written back after the question
    Reset,       // the reset command wrote the earlier values back
    Refused,     // the write did not land; the part is as it was, or was meant to be
};

struct JournalEntry {
    std::string Time; // local time with its UTC offset, ISO 8601
    std::string User;
    std::string Computer;
    std::string Document; // the document's full file name
    JournalAction Action = JournalAction::Written;
    // Table and type as recognised; both empty: no type recognised.
    std::string TableBefore, TypeBefore, TableAfter, TypeAfter;
    // The five values in the file's unit, as number texts.
    std::array<std::string, 5> ValuesBefore, ValuesAfter;
    // Names of the warned or failed features, "; "-separated; empty: all healthy.
    std::string FeaturesBefore, FeaturesAfter;
    // For a refused change: the table and type it meant to put.
    std::string TableRefused, TypeRefused;
};

// The first line of a new journal, in the texts' language; ends with CR LF.
std::string JournalHeader(const LanguageTexts& texts);

// The entry as one line ending with CR LF.
std::string JournalLine(const JournalEntry& entry, const LanguageTexts& texts);

} // namespace psm
