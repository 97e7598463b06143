// The installation of this program's button on the "ORNA" bar of the
// environment that matches the active document.

#include "cad/CommandButton.h"

#include "CadTestSupport.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
namespace code = sim::code;

class CommandButtonTest : public CadFixture {
  protected:
    void Install(const std::string& folder = "C:\\Tools\\psm") {
        FixedLocation location(folder);
        InstallCommandButton(connection, sim, location, pointer, "psm.exe",
                             "Teileeigenschaften festlegen", "Biegewerte");
    }
    sim::CommandBar* Bar(std::string_view environment) {
        return sim.Env(environment).FindBar("ORNA");
    }

    RecordingPointer pointer;
};

TEST_F(CommandButtonTest, SheetMetalWithoutBarAddsBarAndButton) {
    sim.OpenSheetMetal("A.psm");
    Install();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 7u + 21u);
    EXPECT_THAT(
        std::vector(lines.begin() + 7, lines.end()),
        ElementsAre(
            "app{DED89DB0} get #23", "app/Environments as {A6713AE0-2BDA-11CE-8E45-08003601BBD5}",
            "app/Environments{A6713AE0} get #0(\"SheetMetal\")",
            "env:SheetMetal as {024091D0-2BDB-11CE-8E45-08003601BBD5}",
            "env:SheetMetal{024091D0} get #8",
            "env:SheetMetal/Bars as {1D3DA501-9BFF-11D1-BA96-080036230602}",
            "env:SheetMetal/Bars{1D3DA501} get #0(\"ORNA\") -> !0x80020009",
            "env:SheetMetal/Bars{1D3DA501} call #7(\"ORNA\", I4 5)",
            "env:SheetMetal/Bars/ORNA as {1D3DA502-9BFF-11D1-BA96-080036230602}",
            "env:SheetMetal/Bars/ORNA{1D3DA502} get #3",
            "env:SheetMetal/Bars/ORNA/Controls as {1D3DA503-9BFF-11D1-BA96-080036230602}",
            "env:SheetMetal/Bars/ORNA/Controls{1D3DA503} get #2",
            "env:SheetMetal/Bars/ORNA/Controls{1D3DA503} call #4(I4 2)",
            "env:SheetMetal/Bars/ORNA/Controls/1 as {59DE959F-9CA6-11D1-BA97-080036230602}",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} put #0x1001000F = "
            "\"C:\\Tools\\psm\\psm.exe\"",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} get #0x1001000F",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} call "
            "#0x1001001C(\"C:\\Tools\\psm\\psm.bmp\")",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} put #0x10010006 = "
            "\"Teileeigenschaften festlegen\"",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} put #0x10010014 = \"Biegewerte\"",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} put #0x10010017 = Bool true",
            "env:SheetMetal/Bars/ORNA/Controls/1{59DE959F} put #0x10010007 = Bool true"));
    EXPECT_THAT(pointer.Shapes, ElementsAre(MousePointerShape::Wait, MousePointerShape::Default));
    ASSERT_NE(Bar("SheetMetal"), nullptr);
    EXPECT_EQ(Bar("SheetMetal")->Position(), 5);
    EXPECT_EQ(Bar("SheetMetal")->Controls()[0]->Kind(), 2);
    EXPECT_EQ(Bar("Assembly"), nullptr);
}

TEST_F(CommandButtonTest, AssemblyInstallsInTheAssemblyEnvironment) {
    sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    Install();
    ASSERT_NE(Bar("Assembly"), nullptr);
    EXPECT_EQ(Bar("Assembly")->Controls().size(), 1u);
    EXPECT_EQ(Bar("SheetMetal"), nullptr);
}

TEST_F(CommandButtonTest, OtherDocumentOrNoProgramOnlyTurnsThePointer) {
    sim.OpenDocument("Drawing.dft", code::DraftDocument);
    Install();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member(ids::EnvironmentListId)), 0u);
    sim.Quit();
    Install();
    EXPECT_EQ(Bar("SheetMetal"), nullptr);
    EXPECT_THAT(pointer.Shapes, ElementsAre(MousePointerShape::Wait, MousePointerShape::Default,
                                            MousePointerShape::Wait, MousePointerShape::Default));
}

TEST_F(CommandButtonTest, ButtonInThirdPlaceFromAnotherFolderIsReusedAsItIs) {
    sim.OpenSheetMetal("A.psm");
    sim::CommandBar& bar = sim.Env("SheetMetal").AddBar("ORNA");
    bar.AddButton("C:\\x\\other.exe");
    bar.AddButton("C:\\y\\PSM.EXE");
    bar.AddButton("D:\\old\\psm.exe");
    bar.AddButton("E:\\psm.exe");
    Install();
    EXPECT_EQ(bar.Controls().size(), 4u) << "nothing added";
    const sim::Control& third = *bar.Controls()[2];
    EXPECT_EQ(third.RunPath, "D:\\old\\psm.exe");
    EXPECT_EQ(third.PictureFile, "D:\\old\\psm.bmp");
    EXPECT_EQ(third.Title, "Biegewerte");
    EXPECT_TRUE(third.OptionA && third.OptionB);
    EXPECT_EQ(bar.Controls()[3]->Title, "");
    EXPECT_EQ(sim.Log().Count(sim::CallMatch().On("env:SheetMetal/Bars/ORNA/Controls/4")), 0u);
}

TEST_F(CommandButtonTest, FolderEndingInABackslashGetsNoSecond) {
    sim.OpenSheetMetal("A.psm");
    Install("C:\\");
    EXPECT_EQ(Bar("SheetMetal")->Controls()[0]->RunPath, "C:\\psm.exe");
    EXPECT_EQ(Bar("SheetMetal")->Controls()[0]->PictureFile, "C:\\psm.bmp");
}

TEST_F(CommandButtonTest, SecondRunFindsBarAndButton) {
    sim.OpenSheetMetal("A.psm");
    Install();
    Install();
    EXPECT_EQ(sim.Env("SheetMetal").Bars()->Items().size(), 1u);
    EXPECT_EQ(Bar("SheetMetal")->Controls().size(), 1u);
}

TEST_F(CommandButtonTest, FailedPictureLeavesTextsAndOptionsSet) {
    sim.OpenSheetMetal("A.psm");
    sim.FailWhen(sim::CallMatch::Member(ids::SetPictureFileId));
    Install();
    const sim::Control& button = *Bar("SheetMetal")->Controls()[0];
    EXPECT_EQ(button.PictureFile, "");
    EXPECT_EQ(button.Description, "Teileeigenschaften festlegen");
    EXPECT_TRUE(button.OptionB);
}

TEST_F(CommandButtonTest, BarNeitherFoundNorAddedSetsNothingAndNoEarlierBarStandsIn) {
    sim.OpenSheetMetal("A.psm");
    Install();
    sim.ClearLog();
    sim.FailWhen(sim::CallMatch::Member("Item").On("env:SheetMetal/Bars"));
    sim.FailWhen(sim::CallMatch::Member(ids::AddBarId));
    Install();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch().On("env:SheetMetal/Bars/ORNA")), 0u);
    EXPECT_EQ(sim.Log().Count(sim::CallMatch().OfKind(sim::CallKind::Put)), 0u);
    EXPECT_EQ(pointer.Shapes.back(), MousePointerShape::Default);
}

} // namespace
} // namespace psm::cad::test
