// A document's values beside the value file's: recognised in the file's
// unit, written back exactly as their number texts always carried them.

#include "core/DocumentValues.h"

#include <gmock/gmock.h>

namespace psm {
namespace {

using ::testing::ElementsAre;

TEST(DocumentValues, TheWriteBackGoesThroughTheNumberTextInTheFilesUnit) {
    // 0.1 + 0.2 m is 300.00000000000006 mm; its number text says 300.
    const cad::CadValues held{0.1 + 0.2, 0.001, 0.33, std::nullopt, 0.001};
    EXPECT_THAT(TableValuesOf(held, 1000), ElementsAre(300, 1, 0.33, std::nullopt, 1));
    EXPECT_THAT(RestoreTargets(held, 1000), ElementsAre(0.3, 0.001, 0.33, std::nullopt, 0.001));
    EXPECT_THAT(RestoreTargets(held, 0),
                ElementsAre(std::nullopt, std::nullopt, 0.33, std::nullopt, std::nullopt))
        << "without a scale factor no length goes back";
}

TEST(DocumentValues, ATypeIsConvertedUpToItsFirstValueThatIsNoNumber) {
    const TypeRow type{"St 1,5", {1.5, 1.5, 0.44, std::nullopt, 1.5}};
    const TypeTargets targets = TargetsOfType(type, 1000);
    EXPECT_EQ(targets.Converted, 3);
    EXPECT_FALSE(targets.Whole());
    EXPECT_THAT(targets.Values, ElementsAre(0.0015, 0.0015, 0.44, std::nullopt, std::nullopt));
    EXPECT_TRUE(TargetsOfType({"x", {1, 1, 0.4, 2, 1}}, 1000 / 25.4).Whole());
    EXPECT_EQ(TargetsOfType({"x", {1, 1, 0.4, 2, 1}}, 0).Converted, 0);
}

} // namespace
} // namespace psm
