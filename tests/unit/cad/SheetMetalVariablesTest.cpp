// Reading the five values through their marker variables, and writing them
// back between the recompute switch's true and false, followed by a redraw.

#include "cad/SheetMetalVariables.h"

#include "CadTestSupport.h"

#include <algorithm>
#include <gmock/gmock.h>

namespace psm::cad::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace code = sim::code;

constexpr double Scale = 1000.0;

class SheetMetalVariablesTest : public CadFixture {
  protected:
    sim::Document& OpenPart(const sim::SheetMetalValues& values = {0.0015, 0.001, 0.33, 0.002,
                                                                   0.001}) {
        sim::Document& doc = sim.OpenSheetMetal("A.psm", values);
        ConnectQuietly();
        return doc;
    }
    void Read(const ObjectRef& doc) {
        (void)ReadSheetMetalVariables(variables, doc);
        sim.ClearLog();
    }
    WriteOutcome Write(const ObjectRef& doc, const CadValues& targets) {
        return WriteSheetMetalVariables(variables, connection, doc, targets, Scale, pump);
    }
    std::vector<std::string> Written() const {
        std::vector<std::string> lines;
        for (const auto& write : sim.VariableWrites()) {
            lines.push_back(write.Document + "/" + write.Variable + "=" +
                            std::to_string(write.Value));
        }
        return lines;
    }

    SheetMetalVariables variables;
    CountingPump pump;
};

TEST_F(SheetMetalVariablesTest, ReadResolvesAllMarkersFirstThenReadsTheValues) {
    OpenPart();
    const auto values = ReadSheetMetalVariables(variables, connection.ActiveDoc);
    ASSERT_TRUE(values);
    EXPECT_THAT(*values, ElementsAre(0.0015, 0.001, 0.33, 0.002, 0.001));
    EXPECT_THAT(variables.ValueVariableNames, ElementsAre("SM_Thickness", "SM_Radius", "SM_KFactor",
                                                          "SM_ReliefLength", "SM_ReliefWidth"));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u + 5 * 2 + 5 * 3);
    EXPECT_THAT(std::vector(lines.begin(), lines.begin() + 4),
                ElementsAre("doc:A.psm get Variables",
                            "doc:A.psm/Variables as {7647EDC6-19D6-11CF-BCFB-0800368A1102}",
                            "doc:A.psm/Variables{7647EDC6} get #0(\"MaterialThickness_\")",
                            "doc:A.psm/Variables/MaterialThickness_ get Formula"));
    EXPECT_EQ(lines[10], "doc:A.psm/Variables{7647EDC6} get #0(\"ReliefWidth_\")");
    EXPECT_THAT(
        std::vector(lines.begin() + 12, lines.begin() + 15),
        ElementsAre("doc:A.psm/Variables{7647EDC6} get #0(\"SM_Thickness\")",
                    "doc:A.psm/Variables/SM_Thickness as {7647EDC3-19D6-11CF-BCFB-0800368A1102}",
                    "doc:A.psm/Variables/SM_Thickness{7647EDC3} get #3"));
}

TEST_F(SheetMetalVariablesTest, WriteReadsAllFiveFirstPutsChangedOnesHeldAndReadsThemBack) {
    sim::Document& doc = OpenPart();
    doc.AddFeature("Flange 1").FailWhen("SM_Radius", [](double r) { return r < 0.001; });
    Read(connection.ActiveDoc);
    std::size_t callsBeforePump = 0;
    pump.OnRun = [&] { callsBeforePump = sim.Log().Size(); };

    Write(connection.ActiveDoc, {0.002, 0.0005, 0.33, 0.002, 0.001});
    const auto lines = Lines();
    const auto firstPut = std::find_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.find("put #3") != std::string::npos;
    });
    EXPECT_EQ(std::count_if(lines.begin(), firstPut,
                            [](const std::string& line) { return line.ends_with("get #3"); }),
              5)
        << "every value is read before the first put";
    EXPECT_THAT(Written(), ElementsAre("A.psm/SM_Thickness=0.002000", "A.psm/SM_Radius=0.000500"));
    for (const sim::VariableWrite& write : sim.VariableWrites()) {
        EXPECT_TRUE(write.HoldRecompute) << write.Variable << " put while the recompute is held";
    }
    EXPECT_EQ(
        std::count(lines.begin(), lines.end(), "doc:A.psm/Variables/SM_Radius{7647EDC3} get #3"), 2)
        << "a put value is read back";
    EXPECT_THAT(sim.HoldRecomputePuts(), ElementsAre(true, false));
    EXPECT_EQ(pump.Runs, 1);
    EXPECT_EQ(lines[callsBeforePump - 1], "app{DED89DB0} put #73 = Bool false")
        << "events run after the switch is released, before the redraw";
    EXPECT_EQ(lines.back(), "doc:A.psm/Window1/View call Update");
    EXPECT_EQ(doc.FindFeature("Flange 1")->Status(), code::StatusFailed);
}

