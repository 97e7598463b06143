#pragma once

// The feature status check: walks the features of a document's first model
// and reports warned and failed features and a copied-part feature.

#include "cad/Automation.h"

#include <string>

namespace psm {
struct TextTables;
}

namespace psm::cad {

struct FeatureCheck {
    std::string FeatureMessage; // CR LF, label and name for each warned or failed feature
    bool CopiedPartFound = false;
    ObjectRef FirstModel;
    ObjectRef FeatureList;
};

// True when no feature is warned or failed and no copied-part feature was
// met. The labels are message texts 10 and 11 in the tables' language.
bool CheckFeatureStatus(FeatureCheck& check, const ObjectRef& document, const TextTables& texts);

} // namespace psm::cad
