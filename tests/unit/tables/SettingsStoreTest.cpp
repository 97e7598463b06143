#include "tables/LeadingNumber.h"
#include "tables/MemorySettingsStore.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

const std::string App = "ORNA\\psm";
const std::string Section = "general";

TEST(MemorySettingsStore, FreshUserReadsEmptyForEveryKey) {
    const MemorySettingsStore store;
    for (const char* key : {"filename", "ScaleFactor", "Top", "Left"}) {
        EXPECT_EQ(ReadSetting(store, App, Section, key), "") << key;
    }
}

TEST(MemorySettingsStore, WriteThenReadBackKeepsOnlyTheLastValue) {
    MemorySettingsStore store;
    WriteSetting(store, App, Section, "filename", "C:\\Bleche\\psm_mm.txt");
    EXPECT_EQ(ReadSetting(store, App, Section, "filename"), "C:\\Bleche\\psm_mm.txt");
    WriteSetting(store, App, Section, "filename", "D:\\Werte \xC3\xA4.txt");
    EXPECT_EQ(ReadSetting(store, App, Section, "filename"), "D:\\Werte \xC3\xA4.txt");
    EXPECT_EQ(store.WriteCount(), 2);
}

TEST(MemorySettingsStore, AddressesByApplicationSectionAndKey) {
    MemorySettingsStore store;
    WriteSetting(store, App, Section, "Top", "1200");
    EXPECT_EQ(ReadSetting(store, App, Section, "Left"), "");
    EXPECT_EQ(ReadSetting(store, App, "other", "Top"), "");
    EXPECT_EQ(ReadSetting(store, "ORNA", Section, "Top"), "");
    EXPECT_EQ(ReadSetting(store, "ORNA\\psm\\general", "", "Top"), "");
    // Names do not depend on case, as in the registry.
    EXPECT_EQ(ReadSetting(store, "orna\\PSM", "General", "TOP"), "1200");
}

TEST(MemorySettingsStore, EmptyValueReadsLikeAMissingOne) {
    MemorySettingsStore store;
    WriteSetting(store, App, Section, "filename", "x");
    WriteSetting(store, App, Section, "filename", "");
    EXPECT_EQ(ReadSetting(store, App, Section, "filename"), "");
}

TEST(LeadingNumberToInt32, TakesTheLeadingNumberWithAPoint) {
    EXPECT_EQ(LeadingNumberToInt32("1200"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("  1200"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("\t-345"), -345);
    EXPECT_EQ(LeadingNumberToInt32("+7"), 7);
    EXPECT_EQ(LeadingNumberToInt32("1200 twips"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("1200,7"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("1200.7"), 1201);
    EXPECT_EQ(LeadingNumberToInt32(".6"), 1);
    EXPECT_EQ(LeadingNumberToInt32("1.2e3"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("12E+2x"), 1200);
    EXPECT_EQ(LeadingNumberToInt32("12e"), 12);
    EXPECT_EQ(LeadingNumberToInt32("12e-"), 12);
    EXPECT_EQ(LeadingNumberToInt32("5e-1"), 0);
}

TEST(LeadingNumberToInt32, RoundsHalfToEven) {
    EXPECT_EQ(LeadingNumberToInt32("0.5"), 0);
    EXPECT_EQ(LeadingNumberToInt32("1.5"), 2);
    EXPECT_EQ(LeadingNumberToInt32("2.5"), 2);
    EXPECT_EQ(LeadingNumberToInt32("3.5"), 4);
    EXPECT_EQ(LeadingNumberToInt32("-2.5"), -2);
    EXPECT_EQ(LeadingNumberToInt32("-3.5"), -4);
    EXPECT_EQ(LeadingNumberToInt32("2.5000001"), 3);
}

TEST(LeadingNumberToInt32, NoNumberOrOutOfRangeGivesZero) {
    EXPECT_EQ(LeadingNumberToInt32(""), 0);
    EXPECT_EQ(LeadingNumberToInt32("abc"), 0);
    EXPECT_EQ(LeadingNumberToInt32("x12"), 0);
    EXPECT_EQ(LeadingNumberToInt32("-"), 0);
    EXPECT_EQ(LeadingNumberToInt32("."), 0);
    EXPECT_EQ(LeadingNumberToInt32("+-1"), 0);
    EXPECT_EQ(LeadingNumberToInt32("2147483647"), 2147483647);
    EXPECT_EQ(LeadingNumberToInt32("-2147483648"), -2147483647 - 1);
    EXPECT_EQ(LeadingNumberToInt32("2147483648"), 0);
    EXPECT_EQ(LeadingNumberToInt32("-2147483649"), 0);
    EXPECT_EQ(LeadingNumberToInt32("1e300"), 0);
    EXPECT_EQ(LeadingNumberToInt32("1e999"), 0);
    EXPECT_EQ(LeadingNumberToInt32("1e-999"), 0);
}

} // namespace
} // namespace psm
