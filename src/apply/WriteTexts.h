#pragma once

// The boxes' texts after writes, formatted from what the writes came to, for
// the main window's write and reset and for the write into many parts alike.

#include "apply/PartWrite.h"
#include "tables/TableModel.h"
#include "texts/Texts.h"

#include <optional>
#include <string>
#include <vector>

namespace psm {

// The features a check found, a line when it was cut short, a blank line and
// the question or notice that closes the box.
std::string FeatureReport(const LanguageTexts& texts, const cad::FeatureCheck& check,
                          MessageText closing);

// A write that did not land: `notLanded`, a request to check the part when it
// was left with values of both types, and that the CAD program may still hold
// its recompute. For a write that landed: the recompute notice, or nothing.
std::string NotLandedText(const LanguageTexts& texts, const PartWriteOutcome& outcome,
                          MessageText notLanded);

// One part of a write into many, as its summary names it.
struct NamedWrite {
    std::string Name;
    bool Tried = false; // false: not tried, the program had stopped answering
    PartWriteOutcome Outcome;
};

// True when the part was written and its features now fail, warn or could not
// be checked: its earlier values are offered back.
bool Unwell(const NamedWrite& write);

// The summary of a write of the type `typeName` (none: each part's own
// nearest type) into many parts: the parts written, those of the type
// already, those whose check was cut short, those not written with the
// reason, and the features that fail after the write.
std::string BatchSummary(const LanguageTexts& texts, const std::optional<std::string>& typeName,
                         const std::vector<NamedWrite>& writes);

// The summary of the write-back: the parts written back, those that still
// fail, those not written back with the reason.
std::string WriteBackSummary(const LanguageTexts& texts, const std::vector<NamedWrite>& backs);

} // namespace psm
