// The document watch: the flags after each outcome, when it asks the CAD
// program at all, the end of the program, and the matching of the values.

#include "watch/DocumentWatch.h"

#include "AppTestSupport.h"
#include "tables/TypeMatch.h"

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
        return {state.Watch.CadRunning, state.Watch.InPlaceEdit, state.Watch.SheetMetalOpen};
    }
    // An assembly whose single component leads to `part`.
    sim::Document& OpenAssemblyWith(std::shared_ptr<sim::Document> part) {
        sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
        assembly.AddDirectComponent("part:1", std::move(part));
        return assembly;
    }
    // Polls with flags that no outcome produces, so that "kept" shows.
    Flags PollFrom(Flags before = {false, true, false}) {
        state.Watch.CadRunning = before.CadRunning;
        state.Watch.InPlaceEdit = before.InPlaceEdit;
        state.Watch.SheetMetalOpen = before.SheetMetalOpen;
        Tick();
        return Watched();
    }
};

TEST_F(DocumentWatchTest, FlagsAfterEachStartUpOutcome) {
    Start();
    EXPECT_EQ(Watched(), (Flags{false, false, false})) << "no document";

    sim.OpenDocument("Drawing.dft", code::DraftDocument);
    RefreshDocument(state, services);
    EXPECT_EQ(Watched(), (Flags{true, false, false})) << "other code";

    sim.OpenSheetMetal("A.psm", Row2);
    RefreshDocument(state, services);
    EXPECT_EQ(Watched(), (Flags{true, false, true})) << "sheet metal";

    OpenAssemblyWith(sim.CreateSheetMetal("P.psm", Row5));
    RefreshDocument(state, services);
    EXPECT_EQ(Watched(), (Flags{true, true, true})) << "assembly, sheet-metal part";
    EXPECT_EQ(state.Variables.CurrentValues[0], "2");

    OpenAssemblyWith(sim.CreateDocument("Q.par", code::PartDocument));
    RefreshDocument(state, services);
    EXPECT_EQ(Watched(), (Flags{true, true, false})) << "assembly, other part";
}

TEST_F(DocumentWatchTest, FlagsAfterEachPollOutcome) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    const Flags shown = Watched();
    Tick();
    EXPECT_EQ(Watched(), shown) << "sheet metal, the same document";

    sim.OpenDocument("Part.par", code::PartDocument);
    const Flags kept{false, true, false};
    EXPECT_EQ(PollFrom(kept), kept) << "other code";
    EXPECT_EQ(view.Label, "A.psm") << "a part or drawing leaves the last document shown";

    sim.OpenSheetMetal("B.psm", Row5);
    EXPECT_EQ(PollFrom(), (Flags{true, false, true})) << "sheet metal, new name";
    EXPECT_EQ(view.Label, "B.psm");
    EXPECT_EQ(state.Watch.CurrentTypeRow, 5);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(view.Selection2, 1);

    // Another document of the same name is another document: read anew.
    OpenAssemblyWith(sim.CreateSheetMetal("B.psm", Row2));
    EXPECT_EQ(PollFrom(), (Flags{true, true, true})) << "assembly, same name, another part";
    EXPECT_EQ(state.Watch.CurrentTypeRow, 2);
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
    state.Selection.FormReady = false;
    EXPECT_FALSE(PollDocument(state, services, true));
    EXPECT_EQ(sim.CallCount(), calls);
    EXPECT_TRUE(state.Selection.FormReady);
    EXPECT_TRUE(PollDocument(state, services, false));
    EXPECT_EQ(view.Label, "B.psm");
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
    EXPECT_EQ(state.Watch.CurrentTypeRow, 5);
}

TEST_F(DocumentWatchTest, TheKeptPartOfAnAssemblySavedUnderAnotherNameIsNoticed) {
    auto part = sim.CreateSheetMetal("P.psm", Row5);
    OpenAssemblyWith(part);
    Start();
    Tick();
    part->Rename("P2.psm"); // Save As
    Tick();
    EXPECT_EQ(view.Label, "P2.psm");
    EXPECT_EQ(state.Watch.CurrentTypeRow, 5);
}

TEST_F(DocumentWatchTest, UnchangedNameIsNotReadAgain) {
    sim::Document& doc = sim.OpenSheetMetal("A.psm", Row2);
    Start();
    doc.SetValue("SM_Thickness", 0.002);
    sim.ClearLog();
    Tick();
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member("Variables")), 0u);
    EXPECT_EQ(state.Variables.CurrentValues[0], "1.5");
}

