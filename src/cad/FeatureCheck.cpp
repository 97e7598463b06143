#include "cad/FeatureCheck.h"

#include "cad/CadIds.h"
#include "cad/GuardedCalls.h"
#include "texts/Texts.h"

#include <optional>

namespace psm::cad {

bool CheckFeatureStatus(FeatureCheck& check, const ObjectRef& document, const TextTables& texts) {
    check.FeatureMessage.clear();
    check.CopiedPartFound = false;
    bool result = true;

    check.FirstModel = GetObject(document, Named("Models"), {Value::Int16(1)}, ids::ModelIid);
    check.FeatureList =
        GetObject(check.FirstModel, Id(ids::FeatureListId), {}, ids::FeatureListIid);
    const int16_t count =
        GetAs<int16_t>(check.FeatureList, Id(ids::FeatureCountId)).value_or(int16_t{0});

    for (int i = 1; i <= count; ++i) {
        const ObjectRef feature =
            GetObject(check.FeatureList, Id(ids::ItemId), {Value::Int16(static_cast<int16_t>(i))});
        if (!feature) {
            continue;
        }
        // A type or status that cannot be read counts as healthy.
        if (GetAs<int32_t>(feature, Named("Type")) == ids::CopiedPartFeatureType) {
            check.CopiedPartFound = true;
            result = false;
            break;
        }
        const auto status = GetAs<int32_t>(feature, Named("Status"));
        std::optional<MessageText> label;
        if (status == ids::FeatureStatusWarned) {
            label = MessageText::Warned;
        } else if (status == ids::FeatureStatusFailed) {
            label = MessageText::Failed;
        }
        if (label) {
            check.FeatureMessage += "\r\n" + texts.Message(*label) +
                                    GetAs<std::string>(feature, Named("Name")).value_or("");
            result = false;
        }
    }
    return result;
}

} // namespace psm::cad
