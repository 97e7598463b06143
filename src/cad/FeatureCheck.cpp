#include "cad/FeatureCheck.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"

#include <optional>

namespace psm::cad {

bool CheckFeatureStatus(FeatureCheck& check, const ObjectRef& document) {
    check.Findings.clear();
    check.CopiedPartFound = false;
    check.Gone = false;
    // Once the program stops answering, nothing more is asked of it.
    GuardedSteps steps;
    check.FirstModel = steps.Object(document, Named("Models"), {Value::Int16(1)}, ids::ModelIid);
    check.FeatureList =
        steps.Object(check.FirstModel, Id(ids::FeatureListId), {}, ids::FeatureListIid);
    const int16_t count =
        steps.Read<int16_t>(check.FeatureList, Id(ids::FeatureCountId)).value_or(int16_t{0});

    for (int i = 1; i <= count && !steps.OutOfReach(); ++i) {
        const ObjectRef feature = steps.Object(check.FeatureList, Id(ids::ItemId),
                                               {Value::Int16(static_cast<int16_t>(i))});
        if (!feature) {
            continue;
        }
        // A type or status that cannot be read counts as healthy.
        if (steps.Read<int32_t>(feature, Named("Type")) == ids::CopiedPartFeatureType) {
            check.CopiedPartFound = true;
            break;
        }
        const auto status = steps.Read<int32_t>(feature, Named("Status"));
        std::optional<FeatureState> state;
        if (status == ids::FeatureStatusWarned) {
            state = FeatureState::Warned;
        } else if (status == ids::FeatureStatusFailed) {
            state = FeatureState::Failed;
        }
        if (state) {
            check.Findings.push_back(
                {steps.Read<std::string>(feature, Named("Name")).value_or(""), *state});
        }
    }
    check.Complete = !steps.OutOfReach();
    check.Gone = steps.Lost() && IsGone(*steps.Lost());
    return check.Healthy();
}

} // namespace psm::cad
