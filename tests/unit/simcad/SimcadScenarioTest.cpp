// Scenario files of simcad: what each line builds in the simulated CAD
// program, seen the way psm sees it (through its own CAD procedures), and
// the problems reported for lines that cannot be read.

#include "CadTestSupport.h"
#include "cad/AssemblyTree.h"
#include "cad/CadIds.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/SheetMetalVariables.h"
#include "simcad/Scenario.h"
#include "texts/Texts.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sstream>

namespace psm::simcad {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

class ScenarioTest : public ::testing::Test {
  protected:
    void Load(std::string_view text) { ASSERT_THAT(LoadScenario(world, text), IsEmpty()); }

    sim::Document& Doc(std::string_view name) {
        sim::Document* document = world.Find(name);
        EXPECT_NE(document, nullptr) << name;
        return *document;
    }

    cad::DocumentKind Connect() { return cad::ConnectCad(connection, world.Sim); }

    // psm's view of the assembly: the type of the part behind its component.
    cad::DocumentKind InPlace() {
        auto assembly = connection.ActiveDoc->As(cad::ids::AssemblyDocumentIid);
        return cad::GetInPlaceDocument(connection, assembly ? assembly.Value() : nullptr);
    }

    World world;
    cad::CadConnection connection;
};

TEST_F(ScenarioTest, OpensDocumentsOfEachKindAndTheLastOneIsActive) {
    Load("sheetmetal Blech 1.psm\n"
         "assembly Baugruppe.asm\n"
         "part Teil.par\n"
         "draft Zeichnung.dft\n"
         "document 7 Sonst.xyz\n");
    std::vector<std::pair<std::string, int32_t>> open;
    for (const sim::Document* document : world.Sim.OpenDocuments()) {
        open.emplace_back(document->Name(), document->Type());
    }
    EXPECT_THAT(open, ElementsAre(std::pair<std::string, int32_t>{"Blech 1.psm", 4},
                                  std::pair<std::string, int32_t>{"Baugruppe.asm", 3},
                                  std::pair<std::string, int32_t>{"Teil.par", 1},
                                  std::pair<std::string, int32_t>{"Zeichnung.dft", 2},
                                  std::pair<std::string, int32_t>{"Sonst.xyz", 7}));
    EXPECT_EQ(Connect(), cad::DocumentKind::Other);
    EXPECT_EQ(connection.ActiveDocName, "Sonst.xyz");
}

TEST_F(ScenarioTest, ActiveLineChoosesTheActiveDocument) {
    Load("sheetmetal A.psm\nsheetmetal B.psm\nactive A.psm\n");
    EXPECT_EQ(Connect(), cad::DocumentKind::SheetMetal);
    EXPECT_EQ(connection.ActiveDocName, "A.psm");
}

TEST_F(ScenarioTest, NoDocumentMeansTheProgramRunsEmpty) {
    Load("# nothing open\n\n");
    EXPECT_EQ(Connect(), cad::DocumentKind::None);
    EXPECT_TRUE(connection.CadAttached);
}

TEST_F(ScenarioTest, ValuesInMetresAreReadByPsm) {
    Load("sheetmetal Halter.psm\n"
         "  values 0.0015 0.0015 0.43 0.003 0.0015   # DC01 1,5\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::SheetMetal);
    cad::SheetMetalVariables variables;
    EXPECT_THAT(*cad::ReadSheetMetalVariables(variables, connection.ActiveDoc),
                ElementsAre(0.0015, 0.0015, 0.43, 0.003, 0.0015));
}

TEST_F(ScenarioTest, MarkersCanNameVariablesOfAnyName) {
    Load("sheetmetal Eigen.psm\n"
         "  variable Dicke 0.002\n"
         "  marker MaterialThickness_ Dicke\n"
         "  values 0.003 0.001 0.33 0.002 0.001\n");
    sim::Document& document = Doc("Eigen.psm");
    // The values line follows the marker to the variable it names now.
    EXPECT_DOUBLE_EQ(document.ValueOf("Dicke"), 0.003);
    EXPECT_DOUBLE_EQ(SheetMetalValue(document, 1), 0.003);
    EXPECT_DOUBLE_EQ(document.ValueOf(sim::variable::Thickness), 0.001);
}

TEST_F(ScenarioTest, RemovedMarkerLeavesItsValueEmptyForPsm) {
    Load("sheetmetal Ohne.psm\n  remove BendRadius_\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::SheetMetal);
    cad::SheetMetalVariables variables;
    const auto values = cad::ReadSheetMetalVariables(variables, connection.ActiveDoc);
    EXPECT_FALSE((*values)[1]);
    EXPECT_EQ((*values)[0], 0.001);
    EXPECT_TRUE(std::isnan(SheetMetalValue(Doc("Ohne.psm"), 2)));
}

TEST_F(ScenarioTest, ValuesOnAPartWithoutMarkersAddsThem) {
    Load("part Teil.par\n  values 0.001 0.002 0.4 0.003 0.004\n");
    EXPECT_DOUBLE_EQ(SheetMetalValue(Doc("Teil.par"), 2), 0.002);
    EXPECT_DOUBLE_EQ(SheetMetalValue(Doc("Teil.par"), 5), 0.004);
}

TEST_F(ScenarioTest, RuleOnAValueNameFailsTheFeatureAfterAWrite) {
    Load("sheetmetal Halter.psm\n"
         "  values 0.0015 0.0015 0.43 0.003 0.0015\n"
         "  feature flange Flange 1\n"
         "  rule Flange 1 fails when BendRadius < 0.001\n"
         "  feature cutout Cutout 2\n"
         "  rule Cutout 2 warns when ReliefWidth >= 0.002\n");
    sim::Document& document = Doc("Halter.psm");
    EXPECT_EQ(document.FindFeature("Flange 1")->Status(), sim::code::StatusOk);
    document.SetValue(sim::variable::BendRadius, 0.0005);
    EXPECT_EQ(document.FindFeature("Flange 1")->Status(), sim::code::StatusFailed);
    document.SetValue(sim::variable::ReliefWidth, 0.002);
    EXPECT_EQ(document.FindFeature("Cutout 2")->Status(), sim::code::StatusWarned);
    document.SetValue(sim::variable::ReliefWidth, 0.0019);
    EXPECT_EQ(document.FindFeature("Cutout 2")->Status(), sim::code::StatusOk);
}

TEST_F(ScenarioTest, RuleFollowsAMarkerToItsOwnVariable) {
    Load("sheetmetal Eigen.psm\n"
         "  marker BendRadius_ Radius\n"
         "  variable Radius 0.002\n"
         "  feature flange Flange 1\n"
         "  rule Flange 1 fails when BendRadius != 0.002\n");
    sim::Document& document = Doc("Eigen.psm");
    document.SetValue(sim::variable::BendRadius, 0.005); // not the variable the marker names
    EXPECT_EQ(document.FindFeature("Flange 1")->Status(), sim::code::StatusOk);
    document.SetValue("Radius", 0.003);
    EXPECT_EQ(document.FindFeature("Flange 1")->Status(), sim::code::StatusFailed);
}

TEST_F(ScenarioTest, StatusAndFeatureKindsAreWhatPsmChecks) {
    Load("sheetmetal Kaputt.psm\n"
         "  feature flange Flansch 1\n"
         "  status Flansch 1 warned\n"
         "  feature cutout Ausschnitt 2\n"
         "  status Ausschnitt 2 failed\n"
         "  feature copiedpart Teilekopie 1\n"
         "  feature 0x906F3E10 Nach der Kopie\n"
         "  status Nach der Kopie failed\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::SheetMetal);
    cad::FeatureCheck check;
    EXPECT_FALSE(cad::CheckFeatureStatus(check, connection.ActiveDoc));
    EXPECT_TRUE(check.CopiedPartFound);
    EXPECT_THAT(check.Findings, // stops at the copy
                ElementsAre(cad::FeatureFinding{"Flansch 1", cad::FeatureState::Warned},
                            cad::FeatureFinding{"Ausschnitt 2", cad::FeatureState::Failed}));
}

TEST_F(ScenarioTest, AssemblyWithADirectComponentLeadsToTheLinkedPart) {
    Load("linked sheetmetal Gehäuseblech.psm\n"
         "  values 0.002 0.003 0.4 0.004 0.002\n"
         "assembly Gehäuse.asm\n"
         "  component direct Blech 1 -> Gehäuseblech.psm\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::Assembly);
    EXPECT_EQ(world.Sim.OpenCount(), 1); // the linked part is not open by itself
    EXPECT_EQ(InPlace(), cad::DocumentKind::SheetMetal);
    EXPECT_EQ(connection.WorkDocName, "Gehäuseblech.psm");
}

TEST_F(ScenarioTest, BlockedComponentRefusesItsPart) {
    Load("linked sheetmetal Blech.psm\n"
         "assembly Baugruppe.asm\n"
         "  component blocked Blech 1 -> Blech.psm\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::None);
}

TEST_F(ScenarioTest, NamedComponentLeadsThroughThePartLinks) {
    Load("linked part Teil.par\n"
         "assembly Baugruppe.asm\n"
         "  component named Teil 1\n"
         "  partlink Teil 1 -> Teil.par\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::Other);
    EXPECT_EQ(connection.WorkDocName, "Teil.par");
}

TEST_F(ScenarioTest, TwoComponentsOrAnOtherKindLeadNowhere) {
    Load("linked sheetmetal A.psm\n"
         "assembly Zwei.asm\n"
         "  component direct A 1 -> A.psm\n"
         "  component direct A 2 -> A.psm\n"
         "assembly Fremd.asm\n"
         "  component other Fremdteil\n");
    ASSERT_EQ(Connect(), cad::DocumentKind::Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::None);
    world.Sim.Activate("Zwei.asm");
    ASSERT_EQ(Connect(), cad::DocumentKind::Assembly);
    EXPECT_EQ(InPlace(), cad::DocumentKind::None);
}

TEST_F(ScenarioTest, BarsAndButtonsExistBeforePsmInstallsItsOwn) {
    Load("bar SheetMetal ORNA\n"
         "button SheetMetal ORNA C:\\Alt\\psm.exe\n"
         "button Assembly Werkzeuge C:\\Tools\\other.exe\n");
    const sim::CommandBar* orna = world.Sim.Env("SheetMetal").FindBar("ORNA");
    ASSERT_NE(orna, nullptr);
    ASSERT_EQ(orna->Controls().size(), 1u);
    EXPECT_EQ(orna->Controls()[0]->RunPath, "C:\\Alt\\psm.exe");
    const sim::CommandBar* tools = world.Sim.Env("Assembly").FindBar("Werkzeuge");
    ASSERT_NE(tools, nullptr);
    EXPECT_EQ(tools->Controls().size(), 1u);
}

TEST_F(ScenarioTest, CommentsBlankLinesAndWindowsLineEndings) {
    Load("# a comment\r\n\r\n  sheetmetal Teil#2.psm   # the hash inside a name stays\r\n"
         "values 0.001 0.001 0.33 0.002 0.001\r\n");
    EXPECT_NE(world.Sim.Find("Teil#2.psm"), nullptr);
}

TEST_F(ScenarioTest, BusyRefusesEveryCallForAWhileFromTheStartOrFromAChosenCall) {
    cad::test::FakeClock clock;
    world.Sim.UseClock(clock);
    Load("sheetmetal A.psm\nbusy 500\n");
    EXPECT_EQ(Connect(), cad::DocumentKind::None);
    clock.Time += std::chrono::milliseconds(500);
    EXPECT_EQ(Connect(), cad::DocumentKind::SheetMetal);

    Load("busy 500 retrylater from get Name 2\n");
    Connect();
    EXPECT_EQ(connection.ActiveDocName, "A.psm") << "the first read of the name goes through";
    Connect();
    EXPECT_TRUE(connection.OutOfReach) << "the second begins the spell";
    const auto refused = world.Sim.Log().Where([](const sim::CallRecord& r) { return !r.Ok(); });
    ASSERT_FALSE(refused.empty());
    EXPECT_EQ(refused.back()->Failure->Code, sim::hresult::RetryLater);
    clock.Time += std::chrono::milliseconds(500);
    Connect();
    EXPECT_EQ(connection.ActiveDocName, "A.psm");

    EXPECT_THAT(LoadScenario(world, "busy\nbusy soon\nbusy 1 later\nbusy 1 from\n"
                                    "busy 1 from take Name\nbusy 1 from Name 0\n"),
                ::testing::SizeIs(6));
}

TEST_F(ScenarioTest, ProblemsNameTheirLinesAndReadingGoesOn) {
    const auto problems = LoadScenario(world, "values 1 2 3 4 5\n"
                                              "sheetmetal A.psm\n"
                                              "  values 1 2 3\n"
                                              "  values 1 2 x 4 5\n"
                                              "  feature flange F\n"
                                              "  rule G fails when BendRadius < 1\n"
                                              "  rule F fails when BendRadius ~ 1\n"
                                              "  rule F fails if BendRadius < 1\n"
                                              "  status F broken\n"
                                              "  feature hinge H\n"
                                              "  component direct C -> A.psm\n"
                                              "sheetmetal A.psm\n"
                                              "frobnicate\n"
                                              "active Nirgends.psm\n"
                                              "sheetmetal B.psm\n");
    ASSERT_EQ(problems.size(), 12u);
    EXPECT_THAT(problems[0], HasSubstr("line 1: no document yet"));
    EXPECT_THAT(problems[1], HasSubstr("line 3: values needs five numbers"));
    EXPECT_THAT(problems[2], HasSubstr("line 4: \"x\" is not a number"));
    EXPECT_THAT(problems[3], HasSubstr("line 6: unknown feature \"G\""));
    EXPECT_THAT(problems[4], HasSubstr("line 7: the condition"));
    EXPECT_THAT(problems[5], HasSubstr("line 8: rule needs"));
    EXPECT_THAT(problems[6], HasSubstr("line 9: status needs"));
    EXPECT_THAT(problems[7], HasSubstr("line 10: \"hinge\" is not a feature kind"));
    EXPECT_THAT(problems[8], HasSubstr("line 11: components and part links belong to an assembly"));
    EXPECT_THAT(problems[9], HasSubstr("line 12: a document \"A.psm\" is open already"));
    EXPECT_THAT(problems[10], HasSubstr("line 13: unknown keyword \"frobnicate\""));
    EXPECT_THAT(problems[11], HasSubstr("line 14: no open document \"Nirgends.psm\""));
    // Reading went on: the last line still opened its document.
    EXPECT_NE(world.Sim.Find("B.psm"), nullptr);
}

TEST_F(ScenarioTest, ReferencesNeedTheirTargetsDeclaredFirst) {
    const auto problems = LoadScenario(world, "assembly Baugruppe.asm\n"
                                              "  component direct Blech 1 -> Später.psm\n"
                                              "  partlink Blech 2\n"
                                              "  component joint X\n"
                                              "bar Garage ORNA\n"
                                              "button SheetMetal ORNA\n"
                                              "sheetmetal S.psm\n"
                                              "  rule X fails when BendRadius < 1\n"
                                              "  remove Nichts\n");
    EXPECT_THAT(problems,
                ElementsAre(HasSubstr("line 2: unknown document \"Später.psm\""),
                            HasSubstr("line 3: the linked document is missing"),
                            HasSubstr("line 4: \"joint\" is not a component kind"),
                            HasSubstr("line 5: unknown environment \"Garage\""),
                            HasSubstr("line 6: button needs"), HasSubstr("line 8: unknown feature"),
                            HasSubstr("line 9: no variable \"Nichts\" to remove")));
}

TEST(ScenarioFiles, RepeatedComponentsLeadToOneDocumentAndAreCheckedFirst) {
    World world;
    EXPECT_THAT(LoadScenario(world, "linked sheetmetal P.psm\n"
                                    "assembly A.asm\n"
                                    "  components 3 blocked P -> P.psm\n"
                                    "  components 0 direct P -> P.psm\n"
                                    "  components 2 named P -> P.psm\n"
                                    "  components 2 direct P\n"),
                ElementsAre(HasSubstr("line 4: \"0\" is no number of components"),
                            HasSubstr("line 5: \"named\" is not a kind of linked component"),
                            HasSubstr("line 6: the linked document is missing")));
    const auto& items = world.Find("A.asm")->ComponentSetNode()->Items();
    ASSERT_EQ(items.size(), 3u);
    EXPECT_EQ(items[2]->Name(), "P:3");
    EXPECT_EQ(items[2]->ComponentLink()->Linked().get(), world.Find("P.psm"));
    EXPECT_TRUE(items[2]->ComponentLink()->Blocked());
}

TEST(ScenarioFiles, TheDemoScenarioReadsWithoutProblems) {
    const auto path =
        std::filesystem::path(__FILE__).parent_path().parent_path().parent_path().parent_path() /
        "simcad" / "scenarios" / "demo.txt";
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    std::stringstream text;
    text << file.rdbuf();
    World world;
    EXPECT_THAT(LoadScenario(world, text.str()), IsEmpty());
    EXPECT_GE(world.Sim.OpenCount(), 3);

    // The plant uses its frame twice: the frame's parts count twice over.
    cad::AssemblyTree tree(
        world.Sim.View(world.Find("Anlage.asm")->shared_from_this(), sim::iid::AssemblyDocument));
    ASSERT_EQ(tree.Step([] { return false; }), cad::TreeWalkState::Done);
    const auto uses = [&](std::string_view name) {
        const auto& entries = tree.Entries();
        const auto found = std::ranges::find_if(
            entries, [&](const cad::TreeEntry& entry) { return entry.Name == name; });
        return found != entries.end() ? found->Uses : -1;
    };
    EXPECT_EQ(uses("Rahmen.asm"), 2);
    EXPECT_EQ(uses("Strebe 1"), 4);
    EXPECT_EQ(uses("Halter 1"), 1);
}

} // namespace
} // namespace psm::simcad
