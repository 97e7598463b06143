#pragma once

// The feature status check: walks the features of a document's first model
// and finds the warned and failed ones and a copied-part feature.

#include "cad/Automation.h"

#include <string>
#include <vector>

namespace psm::cad {

enum class FeatureState { Warned, Failed };

// A feature that is not healthy, by its name.
struct FeatureFinding {
    std::string Name;
    FeatureState State = FeatureState::Warned;
    friend bool operator==(const FeatureFinding&, const FeatureFinding&) = default;
};

struct FeatureCheck {
    std::vector<FeatureFinding> Findings; // in the order of the model's features
    bool CopiedPartFound = false;
    // False when the program stopped answering (busy or gone) during the
    // walk: the features after that were not looked at.
    bool Complete = true;
    // The walk stopped because the document or the program is gone, not busy.
    bool Gone = false;
    ObjectRef FirstModel;
    ObjectRef FeatureList;

    bool Healthy() const { return Findings.empty() && !CopiedPartFound; }
};

// True when no feature is warned or failed and no copied-part feature was
// met; the walk stops at a copied-part feature.
bool CheckFeatureStatus(FeatureCheck& check, const ObjectRef& document);

} // namespace psm::cad
