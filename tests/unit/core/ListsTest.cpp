// Table and type selection: the lists' reactions, the middle preselection,
// FormReady, the "reset list" button and the list model itself.

#include "selection/Selection.h"

#include "AppTestSupport.h"
#include "selection/Lists.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class SelectionTest : public AppFixture {
  protected:
    void StartReady() {
        sim.Quit();
        Start();
        Tick(); // the first tick after a start-up without a document
        ASSERT_TRUE(state.Selection.FormReady);
    }
};

TEST_F(SelectionTest, MiddleTypeIsPreselectedHalvesRoundingToEven) {
    // Ten tables; table n holds n types.
    std::string file = "Unit: mm\n";
    for (int n = 1; n <= 10; ++n) {
        file.append("Begin: T").append(std::to_string(n)).append("\n");
        for (int type = 0; type < n; ++type) {
            file += "x;1;1;1;1;1\n";
        }
        file += "End:\n";
    }
    UseValueFile(file);
    StartReady();
    const std::vector<int> expected{0, 0, 1, 2, 2, 2, 3, 4, 4, 4};
    int firstRow = 1;
    for (int n = 1; n <= 10; ++n) {
        Choose(ListId::Combo1, n - 1);
        EXPECT_EQ(view.Items2.size(), static_cast<size_t>(n)) << "table of " << n;
        EXPECT_EQ(view.Selection2, expected[static_cast<size_t>(n - 1)]) << "table of " << n;
        EXPECT_EQ(state.Selection.SelectedTypeRow, firstRow + expected[static_cast<size_t>(n - 1)]);
        EXPECT_EQ(MiddlePosition(firstRow, firstRow + n - 1), expected[static_cast<size_t>(n - 1)]);
        firstRow += n;
    }
}

TEST_F(SelectionTest, ChoosingTablesAndTypesSetsTheSelectedRow) {
    StartReady();
    Choose(ListId::Combo1, 0);
    EXPECT_THAT(view.Items2, ElementsAre("St 1,0", "St 1,5", "St 2,0"));
    EXPECT_EQ(state.Selection.SelectedTypeRow, 2);
    Choose(ListId::Combo1, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(state.Selection.SelectedTypeRow, 4);
    Choose(ListId::Combo2, 1);
    EXPECT_EQ(state.Selection.SelectedTypeRow, 5);
}

TEST_F(SelectionTest, NothingReactsWhileTheFormIsNotReady) {
    StartReady();
    state.Selection.FormReady = false;
    Choose(ListId::Combo1, 0);
    EXPECT_THAT(view.Items2, IsEmpty());
    EXPECT_EQ(state.Selection.SelectedTypeRow, 0);
}

TEST_F(SelectionTest, SelectionByProgramReactsLikeAUsersChoiceButClearingDoesNot) {
    StartReady();
    SelectListEntry(state, services, ListId::Combo1, 1);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(state.Selection.SelectedTypeRow, 4);

    ClearList(state, services, ListId::Combo2);
    EXPECT_EQ(state.Selection.SelectedTypeRow, 4);
    SelectListEntry(state, services, ListId::Combo2, 5);
    EXPECT_EQ(state.Selection.Combo2.Selection, -1) << "no such entry";
}

TEST_F(SelectionTest, TableWithoutRowsLeavesTheTypeListEmptyAndTheRowAlone) {
    UseValueFile(
        "Unit: mm\nBegin: A\na1;1;1;1;1;1\na2;1;1;1;1;1\nBegin: Empty\nBegin: C\nc;2;2;2;2;2\n");
    StartReady();
    Choose(ListId::Combo1, 0);
    ASSERT_EQ(state.Selection.SelectedTypeRow, 1);
    Choose(ListId::Combo1, 1);
    EXPECT_THAT(view.Items2, IsEmpty());
    EXPECT_EQ(view.Selection2, -1);
    EXPECT_EQ(state.Selection.SelectedTypeRow, 1);
    // The properties command acts on what the lists show: no type of that table.
    Click(MainControl::CmdInfo);
    EXPECT_EQ(state.Selection.SelectedTypeRow, 0);
}

class ResetListTest : public SelectionTest {};

TEST_F(ResetListTest, WithoutDocumentBothListsLoseTheirSelectionAndTheTypesGo) {
    StartReady();
    Choose(ListId::Combo1, 1);
    Click(MainControl::CmdUndo);
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_THAT(view.Items2, IsEmpty());
    EXPECT_EQ(state.Selection.SelectedTypeRow, 4);
    EXPECT_TRUE(state.Selection.FormReady);
}

TEST_F(ResetListTest, DocumentWithoutMatchingTypeClearsTheTypes) {
    sim.OpenSheetMetal("A.psm", NoRow);
    Start();
    Choose(ListId::Combo1, 0);
    Click(MainControl::CmdUndo);
    EXPECT_EQ(view.Label, "A.psm");
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_THAT(view.Items2, IsEmpty());
}

TEST_F(ResetListTest, DocumentTypeIsShownAgain) {
    sim.OpenSheetMetal("A.psm", Row5);
    Start();
    Choose(ListId::Combo1, 0);
    Choose(ListId::Combo2, 2);
    Click(MainControl::CmdUndo);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(view.Selection2, 1);
    EXPECT_EQ(state.Selection.SelectedTypeRow, 3) << "the user's last choice stays";
}

TEST_F(ResetListTest, PartEditedInPlaceShowsThePartsName) {
    sim::Document& assembly = sim.OpenDocument("Asm.asm", sim::code::AssemblyDocument);
    assembly.AddDirectComponent("P:1", sim.CreateSheetMetal("P.psm", Row2));
    Start();
    Click(MainControl::CmdUndo);
    EXPECT_EQ(view.Label, "P.psm");
    EXPECT_EQ(view.Selection2, 1);
}

} // namespace
} // namespace psm::test