class FindCurrentTypeTest : public AppFixture {
  protected:
    // Tables starting at the given rows; `rows` types in all, each named by its row.
    void Tables(std::vector<int> firstRows, int rows) {
        state.Tables = {};
        for (int first : firstRows) {
            state.Tables.TableList.push_back({first, std::to_string(first)});
        }
        for (int row = 1; row <= rows; ++row) {
            state.Tables.TypeList.push_back({{std::to_string(row), "9", "9", "9", "9", "9"}});
        }
        state.Tables.TableCount = static_cast<int>(firstRows.size());
        state.Tables.TypeCount = rows;
    }
    void Type(int row, cad::FiveTexts values) {
        auto& fields = state.Tables.TypeList[static_cast<size_t>(row - 1)].Fields;
        std::copy(values.begin(), values.end(), fields.begin() + 1);
    }
    int Match(cad::FiveTexts values) {
        state.Variables.CurrentValues = std::move(values);
        FindCurrentType(state);
        return state.Watch.CurrentTypeRow;
    }
};

TEST_F(FindCurrentTypeTest, FullMatchBeatsPartialAndTheLastPartialWins) {
    Tables({1}, 8);
    Type(3, {"1", "1", "0,33", "2", "1"});
    Type(7, {"1", "1", "0,33", "3", "1"});
    EXPECT_EQ(Match({"1", "1", "0,33", "3", "1"}), 7);
    EXPECT_EQ(Match({"1", "1", "0,33", "9", "9"}), 7);
    EXPECT_EQ(Match({"1", "1", "0,33", "2", "1"}), 3);
    Type(8, {"1", "1", "0,33", "2", "1"});
    EXPECT_EQ(Match({"1", "1", "0,33", "2", "1"}), 3) << "the first full match";
}

TEST_F(FindCurrentTypeTest, ValuesCompareAsNumbersHoweverTheFileSpellsThem) {
    state.DecimalSeparator = ',';
    Tables({1}, 4);
    Type(2, {"1,50", "1,000", "0,440", "2", "1"});
    EXPECT_EQ(Match({"1,5", "1", "0,44", "2", "1"}), 2);
    EXPECT_EQ(Match({"1,50001", "1", "0,44", "2", "1"}), 0) << "beyond the tolerance";
    // An inch file: the document's value, converted, carries more digits than the file.
    Type(3, {"0,059055", "0,0590551181102", "0,4", "0,08", "0,04"});
    EXPECT_EQ(Match({"0,059055", "0,059055118110236", "0,4", "0,0800", "0,04"}), 3);
    // The partial rule works on numbers too: the last row whose first three agree.
    Type(4, {"0,0590550", "0,05905511811024", "0,40", "1", "1"});
    EXPECT_EQ(Match({"0,059055", "0,059055118110236", "0,4", "7", "7"}), 4);
    // Texts that are no numbers still match as they stand.
    Type(1, {"", "x", "0,33", "2", "1"});
    EXPECT_EQ(Match({"", "x", "0,33", "2", "1"}), 1);
}

TEST_F(FindCurrentTypeTest, NearestTypeHasTheMostEqualValuesTheFirstAmongEquals) {
    Tables({1}, 4);
    Type(1, {"1", "9", "9", "9", "9"});
    Type(2, {"1", "2", "9", "9", "9"});
    Type(3, {"1", "2", "9", "9", "9"});
    Type(4, {"9", "9", "3", "4", "5"});
    const auto nearest = [&](cad::FiveTexts values) {
        const NearestType found = NearestTypeRow(state.Tables, values, ',');
        return std::pair{found.Row, found.Differing};
    };
    EXPECT_EQ(nearest({"1", "2", "7", "7", "7"}), std::pair(2, 3)) << "row 3 ties, comes later";
    EXPECT_EQ(nearest({"7", "7", "3", "4", "5"}), std::pair(4, 2));
    EXPECT_EQ(nearest({"1,0", "2,000", "7", "7", "7"}), std::pair(2, 3)) << "as numbers";
    Tables({1}, 0);
    EXPECT_EQ(nearest({"1", "2", "3", "4", "5"}), std::pair(0, 0));
}

TEST_F(FindCurrentTypeTest, TableSearchGivesTableRowsAndOffset) {
    Tables({1, 5, 9}, 12);
    Type(9, {"1", "2", "3", "4", "5"});
    Type(6, {"6", "2", "3", "4", "5"});
    EXPECT_EQ(Match({"1", "2", "3", "4", "5"}), 9);
    const WatchState& watch = state.Watch;
    EXPECT_THAT((std::vector{watch.CurrentTableIndex, watch.TableFirstRow, watch.TableLastRow,
                             watch.CurrentTypeOffset}),
                ElementsAre(3, 9, 12, 0));
    EXPECT_EQ(Match({"6", "2", "3", "4", "5"}), 6);
    EXPECT_THAT((std::vector{watch.CurrentTableIndex, watch.TableFirstRow, watch.TableLastRow,
                             watch.CurrentTypeOffset}),
                ElementsAre(2, 5, 8, 1));
    EXPECT_EQ(Match({"0", "0", "0", "0", "0"}), 0);
    EXPECT_EQ(watch.CurrentTableIndex, 2) << "no match keeps the earlier table";
}

} // namespace
} // namespace psm::test
