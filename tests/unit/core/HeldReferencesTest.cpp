// The references into the CAD program the program holds: every one is in the
// one list, the end lets go of them all, and the trace switch hands each out
// anew as the same object.

#include "AppTestSupport.h"
#include "app/AllHeldReferences.h"

namespace psm::test {
namespace {

class HeldReferencesTest : public AppFixture {
  protected:
    // An assembly whose single part is shown and written into, and its survey.
    void HoldEverything() {
        sim::Document& assembly = sim.OpenDocument("Asm.asm", sim::code::AssemblyDocument);
        assembly.AddDirectComponent("part:1", sim.CreateSheetMetal("P.psm", Row2));
        Start();
        Choose(ListId::Types, 2);
        Click(MainControl::WriteButton);
        app.OnMenuCommand(MenuCommand::CheckAssembly);
        for (int step = 0; step < 20 && state.Survey.Phase == SurveyPhase::Reading; ++step) {
            app.OnSurveyStep();
        }
        ASSERT_EQ(state.Survey.Parts.size(), 1u);
        ASSERT_NE(state.Survey.Assembly, nullptr);
        ASSERT_TRUE(state.Document.InPlaceEdit);
        ASSERT_FALSE(sim.VariableWrites().empty());
        sim.ClearLog(); // it holds the handles its calls passed and returned
    }
    std::vector<cad::ObjectRef> Held() {
        std::vector<cad::ObjectRef> held;
        ForEachHeldReference(state,
                             [&](cad::ObjectRef& one, std::string_view) { held.push_back(one); });
        return held;
    }
};

TEST_F(HeldReferencesTest, TheListHoldsEveryReferenceThereIs) {
    HoldEverything();
    EXPECT_GT(sim.LiveHandles(), 0u);
    ReleaseHeldReferences(state);
    EXPECT_EQ(sim.LiveHandles(), 0u) << "a reference the list does not know";
    EXPECT_TRUE(Held().empty());
}

TEST_F(HeldReferencesTest, TheEndLetsGoOfEveryReferenceWithTheTraceOnOrOff) {
    HoldEverything();
    app.OnMenuCommand(MenuCommand::ToggleTrace);
    ASSERT_TRUE(tracing.On());
    app.OnCloseRequest();
    ASSERT_TRUE(app.Ended());
    sim.ClearLog();
    EXPECT_EQ(sim.LiveHandles(), 0u);
}

TEST_F(HeldReferencesTest, TheTraceSwitchHandsEachOutAnewAsTheSameObject) {
    HoldEverything();
    const std::vector<cad::ObjectRef> plain = Held();
    app.OnMenuCommand(MenuCommand::ToggleTrace);
    ASSERT_TRUE(tracing.On());
    const std::vector<cad::ObjectRef> traced = Held();
    app.OnMenuCommand(MenuCommand::ToggleTrace);
    ASSERT_FALSE(tracing.On());
    const std::vector<cad::ObjectRef> again = Held();

    ASSERT_EQ(traced.size(), plain.size());
    ASSERT_EQ(again.size(), plain.size());
    for (std::size_t k = 0; k < plain.size(); ++k) {
        EXPECT_NE(traced[k], plain[k]) << k << ": handed out anew";
        EXPECT_TRUE(cad::SameObject(plain[k], traced[k])) << k;
        EXPECT_TRUE(cad::SameObject(traced[k], plain[k])) << k;
        EXPECT_TRUE(cad::SameObject(traced[k], again[k])) << k;
        EXPECT_TRUE(cad::SameObject(again[k], traced[k])) << k;
        EXPECT_TRUE(cad::SameObject(again[k], plain[k])) << k;
    }
}

} // namespace
} // namespace psm::test
