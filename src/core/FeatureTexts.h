#pragma once

// The texts that tell of the features a check found, in the user's language.

#include "cad/FeatureCheck.h"
#include "texts/Texts.h"

#include <string>
#include <vector>

namespace psm {

// The features a check found, a line each, each begun with CR LF: the
// report above the questions of the write.
std::string FeatureLines(const std::vector<cad::FeatureFinding>& findings,
                         const LanguageTexts& texts);

// The same as one cell of the journal, "; "-separated; empty when all are healthy.
std::string FeatureCell(const std::vector<cad::FeatureFinding>& findings,
                        const LanguageTexts& texts);

} // namespace psm
