// The check of the value file from the options menu, as a box.

#include "AppTestSupport.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;

// A table whose 25 rows all lack a field, one problem each.
std::string FileWithManyProblems() {
    std::string text = "Unit: mm\nBegin: Stahl\n";
    for (int i = 1; i <= 25; ++i) {
        text += "St " + std::to_string(i) + ";1;1;0.4;2\n";
    }
    return text + "End:\n";
}

class CheckMenuCommand : public AppFixture {
  protected:
    void Check() { app.OnMenuCommand(MenuCommand::MnuCheckFile); }
};

TEST_F(CheckMenuCommand, ACleanFileIsSaidToBeSo) {
    sim.Quit();
    Start();
    Check();
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{state.ValueFilePath + "\r\n\r\nKeine Probleme gefunden.",
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Information}));
    EXPECT_EQ(view.Ends, 0);
}

TEST_F(CheckMenuCommand, ABoxShowsTheFirstTwentyProblemsAndCountsTheRest) {
    UseValueFile(FileWithManyProblems());
    sim.Quit();
    Start();
    Check();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    const ShownBox& box = boxes.Shown[0];
    EXPECT_EQ(box.Title, "ORNA Raziv");
    EXPECT_EQ(box.Icon, MessageIcon::Exclamation);
    EXPECT_THAT(box.Text, ::testing::StartsWith(state.ValueFilePath +
                                                "\r\n\r\nProbleme: 25\r\n"
                                                "Zeile 3: 5 Felder statt 6 (Name und fünf "
                                                "Werte)\r\n"));
    EXPECT_THAT(box.Text, ::testing::EndsWith("\r\nZeile 22: 5 Felder statt 6 (Name und fünf "
                                              "Werte)\r\n... und 5 weitere"));
    EXPECT_EQ(view.Ends, 0);
}

TEST_F(CheckMenuCommand, AFileThatIsGoneIsReportedAsUnreadable) {
    sim.Quit();
    Start();
    state.ValueFilePath = folder.PathOf("weg.txt");
    Check();
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{state.ValueFilePath + "\r\n\r\nTextdatei nicht lesbar",
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Exclamation}));
}

} // namespace
} // namespace psm::test
