#include "texts/Texts.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

TEST(Texts, GermanTextsKeepTheirExactSpelling) {
    LanguageTexts texts;
    ASSERT_EQ(texts.LanguageIndex, LanguageTexts::German);
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

TEST(Texts, EveryTextIsReadInTheLanguageChosen) {
    LanguageTexts texts;
    texts.LanguageIndex = LanguageTexts::English;
    EXPECT_EQ(texts.Caption(CaptionText::MainWindowTitle), "ORNA  sheet metal");
    EXPECT_EQ(texts.Caption(CaptionText::ReliefWidthLabel), " ReliefWith: ");
    EXPECT_EQ(texts.Caption(CaptionText::PropertiesTitle), "Properties");
    EXPECT_EQ(texts.Message(MessageText::Title), "orna sheetmetal");
    EXPECT_EQ(texts.Message(MessageText::ValueFileMissing), "select textfile\r\nOptions: Textfile");
    EXPECT_EQ(texts.Message(MessageText::Warned), "Warned:  ");
    EXPECT_EQ(texts.Journal(JournalText::Refused), "refused");
    EXPECT_EQ(FormatText(texts.Check(CheckText::Line), {"7"}), "Line 7: ");
}

} // namespace
} // namespace psm
