#include "texts/Texts.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

// The names stand for the texts' numbers in the tables.
static_assert(static_cast<int>(CaptionText::WriteHint) == 4);
static_assert(static_cast<int>(CaptionText::ThicknessLabel) == 12);
static_assert(static_cast<int>(CaptionText::ButtonDescription) == 25);
static_assert(static_cast<int>(MessageText::CopiedPart) == 5);
static_assert(static_cast<int>(MessageText::Failed) == 11);

TEST(Texts, EveryTextIsEmptyBeforeLoading) {
    TextTables texts;
    EXPECT_EQ(texts.Caption(CaptionText::MainWindowTitle), "");
    EXPECT_EQ(texts.Message(MessageText::Title), "");
}

TEST(Texts, GermanTextsKeepTheirExactSpelling) {
    TextTables texts;
    LoadTexts(texts);
    ASSERT_EQ(texts.LanguageIndex, TextTables::German);
    EXPECT_EQ(texts.Caption(CaptionText::MainWindowTitle), "ORNA  Raziv");
    EXPECT_EQ(texts.Caption(CaptionText::WriteHint), "gew\xC3\xA4hlten Blechtyp \xC3\xBC"
                                                     "bernehmen");
    EXPECT_EQ(texts.Caption(CaptionText::ThicknessLabel), " Blechst\xC3\xA4rke: ");
    EXPECT_EQ(texts.Caption(CaptionText::ButtonDescription), "Teileeigenschaften festlegen");
    EXPECT_EQ(texts.Message(MessageText::Title), "ORNA Raziv");
    EXPECT_EQ(texts.Message(MessageText::ValueFileMissing),
              "Pfad f\xC3\xBCr Textdatei festlegen\r\nOptionen: Textdatei");
    EXPECT_EQ(texts.Message(MessageText::UndoQuestion), "R\xC3\xBC"
                                                        "cksetzen?");
    EXPECT_EQ(texts.Message(MessageText::Warned), "Warnung bei:  ");
    EXPECT_EQ(texts.Message(MessageText::Failed), "Fehler bei:  ");
}

TEST(Texts, EnglishColumnIsCompleteAndReadThroughLanguageIndex) {
    TextTables texts;
    LoadTexts(texts);
    texts.LanguageIndex = TextTables::English;
    EXPECT_EQ(texts.Caption(CaptionText::MainWindowTitle), "ORNA  sheet metal");
    EXPECT_EQ(texts.Caption(CaptionText::ReliefWidthLabel), " ReliefWith: ");
    EXPECT_EQ(texts.Caption(CaptionText::PropertiesTitle), "Properties");
    EXPECT_EQ(texts.Message(MessageText::Title), "orna sheetmetal");
    EXPECT_EQ(texts.Message(MessageText::ValueFileMissing), "select textfile\r\nOptions: Textfile");
    EXPECT_EQ(texts.Message(MessageText::Warned), "Warned:  ");
    for (int n = 1; n <= TextTables::CaptionCount; ++n) {
        EXPECT_FALSE(texts.Caption(static_cast<CaptionText>(n)).empty()) << "caption " << n;
    }
    for (int n = 1; n <= TextTables::MessageCount; ++n) {
        const auto text = static_cast<MessageText>(n);
        EXPECT_EQ(texts.Message(text).empty(), text == MessageText::Unused) << "message " << n;
    }
}

TEST(Texts, ALanguageOutsideTheTablesReadsEmpty) {
    TextTables texts;
    LoadTexts(texts);
    texts.LanguageIndex = 3;
    EXPECT_EQ(texts.Caption(CaptionText::MainWindowTitle), "");
}

} // namespace
} // namespace psm
