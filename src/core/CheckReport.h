#pragma once

// The value-file check's report, as the options menu's box and the command
// line "/check" show it: a heading, then one line per finding, in the texts'
// language.

#include "tables/CheckedValueFile.h"
#include "tables/SheetValue.h"
#include "tables/ValueFileCheck.h"
#include "texts/Texts.h"

#include <cstdint>
#include <string>
#include <vector>

namespace psm {

// One finding as a line of the report.
std::string DescribeFinding(const CheckFinding& finding, const LanguageTexts& texts);

// The whole report for the file `fileName`: a heading, then one line per
// finding, at most `maxLines` of them and a count of the rest. Lines end with CR LF.
std::string CheckReport(const std::string& fileName, const std::vector<CheckFinding>& findings,
                        const LanguageTexts& texts, size_t maxLines = SIZE_MAX);

// The report of a checked file; one that could not be read says so.
std::string CheckReport(const std::string& fileName, const CheckedValueFile& checked,
                        const LanguageTexts& texts, size_t maxLines = SIZE_MAX);

} // namespace psm
