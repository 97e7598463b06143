// psm never loses track of the document: a read cut short is made again,
// an assembly's component set is followed at every tick, a document whose type
// could not be read is looked at again, a CAD program that withdrew its
// registration ends psm, and a tick never waits for a busy CAD program.

#include "AppTestSupport.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using namespace std::chrono_literals;
using ::testing::IsEmpty;
namespace code = sim::code;

class DocumentTrackingTest : public AppFixture {
  protected:
    // Chooses Al 2,0 (row 5) and clicks the write button.
    void WriteRow5() {
        Choose(ListId::Tables, 1);
        Choose(ListId::Types, 1);
        Click(MainControl::WriteButton);
    }
    sim::Document& AssemblyWith(std::shared_ptr<sim::Document> part) {
        sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
        assembly.AddDirectComponent("part:1", std::move(part));
        return assembly;
    }
};

TEST_F(DocumentTrackingTest, AReadCutShortIsNoReadAndIsMadeAgainAtTheNextTick) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim::Document& b = sim.OpenSheetMetal("B.psm", Row2);
    // B's third value is refused for longer than any command would wait.
    sim.BeBusyFrom(*sim::CallMatch::Parse("get VariableValue"), 3, 6s);
    Tick();
    EXPECT_EQ(view.Label, "B.psm");
    EXPECT_EQ(view.Selection1, -1) << "values not read are not recognised";
    EXPECT_EQ(clock.Sleeps, 0) << "the tick did not wait";

    WriteRow5();
    EXPECT_THAT(Writes(), IsEmpty()) << "nothing goes into a document whose values are unknown";
    EXPECT_THAT(boxes.Shown, IsEmpty());
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Label(4, 1), "") << "no document values beside the type";

    clock.Time += 6s;
    Tick();
    EXPECT_EQ(view.Selection1, 0) << "read again, recognised";
    WriteRow5();
    EXPECT_EQ(Writes().size(), 5u);
    EXPECT_EQ(b.SheetMetal().NeutralFactor, 0.4) << "the whole type, the third value too";
}

TEST_F(DocumentTrackingTest, AnAssemblysComponentSetIsFollowedAtEveryTick) {
    auto first = sim.CreateSheetMetal("P.psm", Row2);
    sim::Document& assembly = AssemblyWith(first);
    Start();
    ASSERT_EQ(view.Label, "P.psm");

    // A second component: no single part to work on.
    assembly.AddDirectComponent("part:2", sim.CreateSheetMetal("Q.psm", Row5));
    Tick();
    EXPECT_EQ(view.Label, "");
    EXPECT_EQ(view.Selection1, -1);
    WriteRow5();
    EXPECT_THAT(Writes(), IsEmpty()) << "not into the first part";

    // The first one deleted: the one left is followed to its part.
    assembly.RemoveComponent("part:1");
    Tick();
    EXPECT_EQ(view.Label, "Q.psm");
    EXPECT_EQ(state.Document.TypeRow, 5);

    // Replaced by another component.
    assembly.RemoveComponent("part:2");
    auto third = sim.CreateSheetMetal("R.psm", NoRow);
    assembly.AddDirectComponent("part:3", third);
    Tick();
    EXPECT_EQ(view.Label, "R.psm");
    WriteRow5();
    EXPECT_EQ(third->SheetMetal().Thickness, 0.002);
    EXPECT_EQ(first->SheetMetal().Thickness, Row2.Thickness);
}

TEST_F(DocumentTrackingTest, AnUnchangedAssemblyCostsAFewCallsAndASheetMetalDocumentNoMore) {
    AssemblyWith(sim.CreateSheetMetal("P.psm", Row2));
    Start();
    Tick();
    std::size_t before = sim.CallCount();
    Tick();
    EXPECT_LE(sim.CallCount() - before, 6u);

    sim.OpenSheetMetal("A.psm", Row2);
    Tick();
    before = sim.CallCount();
    Tick();
    EXPECT_LE(sim.CallCount() - before, 3u);
}

TEST_F(DocumentTrackingTest, ADocumentWhoseTypeCouldNotBeReadIsLookedAtAgain) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.OpenSheetMetal("B.psm", Row5);
    sim.FailWhen(*sim::CallMatch::Parse("get Type"), sim::Simulator::DefaultFault(), 1);
    Tick();
    EXPECT_EQ(view.Label, "A.psm") << "nothing known of B yet";
    Tick();
    EXPECT_EQ(view.Label, "B.psm");
    EXPECT_EQ(state.Document.TypeRow, 5);
}

TEST_F(DocumentTrackingTest, ACadProgramThatWithdrewItsRegistrationEndsPsmWithinASecond) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Tick();
    sim.Withdraw(); // its objects still answer
    clock.Time += 1000ms;
    Tick();
    EXPECT_EQ(view.Ends, 1);
    EXPECT_EQ(state.Cad.CadApp, nullptr);
    EXPECT_EQ(state.Cad.ActiveDoc, nullptr);
    EXPECT_EQ(state.Document.Object, nullptr) << "every reference is let go";
}

TEST_F(DocumentTrackingTest, ACadProgramStartedAnewIsAttachedToWhileItsOldOneLingers) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Tick();
    sim.Quit();
    sim.Start(); // a new registration
    clock.Time += 1000ms;
    Tick();
    EXPECT_EQ(view.Ends, 0);
    EXPECT_EQ(view.Label, "A.psm");
    EXPECT_EQ(view.Selection1, 0);
}

TEST_F(DocumentTrackingTest, ATickNeverWaitsForABusyCadProgram) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.OpenSheetMetal("B.psm", Row5);
    sim.BeBusy(10s);
    for (int tick = 0; tick < 3; ++tick) {
        Tick();
    }
    EXPECT_EQ(clock.Sleeps, 0);
    EXPECT_EQ(view.Ends, 0);
    EXPECT_EQ(view.Label, "A.psm");
    clock.Time += 10s;
    Tick();
    EXPECT_EQ(view.Label, "B.psm");
}

} // namespace
} // namespace psm::test
