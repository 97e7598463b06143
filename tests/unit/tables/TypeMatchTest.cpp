// Which type of the value file a document's values belong to: the first full
// match, else the last partial one; the nearest type to one that matches none.

#include "tables/TypeMatch.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

class TypeMatchTest : public ::testing::Test {
  protected:
    // One table of `rows` types whose values are all 9.
    explicit TypeMatchTest(int rows = 8) {
        tables.TableList = {{1, "T"}};
        tables.TableCount = 1;
        tables.TypeCount = rows;
        tables.TypeList.assign(static_cast<size_t>(rows), TypeRow{"", {9.0, 9.0, 9.0, 9.0, 9.0}});
    }
    void Type(int row, FiveValues values) {
        tables.TypeList[static_cast<size_t>(row - 1)].Values = values;
    }
    int Match(FiveValues values) const { return MatchingTypeRow(tables, values); }
    std::pair<int, int> Nearest(FiveValues values) const {
        const NearestType found = NearestTypeRow(tables, values);
        return {found.Row, found.Differing};
    }

    TableModel tables;
};

TEST_F(TypeMatchTest, FullMatchBeatsPartialAndTheLastPartialWins) {
    Type(3, {1, 1, 0.33, 2, 1});
    Type(7, {1, 1, 0.33, 3, 1});
    EXPECT_EQ(Match({1, 1, 0.33, 3, 1}), 7);
    EXPECT_EQ(Match({1, 1, 0.33, 9, 9}), 7);
    EXPECT_EQ(Match({1, 1, 0.33, 2, 1}), 3);
    Type(8, {1, 1, 0.33, 2, 1});
    EXPECT_EQ(Match({1, 1, 0.33, 2, 1}), 3) << "the first full match";
    EXPECT_EQ(Match({1.5, 1, 0.33, 2, 1}), 0);
}

TEST_F(TypeMatchTest, ValuesAgreeWithinTheToleranceAndMissingValuesAgreeWithMissingOnes) {
    Type(2, {1.5, 1, 0.44, 2, 1});
    EXPECT_EQ(Match({1.5 + 1e-10, 1, 0.44, 2, 1}), 2);
    EXPECT_EQ(Match({1.50001, 1, 0.44, 2, 1}), 0) << "beyond the tolerance";
    Type(1, {std::nullopt, std::nullopt, 0.33, 2, 1});
    EXPECT_EQ(Match({std::nullopt, std::nullopt, 0.33, 2, 1}), 1);
    EXPECT_EQ(Match({1, std::nullopt, 0.33, 2, 1}), 0);
}

TEST_F(TypeMatchTest, NearestTypeHasTheMostEqualValuesTheFirstAmongEquals) {
    Type(1, {1, 9, 9, 9, 9});
    Type(2, {1, 2, 9, 9, 9});
    Type(3, {1, 2, 9, 9, 9});
    Type(4, {9, 9, 3, 4, 5});
    EXPECT_EQ(Nearest({1, 2, 7, 7, 7}), std::pair(2, 3)) << "row 3 ties, comes later";
    EXPECT_EQ(Nearest({7, 7, 3, 4, 5}), std::pair(4, 2));
    tables.TypeList.clear();
    EXPECT_EQ(Nearest({1, 2, 3, 4, 5}), std::pair(0, 0));
}

TEST(TypeMatch, TheTableOfARow) {
    TableModel tables;
    tables.TableList = {{1, "A"}, {5, "B"}, {9, "C"}};
    tables.TableCount = 3;
    tables.TypeCount = 12;
    EXPECT_EQ(TableOfRow(tables, 9), 3);
    EXPECT_EQ(TableOfRow(tables, 6), 2);
    EXPECT_EQ(TableOfRow(tables, 0), 0);
}

} // namespace
} // namespace psm
