#include "texts/Texts.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

TEST(Texts, EveryTextIsEmptyBeforeLoading) {
    TextTables texts;
    EXPECT_EQ(texts.Caption(1), "");
    EXPECT_EQ(texts.Message(1), "");
}

TEST(Texts, GermanTextsKeepTheirExactSpelling) {
    TextTables texts;
    LoadTexts(texts);
    ASSERT_EQ(texts.LanguageIndex, TextTables::German);
    EXPECT_EQ(texts.Caption(1), "ORNA  Raziv");
    EXPECT_EQ(texts.Caption(4), "gew\xC3\xA4hlten Blechtyp \xC3\xBC"
                                "bernehmen");
    EXPECT_EQ(texts.Caption(12), " Blechst\xC3\xA4rke: ");
    EXPECT_EQ(texts.Caption(25), "Teileeigenschaften festlegen");
    EXPECT_EQ(texts.Message(1), "ORNA Raziv");
    EXPECT_EQ(texts.Message(2), "Pfad f\xC3\xBCr Textdatei festlegen\r\nOptionen: Textdatei");
    EXPECT_EQ(texts.Message(7), "R\xC3\xBC"
                                "cksetzen?");
    EXPECT_EQ(texts.Message(10), "Warnung bei:  ");
    EXPECT_EQ(texts.Message(11), "Fehler bei:  ");
}

TEST(Texts, EnglishColumnIsCompleteAndReadThroughLanguageIndex) {
    TextTables texts;
    LoadTexts(texts);
    texts.LanguageIndex = TextTables::English;
    EXPECT_EQ(texts.Caption(1), "ORNA  sheet metal");
    EXPECT_EQ(texts.Caption(16), " ReliefWith: ");
    EXPECT_EQ(texts.Caption(17), "Properties");
    EXPECT_EQ(texts.Message(1), "orna sheetmetal");
    EXPECT_EQ(texts.Message(2), "select textfile\r\nOptions: Textfile");
    EXPECT_EQ(texts.Message(10), "Warned:  ");
    for (int n = 1; n <= TextTables::CaptionCount; ++n) {
        EXPECT_FALSE(texts.Caption(n).empty()) << "caption " << n;
    }
    for (int n = 1; n <= TextTables::MessageCount; ++n) {
        EXPECT_EQ(texts.Message(n).empty(), n == 4) << "message " << n;
    }
}

TEST(Texts, NumbersOutsideTheTablesReadEmpty) {
    TextTables texts;
    LoadTexts(texts);
    EXPECT_EQ(texts.Caption(0), "");
    EXPECT_EQ(texts.Caption(26), "");
    EXPECT_EQ(texts.Message(16), "");
    texts.LanguageIndex = 3;
    EXPECT_EQ(texts.Caption(1), "");
}

} // namespace
} // namespace psm
