// What the two lists show: the user's choice of a table and a type, the
// middle preselection, the document's own type, and the "reset list" button.

#include "lists/Lists.h"

#include "AppTestSupport.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The lists' rules alone: their state and the value file's tables, no fakes.
class ListsRulesTest : public ::testing::Test {
  protected:
    void Load(std::string file) {
        MemorySettingsStore settings;
        LoadBendValuesFromBytes(std::move(file), {settings, "ORNA\\psm", "general", {}}, tables);
    }
    void Choose(int table, std::optional<int> type = std::nullopt) {
        ChooseTable(lists, tables, table);
        if (type) {
            ChooseType(lists, tables, *type);
        }
    }
    TableModel tables;
    ListsState lists;
};

TEST_F(ListsRulesTest, MiddleTypeIsPreselectedHalvesRoundingToEven) {
    // Ten tables; table n holds n types.
    std::string file = "Unit: mm\n";
    for (int n = 1; n <= 10; ++n) {
        file.append("Begin: T").append(std::to_string(n)).append("\n");
        for (int type = 0; type < n; ++type) {
            file += "x;1;1;1;1;1\n";
        }
        file += "End:\n";
    }
    Load(file);
    const std::vector<int> expected{0, 0, 1, 2, 2, 2, 3, 4, 4, 4};
    int firstRow = 1;
    for (int n = 1; n <= 10; ++n) {
        Choose(n - 1);
        EXPECT_EQ(lists.ShownTypeRow(), firstRow + expected[static_cast<size_t>(n - 1)]);
        EXPECT_EQ(MiddlePosition(firstRow, firstRow + n - 1), expected[static_cast<size_t>(n - 1)]);
        firstRow += n;
    }
}

TEST_F(ListsRulesTest, ChoosingTablesAndTypesChoosesTheirRowAndNothingElse) {
    Load(std::string(WorkedExample));
    EXPECT_EQ(lists.ChosenTypeRow(), 0) << "nothing chosen since start";
    Choose(0);
    EXPECT_EQ(lists.ChosenTypeRow(), 2);
    Choose(1, 1);
    EXPECT_EQ(lists.ChosenTypeRow(), 5);
    ChooseType(lists, tables, 5);
    EXPECT_EQ(lists.ChosenTypeRow(), 5) << "no such entry";
    // A choice made in the types of another table than the list now shows.
    ChooseTypeOf(lists, tables, 1, 2);
    EXPECT_EQ(lists.ChosenTypeRow(), 3);
}

TEST_F(ListsRulesTest, TableWithoutRowsLeavesNoTypeChosen) {
    Load("Unit: mm\nBegin: A\na1;1;1;1;1;1\na2;1;1;1;1;1\nBegin: Empty\nBegin: C\nc;2;2;2;2;2\n");
    Choose(0);
    ASSERT_EQ(lists.ShownTypeRow(), 1);
    Choose(1);
    EXPECT_EQ(lists.Lists.TypesOf, 2);
    EXPECT_EQ(lists.ShownTypeRow(), 0);
}

class ListsTest : public AppFixture {
  protected:
    void StartWithoutDocument() {
        sim.Quit();
        Start();
    }
};

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
