// What the two lists show: the user's choice of a table and a type, the
// middle preselection, the document's own type, and the "reset list" button.

#include "lists/Lists.h"

#include "AppTestSupport.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class ListsTest : public AppFixture {
  protected:
    void StartWithoutDocument() {
        sim.Quit();
        Start();
    }
};

TEST_F(ListsTest, MiddleTypeIsPreselectedHalvesRoundingToEven) {
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
    StartWithoutDocument();
    const std::vector<int> expected{0, 0, 1, 2, 2, 2, 3, 4, 4, 4};
    int firstRow = 1;
    for (int n = 1; n <= 10; ++n) {
        Choose(ListId::Tables, n - 1);
        EXPECT_EQ(view.Items2.size(), static_cast<size_t>(n)) << "table of " << n;
        EXPECT_EQ(view.Selection2, expected[static_cast<size_t>(n - 1)]) << "table of " << n;
        EXPECT_EQ(state.ShownTypeRow(), firstRow + expected[static_cast<size_t>(n - 1)]);
        EXPECT_EQ(MiddlePosition(firstRow, firstRow + n - 1), expected[static_cast<size_t>(n - 1)]);
        firstRow += n;
    }
}

TEST_F(ListsTest, ChoosingTablesAndTypesChoosesTheirRow) {
    StartWithoutDocument();
    Choose(ListId::Tables, 0);
    EXPECT_THAT(view.Items2, ElementsAre("St 1,0", "St 1,5", "St 2,0"));
    EXPECT_EQ(state.ShownTypeRow(), 2);
    Choose(ListId::Tables, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(state.ShownTypeRow(), 4);
    Choose(ListId::Types, 1);
    EXPECT_EQ(state.ShownTypeRow(), 5);
    Choose(ListId::Types, 5);
    EXPECT_EQ(view.Selection2, 1) << "no such entry";
}

TEST_F(ListsTest, TableWithoutRowsLeavesTheTypeListEmptyAndNoTypeChosen) {
    UseValueFile(
        "Unit: mm\nBegin: A\na1;1;1;1;1;1\na2;1;1;1;1;1\nBegin: Empty\nBegin: C\nc;2;2;2;2;2\n");
    StartWithoutDocument();
    Choose(ListId::Tables, 0);
    ASSERT_EQ(state.ShownTypeRow(), 1);
    Choose(ListId::Tables, 1);
    EXPECT_THAT(view.Items2, IsEmpty());
    EXPECT_EQ(view.Selection2, -1);
    EXPECT_EQ(state.ShownTypeRow(), 0);
}

TEST_F(ListsTest, ResetWithoutDocumentLeavesNoSelectionAndNoTypes) {
    StartWithoutDocument();
    Choose(ListId::Tables, 1);
    Click(MainControl::ResetListButton);
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_THAT(view.Items2, IsEmpty());
}

TEST_F(ListsTest, ResetShowsTheDocumentsTypeOrClearsTheTypesWithoutOne) {
    sim.OpenSheetMetal("A.psm", Row5);
    Start();
    Choose(ListId::Tables, 0);
    Choose(ListId::Types, 2);
    Click(MainControl::ResetListButton);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(view.Selection2, 1);

    sim.OpenSheetMetal("B.psm", NoRow);
    Tick();
    Choose(ListId::Tables, 0);
    Click(MainControl::ResetListButton);
    EXPECT_EQ(view.Label, "B.psm");
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_THAT(view.Items2, IsEmpty());
}

TEST_F(ListsTest, PartEditedInPlaceShowsThePartsName) {
    sim::Document& assembly = sim.OpenDocument("Asm.asm", sim::code::AssemblyDocument);
    assembly.AddDirectComponent("P:1", sim.CreateSheetMetal("P.psm", Row2));
    Start();
    Click(MainControl::ResetListButton);
    EXPECT_EQ(view.Label, "P.psm");
    EXPECT_EQ(view.Selection2, 1);
}

} // namespace
} // namespace psm::test
