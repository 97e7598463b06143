// The texts of simcad's window: documents, values, features, bars.

#include "simcad/DocumentView.h"
#include "simcad/Scenario.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace psm::simcad {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

class DocumentViewTest : public ::testing::Test {
  protected:
    void Load(std::string_view text) { ASSERT_THAT(LoadScenario(world, text), IsEmpty()); }
    World world;
};

TEST_F(DocumentViewTest, ListsTheOpenDocumentsOnly) {
    Load("sheetmetal A.psm\nlinked sheetmetal Innen.psm\nassembly B.asm\n");
    EXPECT_THAT(DocumentNames(world.Sim), ElementsAre("A.psm", "B.asm"));
}

TEST_F(DocumentViewTest, ShowsTheActiveSheetMetalDocumentsValuesAndFeatures) {
    Load("sheetmetal Halter.psm\n"
         "  values 0.0015 0.0015 0.43 0.003 0.0015\n"
         "  feature flange Flansch 1\n"
         "  feature cutout Ausschnitt 1\n"
         "  status Ausschnitt 1 warned\n"
         "sheetmetal Anderes.psm\n"
         "active Halter.psm\n");
    const std::string text = DetailsText(world);
    EXPECT_THAT(text, HasSubstr("Halter.psm  (sheet metal)\r\n"));
    EXPECT_THAT(text, HasSubstr("Material thickness: 1.5 mm  (0.0015 m)\r\n"));
    EXPECT_THAT(text, HasSubstr("Neutral factor: 0.43\r\n"));
    EXPECT_THAT(text, HasSubstr("Relief length: 3 mm  (0.003 m)\r\n"));
    EXPECT_THAT(text, HasSubstr("Flansch 1 [flange]: ok\r\n"));
    EXPECT_THAT(text, HasSubstr("Ausschnitt 1 [cutout]: warned\r\n"));
    EXPECT_THAT(text, Not(HasSubstr("Anderes.psm")));
}

TEST_F(DocumentViewTest, FollowsWritesAndAMissingMarker) {
    Load("sheetmetal Halter.psm\n  remove ReliefWidth_\n");
    world.Find("Halter.psm")->SetValue("SM_Thickness", 0.002);
    const std::string text = DetailsText(world);
    EXPECT_THAT(text, HasSubstr("Material thickness: 2 mm"));
    EXPECT_THAT(text, HasSubstr("Relief width: -\r\n"));
    EXPECT_THAT(text, HasSubstr("no features"));
}

TEST_F(DocumentViewTest, ShowsAnAssemblysComponentsAndThePartBehindItsOnlyOne) {
    Load("linked sheetmetal Gehäuseblech.psm\n"
         "  values 0.002 0.003 0.4 0.004 0.002\n"
         "  feature copiedpart Kopie\n"
         "assembly Gehäuse.asm\n"
         "  component blocked Blech 1 -> Gehäuseblech.psm\n");
    std::string text = DetailsText(world);
    EXPECT_THAT(text, HasSubstr("Gehäuse.asm  (assembly)\r\n"));
    EXPECT_THAT(text, HasSubstr("  Blech 1 -> Gehäuseblech.psm (sheet metal): 2 / 3 / 0.4 / 4 / 2 "
                                "[blocked]\r\n"));
    EXPECT_THAT(text, HasSubstr("  Gehäuseblech.psm  (sheet metal)\r\n"));
    EXPECT_THAT(text, HasSubstr("Bend radius: 3 mm"));
    EXPECT_THAT(text, HasSubstr("Kopie [copied part]: ok"));

    // Many components: each with the part it leads to, the named ones too.
    Load("linked part Welle.par\n"
         "linked sheetmetal Deckel.psm\n"
         "assembly Rahmen.asm\n"
         "  component direct Deckel:1 -> Deckel.psm\n"
         "  component named Deckel:2\n"
         "  partlink Deckel:2 -> Deckel.psm\n"
         "  component direct Welle:1 -> Welle.par\n"
         "  component named Verloren:1\n"
         "  component other Fremd:1\n");
    text = DetailsText(world);
    EXPECT_THAT(text,
                HasSubstr("  Deckel:2 (named) -> Deckel.psm (sheet metal): 1 / 1 / 0.33 / 2 / "
                          "1\r\n  Welle:1 -> Welle.par (part)\r\n  Verloren:1 (named) -> no "
                          "part\r\n  Fremd:1 (other kind)\r\n"));
    EXPECT_THAT(text, Not(HasSubstr("Material thickness")));
}

TEST_F(DocumentViewTest, ShowsNestedAssembliesAsATreeEachOnce) {
    Load("linked sheetmetal P.psm\n"
         "linked assembly Sub.asm\n"
         "  components 3 direct P -> P.psm\n"
         "linked assembly Mid.asm\n"
         "  component direct Sub 1 -> Sub.asm\n"
         "assembly Top.asm\n"
         "  components 2 direct Mid -> Mid.asm\n"
         "with Sub.asm\n"
         "  component direct Loop 1 -> Mid.asm\n");
    EXPECT_THAT(DetailsText(world),
                HasSubstr("Top.asm  (assembly)\r\n"
                          "  Mid:1 -> Mid.asm (assembly)\r\n"
                          "    Sub 1 -> Sub.asm (assembly)\r\n"
                          "      P:1 -> P.psm (sheet metal): 1 / 1 / 0.33 / 2 / 1\r\n"
                          "      P:2 -> P.psm (sheet metal): 1 / 1 / 0.33 / 2 / 1\r\n"
                          "      P:3 -> P.psm (sheet metal): 1 / 1 / 0.33 / 2 / 1\r\n"
                          "      Loop 1 -> Mid.asm (assembly) [contains itself]\r\n"
                          "  Mid:2 -> Mid.asm (assembly) [components above]\r\n"));
}

TEST_F(DocumentViewTest, ShowsBarsButtonsAndTheCallCount) {
    Load("bar Assembly ORNA\nbutton SheetMetal ORNA C:\\psm\\psm.exe\n");
    world.Sim.Env("SheetMetal").FindBar("ORNA")->Controls()[0]->Title = "Biegewerte";
    const std::string text = DetailsText(world);
    EXPECT_THAT(text, HasSubstr("No document open.\r\n"));
    EXPECT_THAT(text, HasSubstr("SheetMetal / bar ORNA: [Biegewerte]\r\n"));
    EXPECT_THAT(text, HasSubstr("Assembly / bar ORNA: no buttons\r\n"));
    EXPECT_THAT(text, HasSubstr("CAD calls: 0\r\n"));
}

} // namespace
} // namespace psm::simcad
