// The one gate of the application: what the user does while a command's box
// is open waits and runs afterwards, in order; a tick is dropped and a survey
// step comes again later.

#include "AppTestSupport.h"

namespace psm::test {
namespace {

TEST(CommandTable, EveryRowRunsSomethingAndTellsACrashReportWhat) {
    const CommandKey keys[] = {MainCommand::Exit, MenuCommand::CheckAssembly, SurveyCommand::Cancel,
                               AppEvent::SurveyStep};
    for (const CommandKey& key : keys) {
        const CommandRow& row = RowOf(key);
        EXPECT_EQ(row.Key, key);
        EXPECT_NE(row.Run, nullptr);
        EXPECT_FALSE(row.Activity.empty());
    }
    EXPECT_EQ(RowOf(AppEvent::Tick).Gate, GateKind::Tick);
    EXPECT_EQ(RowOf(AppEvent::SurveyStep).Gate, GateKind::Step);
    EXPECT_EQ(RowOf(MenuCommand::CheckAssembly).Gate, GateKind::Command);
}

class CommandGateTest : public AppFixture {};

TEST_F(CommandGateTest, EventsDuringACommandsBoxRunAfterItInOrder) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    std::size_t callsInside = 0;
    bool inputDuringTheSecond = true;
    std::string_view activityOfTheSecond;
    boxes.WhileOpen = [&] {
        if (boxes.Shown.size() == 2) {
            inputDuringTheSecond = survey.InputEnabled;
            activityOfTheSecond = state.Run.Activity;
            return;
        }
        const std::size_t calls = sim.CallCount();
        app.OnMenuCommand(MenuCommand::CheckValueFile);
        app.OnMenuCommand(MenuCommand::English);
        Tick();
        app.OnSurveyStep();
        EXPECT_FALSE(survey.InputEnabled) << "no input into the survey meanwhile";
        EXPECT_EQ(boxes.Shown.size(), 1u) << "nothing runs inside the command";
        callsInside = sim.CallCount() - calls;
    };
    app.OnMenuCommand(MenuCommand::CheckValueFile);

    EXPECT_EQ(callsInside, 0u) << "the tick is dropped";
    EXPECT_EQ(survey.Steps, std::vector<int>{100}) << "the step comes again";
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text, boxes.Shown[0].Text) << "the language after the check";
    EXPECT_EQ(state.Texts.LanguageIndex, Language::English);
    EXPECT_FALSE(inputDuringTheSecond);
    EXPECT_EQ(activityOfTheSecond, "menu: check value file");
    EXPECT_TRUE(survey.InputEnabled);
    EXPECT_EQ(state.Run.Activity, "waiting");
}

} // namespace
} // namespace psm::test
