// The walk of a product structure: uses multiplied through repeated
// sub-assemblies, an assembly inside itself, the depth bound, a component set
// beyond 16-bit indices, slices within their bound, and a busy program.

#include "cad/AssemblyTree.h"

#include "CadTestSupport.h"

#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
namespace code = sim::code;

std::vector<std::string> UserNames(const TreeEntry& entry) {
    std::vector<std::string> names;
    for (const TreeUse& use : entry.UsedBy) {
        names.push_back(use.Name);
    }
    return names;
}

class AssemblyTreeTest : public ::testing::Test {
  protected:
    std::shared_ptr<sim::Document> Assembly(std::string name) {
        return sim.CreateDocument(std::move(name), code::AssemblyDocument);
    }
    static void Uses(sim::Document& assembly, const std::shared_ptr<sim::Document>& document,
                     int times) {
        for (int n = 1; n <= times; ++n) {
            assembly.AddDirectComponent(document->Name() + ":" + std::to_string(n), document);
        }
    }
    ObjectRef Top() { return sim.View(top->shared_from_this(), sim::iid::AssemblyDocument); }
    AssemblyTree WalkWhole() {
        AssemblyTree tree(Top());
        while (tree.Step([] { return false; }) == TreeWalkState::Walking) {
        }
        return tree;
    }
    const TreeEntry& EntryOf(const AssemblyTree& tree, const std::string& name) {
        for (const TreeEntry& entry : tree.Entries()) {
            if (entry.Name == name) {
                return entry;
            }
        }
        ADD_FAILURE() << name << " has no entry";
        return tree.Entries().front();
    }
    // Top uses Mid twice and P once; Mid uses Sub three times; Sub uses P
    // twice and Q once.
    void ThreeLevels() {
        auto mid = Assembly("Mid.asm");
        auto sub = Assembly("Sub.asm");
        auto p = sim.CreateSheetMetal("P.psm");
        Uses(*sub, p, 2);
        Uses(*sub, sim.CreateSheetMetal("Q.psm"), 1);
        Uses(*mid, sub, 3);
        Uses(*top, mid, 2);
        Uses(*top, p, 1);
    }

    sim::Simulator sim;
    sim::Document* top = &sim.OpenDocument("Top.asm", code::AssemblyDocument);
};

TEST_F(AssemblyTreeTest, UsesMultiplyThroughRepeatedSubAssembliesEachWalkedOnce) {
    ThreeLevels();
    const AssemblyTree tree = WalkWhole();
    ASSERT_EQ(tree.State(), TreeWalkState::Done);
    EXPECT_EQ(EntryOf(tree, "Top.asm").Uses, 1);
    EXPECT_EQ(EntryOf(tree, "Mid.asm").Uses, 2);
    EXPECT_EQ(EntryOf(tree, "Sub.asm").Uses, 6);
    EXPECT_EQ(EntryOf(tree, "Q.psm:1").Uses, 6);
    EXPECT_EQ(EntryOf(tree, "P.psm:1").Uses, 2 * 3 * 2 + 1);
    EXPECT_TRUE(EntryOf(tree, "Sub.asm").Assembly);
    EXPECT_FALSE(EntryOf(tree, "P.psm:1").Assembly);
    EXPECT_THAT(UserNames(EntryOf(tree, "P.psm:1")), ElementsAre("Sub.asm", "Top.asm"));
    EXPECT_EQ(tree.Entries().size(), 5u) << "each document is one entry";
    // Each assembly's component set is counted once: walked once.
    EXPECT_EQ(sim.Log().Count([](const sim::CallRecord& call) {
        return call.Object == "doc:Sub.asm/Components" && call.Name == "ComponentCount";
    }),
              1u);
    EXPECT_EQ(tree.ComponentsRead(), tree.ComponentsKnown());
    EXPECT_EQ(tree.ComponentsKnown(), 3 + 3 + 3);
}

TEST_F(AssemblyTreeTest, DocumentReachedInsideItselfIsToldAndNotWalkedAgain) {
    auto a = Assembly("A.asm");
    auto b = Assembly("B.asm");
    Uses(*top, a, 1);
    Uses(*a, b, 1);
    Uses(*b, a, 1);
    b->AddDirectComponent("Top", std::static_pointer_cast<sim::Document>(top->shared_from_this()));
    const AssemblyTree tree = WalkWhole();
    ASSERT_EQ(tree.State(), TreeWalkState::Done);
    EXPECT_TRUE(EntryOf(tree, "A.asm").ReachedInsideItself);
    EXPECT_TRUE(EntryOf(tree, "Top.asm").ReachedInsideItself);
    EXPECT_FALSE(EntryOf(tree, "B.asm").ReachedInsideItself);
    EXPECT_EQ(EntryOf(tree, "A.asm").Uses, 1);
    EXPECT_EQ(EntryOf(tree, "B.asm").Uses, 1);
    EXPECT_EQ(tree.ComponentsRead(), 4);
}

TEST_F(AssemblyTreeTest, AssembliesBelowTheDeepestLevelAreToldAndNotWalked) {
    sim::Document* above = top;
    for (int level = 1; level <= MaxTreeLevel + 5; ++level) {
        auto next = Assembly(sim::Concat({"L", std::to_string(level), ".asm"}));
        Uses(*above, next, 1);
        above = next.get();
    }
    Uses(*above, sim.CreateSheetMetal("Deep.psm"), 1);
    const AssemblyTree tree = WalkWhole();
    ASSERT_EQ(tree.State(), TreeWalkState::Done);
    const TreeEntry& deepest = tree.Entries().back();
    EXPECT_EQ(deepest.Level, MaxTreeLevel + 1);
    EXPECT_TRUE(deepest.TooDeep);
    EXPECT_EQ(deepest.Uses, 1);
    EXPECT_FALSE(EntryOf(tree, sim::Concat({"L", std::to_string(MaxTreeLevel), ".asm"})).TooDeep);
    EXPECT_EQ(tree.Entries().size(), static_cast<std::size_t>(MaxTreeLevel + 2));
}

