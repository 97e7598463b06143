// Calls that a busy CAD program refuses are asked again while the running
// command's five seconds last, all its calls together; outside a command, and
// for every other failure, nothing is asked again.

#include "cad/BusyRetry.h"

#include "CadTestSupport.h"

#include <gtest/gtest.h>

namespace psm::cad::test {
namespace {

using namespace std::chrono_literals;

class BusyRetryTest : public ::testing::Test {
  protected:
    BusyRetryTest() { sim.UseClock(clock); }

    // The time spent since the test began.
    std::chrono::milliseconds Spent() const { return clock.Time - start; }

    FakeClock clock;
    const std::chrono::milliseconds start = clock.Time;
    WaitBudget waits{clock};
    sim::Simulator sim;
    BusyRetryAutomation automation{sim, clock, waits};
};

TEST_F(BusyRetryTest, AProgramBusyForASecondIsWaitedFor) {
    const CommandWaits command(waits);
    sim.OpenSheetMetal("A.psm");
    sim.BeBusy(1000ms, FailureCode::CallRejected);
    const auto attached = automation.GetActiveObject("SolidEdge.Application");
    ASSERT_TRUE(attached);
    EXPECT_GE(Spent(), 1000ms);
    EXPECT_LE(Spent(), 1100ms);

    // The objects it hands out wait as well, by the other busy code too.
    sim.BeBusy(300ms, FailureCode::RetryLater);
    const auto app = attached.Value()->As(sim::iid::Application);
    ASSERT_TRUE(app);
    const auto document = app.Value()->Get(Member::ById(sim::dispid::CurrentDocument), {});
    ASSERT_TRUE(document);
    EXPECT_LE(Spent(), 1500ms);
    const auto name = document.Value().AsObject()->Get(Member::ByName("Name"), {});
    ASSERT_TRUE(name);
    EXPECT_EQ(name.Value().AsText(), "A.psm");
}

TEST_F(BusyRetryTest, ACommandWaitsFiveSecondsForAllItsCallsTogether) {
    const auto app = automation.GetActiveObject("SolidEdge.Application").Value();
    const CommandWaits command(waits);
    sim.BeBusy(60s);
    const auto first = app->Get(Member::ById(sim::dispid::CurrentDocument), {});
    ASSERT_FALSE(first);
    EXPECT_EQ(first.Error().Code, FailureCode::CallRejected);
    EXPECT_EQ(Spent(), 5000ms);
    EXPECT_GE(sim.RefusedCalls(), 40u) << "asked again about every 100 ms";
    EXPECT_LE(sim.RefusedCalls(), 52u);
    // The budget is spent: the command's next call waits no more.
    EXPECT_FALSE(app->Get(Member::ById(sim::dispid::CurrentDocument), {}));
    EXPECT_EQ(Spent(), 5000ms);
}

TEST_F(BusyRetryTest, OutsideACommandNothingWaits) {
    const auto app = automation.GetActiveObject("SolidEdge.Application").Value();
    sim.BeBusy(60s);
    const auto refused = app->Get(Member::ById(sim::dispid::CurrentDocument), {});
    ASSERT_FALSE(refused);
    EXPECT_TRUE(IsBusy(refused.Error()));
    EXPECT_EQ(Spent(), 0ms);
    EXPECT_EQ(sim.RefusedCalls(), 1u);
    {
        const CommandWaits command(waits);
        const CommandWaits inner(waits); // keeps the outer deadline
        clock.Time += 4900ms;
        EXPECT_FALSE(app->Get(Member::ById(sim::dispid::CurrentDocument), {}));
        EXPECT_EQ(Spent(), 5000ms);
    }
    EXPECT_EQ(waits.Left(), 0ms);
}

TEST_F(BusyRetryTest, OtherFailuresAreNotAskedAgain) {
    const CommandWaits command(waits);
    const auto app = automation.GetActiveObject("SolidEdge.Application").Value();
    EXPECT_FALSE(app->Get(Member::ByName("NoSuchMember"), {}));
    sim.Quit();
    const auto gone = app->Get(Member::ById(sim::dispid::CurrentDocument), {});
    ASSERT_FALSE(gone);
    EXPECT_TRUE(IsOutOfReach(gone.Error()));
    EXPECT_FALSE(automation.GetActiveObject("SolidEdge.Application"));
    EXPECT_EQ(clock.Sleeps, 0);
    EXPECT_EQ(sim.Log().Size(), 4u);
}

TEST_F(BusyRetryTest, AFirstAttemptThatWaitedOutTheBudgetIsNotRepeated) {
    // As when the OLE message filter has already asked again for five seconds.
    int attempts = 0;
    const auto slow = [&](std::chrono::milliseconds takes) {
        attempts = 0;
        const CommandWaits command(waits);
        return RetryWhileBusy(clock, waits, [&] {
            clock.Time += ++attempts == 1 ? takes : 0ms;
            return Result<void>(Failure{FailureCode::RetryLater, "busy"});
        });
    };
    const auto before = clock.Time;
    EXPECT_FALSE(slow(5000ms));
    EXPECT_EQ(attempts, 1);
    EXPECT_EQ(clock.Time - before, 5000ms);

    const auto later = clock.Time;
    EXPECT_FALSE(slow(3000ms));
    EXPECT_GT(attempts, 1) << "the rest of the budget is still used";
    EXPECT_EQ(clock.Time - later, 5000ms);
}

} // namespace
} // namespace psm::cad::test