TEST_F(SheetMetalVariablesTest, AValueThatDoesNotReadBackAsSentStopsTheWriteAndIsPutBack) {
    sim::Document& doc = OpenPart();
    Read(connection.ActiveDoc);
    // The program answers the second put as done and keeps the old radius.
    sim.SwallowWhen(*sim::CallMatch::Parse("put VariableValue"), 1, 1);
    EXPECT_EQ(Write(connection.ActiveDoc, {0.002, 0.002, 0.4, 0.003, 0.002}),
              WriteOutcome::NotWritten);
    EXPECT_EQ(doc.SheetMetal().Thickness, 0.0015);
    EXPECT_EQ(doc.SheetMetal().BendRadius, 0.001);
    EXPECT_EQ(doc.SheetMetal().ReliefWidth, 0.001);
    EXPECT_TRUE(variables.LastWrite.Changed);
    EXPECT_THAT(sim.HoldRecomputePuts(), ElementsAre(true, false));
    EXPECT_EQ(pump.Runs, 0) << "a document back as it was is not redrawn";
}

TEST_F(SheetMetalVariablesTest, AValueThatCannotBeReadStopsTheWriteBeforeAnyPut) {
    OpenPart();
    Read(connection.ActiveDoc);
    // The third value cannot be read: the document has gone from under the write.
    sim.FailWhen(sim::CallMatch::Member("VariableValue").OfKind(sim::CallKind::Get),
                 Failure{FailureCode::Disconnected, "gone"}, 1, 2);
    EXPECT_EQ(Write(connection.ActiveDoc, {0.002, 0.002, 0.4, 0.003, 0.002}),
              WriteOutcome::NotWritten);
    EXPECT_THAT(Written(), IsEmpty());
    EXPECT_THAT(sim.HoldRecomputePuts(), ElementsAre(true, false));
}

TEST_F(SheetMetalVariablesTest, EqualValuesAreNotWrittenYetTheSwitchAndRedrawStill) {
    sim::Document& doc = OpenPart();
    Read(connection.ActiveDoc);
    EXPECT_EQ(Write(connection.ActiveDoc, {0.0015, 0.001, 0.33, 0.002, 0.001}),
              WriteOutcome::Written);
    EXPECT_THAT(Written(), IsEmpty());
    EXPECT_THAT(sim.HoldRecomputePuts(), ElementsAre(true, false));
    EXPECT_EQ(doc.ViewUpdates(), 1);
}

TEST_F(SheetMetalVariablesTest, ATypeThatCannotBePutWholeIsNotPutAtAll) {
    sim::Document& doc = OpenPart();
    doc.RemoveVariable("BendRadius_");
    const auto values = ReadSheetMetalVariables(variables, connection.ActiveDoc);
    ASSERT_TRUE(values);
    EXPECT_FALSE((*values)[1]);
    EXPECT_EQ(variables.ValueVariableNames[1], "");
    EXPECT_EQ(sim.Log().Count(sim::CallMatch::Member(ids::ItemId)), 9u)
        << "an empty name is not looked up";
    EXPECT_EQ(Write(connection.ActiveDoc, {0.002, 0.005, 0.5, 0.003, 0.004}),
              WriteOutcome::NotWritten);

    doc.AddVariable("BendRadius_", 0, "SM_Radius");
    Read(connection.ActiveDoc);
    EXPECT_EQ(Write(connection.ActiveDoc, {0.002, std::nullopt, 0.5, 0.003, 0.004}),
              WriteOutcome::NotWritten)
        << "a target missing";
    EXPECT_THAT(Written(), IsEmpty());
    EXPECT_FALSE(sim.HoldRecompute());
}

TEST_F(SheetMetalVariablesTest, AReadThatMeetsABusyProgramIsNoRead) {
    OpenPart();
    sim.FailWhen(*sim::CallMatch::Parse("get VariableValue"),
                 Failure{FailureCode::CallRejected, "busy"}, 1, 2);
    EXPECT_FALSE(ReadSheetMetalVariables(variables, connection.ActiveDoc));
    EXPECT_TRUE(ReadSheetMetalVariables(variables, connection.ActiveDoc));
}

TEST_F(SheetMetalVariablesTest, AssemblyRedrawsThePartsSimplifiedModelAndTheAssemblyWindow) {
    auto part = sim.CreateSheetMetal("P.psm");
    sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    assembly.AddDirectComponent("P.psm:1", part);
    ASSERT_EQ(ConnectQuietly(), DocumentKind::Assembly);
    ASSERT_EQ(GetInPlaceDocument(connection, AssemblyView()), DocumentKind::SheetMetal);
    Read(connection.WorkDocument);
    sim.ClearLog();

    Write(connection.WorkDocument, {0.002, 0.001, 0.33, 0.002, 0.001});
    EXPECT_THAT(Written(), ElementsAre("P.psm/SM_Thickness=0.002000"));
    const auto lines = Lines();
    EXPECT_THAT(std::vector(lines.end() - 5, lines.end()),
                ElementsAre("doc:P.psm get SimplifiedModels(I2 1)",
                            "doc:P.psm/SimplifiedModel1 call Update",
                            "doc:Asm.asm get Windows(I2 1)", "doc:Asm.asm/Window1 get View",
                            "doc:Asm.asm/Window1/View call Update"));
}

} // namespace
} // namespace psm::cad::test
