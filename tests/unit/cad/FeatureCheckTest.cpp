// The walk over the first model's features: warned and failed features are
// listed, a copied-part feature stops the walk.

#include "cad/FeatureCheck.h"

#include "CadTestSupport.h"
#include "texts/Texts.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
namespace code = sim::code;

class FeatureCheckTest : public CadFixture {
  protected:
    void SetUp() override {
        LoadTexts(texts);
        doc = &sim.OpenSheetMetal("A.psm");
    }
    bool Check() {
        ConnectQuietly();
        return CheckFeatureStatus(check, connection.ActiveDoc, texts);
    }

    TextTables texts;
    FeatureCheck check;
    sim::Document* doc = nullptr;
};

TEST_F(FeatureCheckTest, HealthyFeaturesAreWalkedWithTheseCalls) {
    doc->AddFeature("Flange 1");
    EXPECT_TRUE(Check());
    EXPECT_EQ(check.FeatureMessage, "");
    EXPECT_FALSE(check.CopiedPartFound);
    EXPECT_THAT(Lines(),
                ElementsAre("doc:A.psm get Models(I2 1)",
                            "doc:A.psm/Model1 as {49852F7F-A403-11CE-818E-0800363A1E02}",
                            "doc:A.psm/Model1{49852F7F} get #30",
                            "doc:A.psm/Model1/Features as {777E2640-3331-11CF-81E1-080036C20002}",
                            "doc:A.psm/Model1/Features{777E2640} get #5",
                            "doc:A.psm/Model1/Features{777E2640} get #0(I2 1)",
                            "doc:A.psm/Model1/Features/Flange 1 get Type",
                            "doc:A.psm/Model1/Features/Flange 1 get Status"));
}

TEST_F(FeatureCheckTest, WarnedAndFailedFeaturesAreListedInOrderInTheTablesLanguage) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
    doc->AddFeature("Healthy");
    doc->AddFeature("Cutout 2", code::CutoutFeature).SetBaseStatus(code::StatusFailed);
    texts.LanguageIndex = TextTables::English;
    EXPECT_FALSE(Check());
    EXPECT_EQ(check.FeatureMessage, "\r\nWarned:  Flange 1\r\nFailed:  Cutout 2");
    texts.LanguageIndex = TextTables::German;
    EXPECT_FALSE(Check());
    EXPECT_EQ(check.FeatureMessage, "\r\nWarnung bei:  Flange 1\r\nFehler bei:  Cutout 2");
}

TEST_F(FeatureCheckTest, FeatureFailsOnceTheDocumentsValueMakesItFail) {
    doc->AddFeature("Flange 1").FailWhen("SM_Radius", [](double r) { return r < 0.001; });
    EXPECT_TRUE(Check());
    doc->SetValue("SM_Radius", 0.0005);
    EXPECT_FALSE(Check());
    EXPECT_EQ(check.FeatureMessage, "\r\nFehler bei:  Flange 1");
}

TEST_F(FeatureCheckTest, CopiedPartStopsTheWalk) {
    doc->AddFeature("Copy", code::CopiedPartFeature);
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
    EXPECT_FALSE(Check());
    EXPECT_TRUE(check.CopiedPartFound);
    EXPECT_EQ(check.FeatureMessage, "");
    EXPECT_EQ(sim.Log().Count(sim::CallMatch().On("doc:A.psm/Model1/Features/Flange 1")), 0u);
}

TEST_F(FeatureCheckTest, WarnedFeatureBeforeACopiedPartStaysListed) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusWarned);
    doc->AddFeature("Copy", code::CopiedPartFeature);
    EXPECT_FALSE(Check());
    EXPECT_TRUE(check.CopiedPartFound);
    EXPECT_EQ(check.FeatureMessage, "\r\nWarnung bei:  Flange 1");
}

TEST_F(FeatureCheckTest, ModelWithoutFeaturesIsHealthy) {
    EXPECT_TRUE(Check());
    EXPECT_EQ(check.FeatureMessage, "");
}

TEST_F(FeatureCheckTest, MissingModelNeverFallsBackToTheEarlierOne) {
    doc->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    EXPECT_FALSE(Check());
    sim.FailWhen(sim::CallMatch::Member("Models"));
    EXPECT_TRUE(Check());
    EXPECT_EQ(check.FeatureMessage, "");
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
    EXPECT_EQ(check.FeatureMessage, "\r\nFehler bei:  \r\nFehler bei:  Cutout 2");
}

} // namespace
} // namespace psm::cad::test