TEST_F(AssemblyTreeTest, ComponentSetBeyondSixteenBitIndicesIsReadWhole) {
    auto part = sim.CreateSheetMetal("P.psm");
    top->AddDirectComponent("P:1", part);
    top->RepeatComponent("P:1", 32767);
    sim.SetLogging(false);
    const AssemblyTree tree = WalkWhole();
    ASSERT_EQ(tree.State(), TreeWalkState::Done);
    EXPECT_EQ(tree.ComponentsKnown(), 32768);
    EXPECT_EQ(tree.ComponentsNotReached(), 0);
    EXPECT_EQ(EntryOf(tree, "P:1").Uses, 32768);
}

TEST_F(AssemblyTreeTest, ComponentsTheIndexCannotReachAreCounted) {
    Uses(*top, sim.CreateSheetMetal("P.psm"), 3);
    sim.FailWhen(sim::CallMatch::Member(0).On("doc:Top.asm/Components"),
                 sim::Simulator::DefaultFault(), 1, 1);
    const AssemblyTree tree = WalkWhole();
    ASSERT_EQ(tree.State(), TreeWalkState::Done);
    EXPECT_EQ(tree.ComponentsNotReached(), 1);
    EXPECT_EQ(EntryOf(tree, "P.psm:1").Uses, 2);
}

TEST_F(AssemblyTreeTest, NoSliceExceedsItsBoundByMoreThanOneComponent) {
    ThreeLevels();
    const std::vector<TreeEntry> whole = WalkWhole().Entries();
    sim.ClearLog();

    constexpr std::size_t Bound = 12;
    constexpr std::size_t OneComponent = 14; // its own calls and a sub-assembly's opening
    AssemblyTree tree(Top());
    int steps = 0;
    for (TreeWalkState state = TreeWalkState::Walking; state == TreeWalkState::Walking;) {
        const std::size_t before = sim.CallCount();
        state = tree.Step([&] { return sim.CallCount() - before >= Bound; });
        EXPECT_LE(sim.CallCount() - before, Bound + OneComponent);
        EXPECT_LE(tree.ComponentsRead(), tree.ComponentsKnown());
        ++steps;
    }
    EXPECT_EQ(tree.State(), TreeWalkState::Done);
    EXPECT_GT(steps, 3);
    ASSERT_EQ(tree.Entries().size(), whole.size());
    for (std::size_t n = 0; n < whole.size(); ++n) {
        EXPECT_EQ(tree.Entries()[n].Uses, whole[n].Uses) << whole[n].Name;
    }
}

TEST_F(AssemblyTreeTest, BusyProgramEndsTheStepAndTheNextGoesOnFromThere) {
    ThreeLevels();
    const std::vector<TreeEntry> whole = WalkWhole().Entries();
    FakeClock clock;
    sim.UseClock(clock);
    sim.BeBusyFrom(sim::CallMatch::Member("Type"), 5, std::chrono::seconds(1));
    AssemblyTree tree(Top());
    ASSERT_EQ(tree.Step([] { return false; }), TreeWalkState::Busy);
    const int64_t read = tree.ComponentsRead();
    EXPECT_GT(read, 0);
    EXPECT_LT(read, 9);
    EXPECT_EQ(tree.Step([] { return false; }), TreeWalkState::Busy) << "still busy";
    EXPECT_EQ(tree.ComponentsRead(), read);
    clock.Time += std::chrono::seconds(2);
    EXPECT_EQ(tree.Step([] { return false; }), TreeWalkState::Done);
    EXPECT_EQ(tree.ComponentsRead(), 9);
    ASSERT_EQ(tree.Entries().size(), whole.size());
    for (std::size_t n = 0; n < whole.size(); ++n) {
        EXPECT_EQ(tree.Entries()[n].Uses, whole[n].Uses) << whole[n].Name;
    }
}

TEST_F(AssemblyTreeTest, ProgramGoneEndsTheWalkAsUnreachable) {
    ThreeLevels();
    sim.FailWhen(sim::CallMatch::Member("Type"), {sim::hresult::ServerUnavailable, "gone"}, -1, 3);
    AssemblyTree tree(Top());
    EXPECT_EQ(tree.Step([] { return false; }), TreeWalkState::Unreachable);
    EXPECT_EQ(tree.Step([] { return false; }), TreeWalkState::Unreachable);
    EXPECT_EQ(tree.Entries().front().Uses, 1);
}

TEST_F(AssemblyTreeTest, MembersReadOnceAnswerByIdentity) {
    auto p = sim.CreateSheetMetal("P.psm");
    auto q = sim.CreateSheetMetal("Q.psm");
    Uses(*top, p, 2);
    const AssemblyMembers members(Top());
    const std::size_t calls = sim.CallCount();
    EXPECT_EQ(members.Reaches(sim.View(p)), Membership::Member);
    EXPECT_EQ(members.Reaches(sim.View(q)), Membership::NotMember);
    EXPECT_EQ(sim.CallCount(), calls) << "asked without calls";

    sim.BeBusy(std::chrono::hours(1));
    EXPECT_EQ(AssemblyMembers(Top()).Reaches(sim.View(p)), Membership::Busy);
}

} // namespace
} // namespace psm::cad::test
