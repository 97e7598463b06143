// The document watch: the flags after each outcome, when it asks the CAD
// program at all, the end of the program, and the matching of the values.

#include "watch/DocumentWatch.h"

#include "AppTestSupport.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
namespace code = sim::code;

struct Flags {
    bool CadRunning, InPlaceEdit, SheetMetalOpen;
    friend bool operator==(const Flags&, const Flags&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Flags& f) {
        return out << f.CadRunning << f.InPlaceEdit << f.SheetMetalOpen;
    }
};

class DocumentWatchTest : public AppFixture {
  protected:
    Flags Watched() const {
        return {state.Document.CadRunning, state.Document.InPlaceEdit, state.Document.SheetMetal};
    }
    // An assembly whose single component leads to `part`.
    sim::Document& OpenAssemblyWith(std::shared_ptr<sim::Document> part) {
        sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
        assembly.AddDirectComponent("part:1", std::move(part));
        return assembly;
    }
    PollResult Poll(bool mainWindowIsActive) {
        return PollDocument(state, state, state.Tables, {services.Automation, services.Time},
                            mainWindowIsActive);
    }
    // Polls with flags that no outcome produces, so that "kept" shows.
    Flags PollFrom(Flags before = {false, true, false}) {
        state.Document.CadRunning = before.CadRunning;
        state.Document.InPlaceEdit = before.InPlaceEdit;
        state.Document.SheetMetal = before.SheetMetalOpen;
        Tick();
        return Watched();
    }
};

TEST_F(DocumentWatchTest, FlagsAfterEachStartUpOutcome) {
    Start();
    EXPECT_EQ(Watched(), (Flags{false, false, false})) << "no document";

    sim.OpenDocument("Drawing.dft", code::DraftDocument);
    RefreshDocument(state, state.Tables, services.Automation);
    EXPECT_EQ(Watched(), (Flags{true, false, false})) << "other code";

    sim.OpenSheetMetal("A.psm", Row2);
    RefreshDocument(state, state.Tables, services.Automation);
    EXPECT_EQ(Watched(), (Flags{true, false, true})) << "sheet metal";

    OpenAssemblyWith(sim.CreateSheetMetal("P.psm", Row5));
    RefreshDocument(state, state.Tables, services.Automation);
    EXPECT_EQ(Watched(), (Flags{true, true, true})) << "assembly, sheet-metal part";
    EXPECT_EQ(state.Document.Values[0], 0.002);

    OpenAssemblyWith(sim.CreateDocument("Q.par", code::PartDocument));
    RefreshDocument(state, state.Tables, services.Automation);
    EXPECT_EQ(Watched(), (Flags{true, true, false})) << "assembly, other part";
}

TEST_F(DocumentWatchTest, FlagsAfterEachPollOutcome) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    const Flags shown = Watched();
    Tick();
    EXPECT_EQ(Watched(), shown) << "sheet metal, the same document";

    sim.OpenDocument("Part.par", code::PartDocument);
    const Flags kept{true, true, false};
    EXPECT_EQ(PollFrom(kept), kept) << "other code";
    EXPECT_EQ(view.Label, "A.psm") << "a part or drawing leaves the last document shown";

    sim.OpenSheetMetal("B.psm", Row5);
    EXPECT_EQ(PollFrom(), (Flags{true, false, true})) << "sheet metal, new name";
    EXPECT_EQ(view.Label, "B.psm");
    EXPECT_EQ(state.Document.TypeRow, 5);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(view.Selection2, 1);

    // Another document of the same name is another document: read anew.
    OpenAssemblyWith(sim.CreateSheetMetal("B.psm", Row2));
    EXPECT_EQ(PollFrom(), (Flags{true, true, true})) << "assembly, same name, another part";
    EXPECT_EQ(state.Document.TypeRow, 2);
    EXPECT_EQ(PollFrom({false, false, true}), (Flags{true, true, true})) << "the same part";

    OpenAssemblyWith(sim.CreateSheetMetal("P.psm", Row2));
    EXPECT_EQ(PollFrom(), (Flags{true, true, true})) << "assembly, new name, sheet-metal part";
    EXPECT_EQ(view.Label, "P.psm");
    EXPECT_EQ(view.Selection1, 0);

    OpenAssemblyWith(sim.CreateDocument("Q.par", code::PartDocument));
    EXPECT_EQ(PollFrom(), (Flags{true, true, false})) << "assembly, new name, other part";
    EXPECT_EQ(view.Label, "Q.par");
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_EQ(view.Selection2, -1);
}

TEST_F(DocumentWatchTest, NoCadCallWhileTheMainWindowIsActive) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.OpenSheetMetal("B.psm", Row5);
    const std::size_t calls = sim.CallCount();
    EXPECT_EQ(Poll(true), PollResult::Skipped);
    EXPECT_EQ(sim.CallCount(), calls);
    EXPECT_EQ(Poll(false), PollResult::Asked);
    EXPECT_EQ(state.Document.Name, "B.psm");
}

TEST_F(DocumentWatchTest, ProgramEndsWhenTheCadProgramIsGone) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.Quit();
    Tick(true);
    EXPECT_EQ(view.Ends, 0);
    Tick();
    EXPECT_EQ(view.Ends, 1);
    EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Top"), "900");
}

TEST_F(DocumentWatchTest, ABusyCadProgramIsAskedAgainNotTakenForGone) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.OpenSheetMetal("B.psm", Row5);
    sim.BeBusy(std::chrono::seconds(30)); // longer than the retry: every step gives up
    Tick();
    EXPECT_EQ(view.Ends, 0) << "psm ends only when the CAD program is gone";
    EXPECT_EQ(view.Label, "A.psm");
    clock.Sleep(std::chrono::seconds(30));
    Tick();
    EXPECT_EQ(view.Label, "B.psm") << "the watch goes on once the program answers";
}

TEST_F(DocumentWatchTest, ACadProgramStartedAgainIsFollowedNotTakenForGone) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Tick();
    sim.Quit();
    sim.Start(); // closed and started again between two ticks
    Tick();
    EXPECT_EQ(view.Ends, 0);
    EXPECT_EQ(view.Label, "A.psm");
    sim.OpenSheetMetal("B.psm", Row5);
    Tick();
    EXPECT_EQ(view.Label, "B.psm") << "the new program's documents are watched";
    EXPECT_EQ(state.Document.TypeRow, 5);
}

TEST_F(DocumentWatchTest, TheKeptPartOfAnAssemblySavedUnderAnotherNameIsNoticed) {
    auto part = sim.CreateSheetMetal("P.psm", Row5);
    OpenAssemblyWith(part);
    Start();
    Tick();
    part->Rename("P2.psm"); // Save As
    for (int tick = 0; tick < cad::NameReadInterval; ++tick) {
        Tick();
    }
    EXPECT_EQ(view.Label, "P2.psm");
    EXPECT_EQ(state.Document.TypeRow, 5);
}

TEST_F(DocumentWatchTest, UnchangedNameIsNotReadAgain) {
    sim::Document& doc = sim.OpenSheetMetal("A.psm", Row2);
    Start();
    doc.SetValue("SM_Thickness", 0.002);
    sim.ClearLog();
    Tick();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("Variables")), 0u);
    EXPECT_EQ(state.Document.Values[0], 0.0015);
}

} // namespace
} // namespace psm::test
