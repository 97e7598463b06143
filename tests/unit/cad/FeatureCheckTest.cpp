// The walk over the first model's features: warned and failed features are
// found in order, a copied-part feature stops the walk.

#include "cad/FeatureCheck.h"

#include "CadTestSupport.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace code = sim::code;

class FeatureCheckTest : public CadFixture {
  protected:
    void SetUp() override { doc = &sim.OpenSheetMetal("A.psm"); }
    bool Check() {
        ConnectQuietly();
        return CheckFeatureStatus(check, connection.ActiveDoc);
    }

    FeatureCheck check;
    sim::Document* doc = nullptr;
};

const FeatureFinding Warned(std::string name) {
    return {std::move(name), FeatureState::Warned};
}
const FeatureFinding Failed(std::string name) {
    return {std::move(name), FeatureState::Failed};
}

TEST_F(FeatureCheckTest, WarnedAndFailedFeaturesAreFoundInOrder) {
    EXPECT_TRUE(Check()) << "a model without features is healthy";
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
    doc->AddFeature("Healthy");
    doc->AddFeature("Cutout 2", code::CutoutFeature).SetBaseStatus(code::StatusFailed);
    EXPECT_FALSE(Check());
    EXPECT_THAT(check.Findings, ElementsAre(Warned("Flange 1"), Failed("Cutout 2")));
    EXPECT_FALSE(check.CopiedPartFound);
}

TEST_F(FeatureCheckTest, FeatureFailsOnceTheDocumentsValueMakesItFail) {
    doc->AddFeature("Flange 1").FailWhen("SM_Radius", [](double r) { return r < 0.001; });
    EXPECT_TRUE(Check());
    doc->SetValue("SM_Radius", 0.0005);
    EXPECT_FALSE(Check());
    EXPECT_THAT(check.Findings, ElementsAre(Failed("Flange 1")));
}

TEST_F(FeatureCheckTest, CopiedPartStopsTheWalkButKeepsWhatCameBefore) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
    doc->AddFeature("Copy", code::CopiedPartFeature);
    doc->AddFeature("Flange 2").SetBaseStatus(code::StatusWarned);
    EXPECT_FALSE(Check());
    EXPECT_TRUE(check.CopiedPartFound);
    EXPECT_THAT(check.Findings, ElementsAre(Warned("Flange 1")));
    EXPECT_EQ(sim.Log().Count(sim::CallMatch().On("doc:A.psm/Model1/Features/Flange 2")), 0u);
}

TEST_F(FeatureCheckTest, MissingModelNeverFallsBackToTheEarlierOne) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    EXPECT_FALSE(Check());
    sim.FailWhen(sim::CallMatch::Member("Models"));
    EXPECT_TRUE(Check());
    EXPECT_THAT(check.Findings, IsEmpty());
    EXPECT_EQ(check.FirstModel, nullptr);
    EXPECT_EQ(check.FeatureList, nullptr);
}

TEST_F(FeatureCheckTest, UnreadableTypeStatusOrNameCountAsHealthyOrNameless) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    doc->AddFeature("Copy", code::CopiedPartFeature).SetBaseStatus(code::StatusWarned);
    doc->AddFeature("Cutout 2").SetBaseStatus(code::StatusFailed);
    sim.FailWhen(sim::CallMatch::Member("Name").On("doc:A.psm/Model1/Features/Flange 1"));
    sim.FailWhen(sim::CallMatch::Member("Type").On("doc:A.psm/Model1/Features/Copy"));
    sim.FailWhen(sim::CallMatch::Member("Status").On("doc:A.psm/Model1/Features/Copy"));
    EXPECT_FALSE(Check());
    EXPECT_FALSE(check.CopiedPartFound);
    EXPECT_THAT(check.Findings, ElementsAre(Failed(""), Failed("Cutout 2")));
}

} // namespace
} // namespace psm::cad::test
