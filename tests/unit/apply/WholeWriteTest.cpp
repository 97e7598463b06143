// A type lands whole or not at all, and is checked, not believed: a document
// that cannot take all five values gets none, a value that does not read back
// as sent is put back, and a CAD program that turns busy in the middle is
// never left holding its recompute or a mixed type.

#include "AppTestSupport.h"
#include "platform/FileRead.h"
#include "platform/TextLines.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using namespace std::chrono_literals;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

const std::string TypeNotSet = "Blechtyp nicht übernommen";
const std::string RecomputeHeld =
    "Solid Edge antwortet nicht und hält womöglich die Neuberechnung noch an.\r\n"
    "psm schließt den Schreibvorgang ab, sobald Solid Edge wieder antwortet.";

class WholeWriteTest : public AppFixture {
  protected:
    void StartOn(const sim::SheetMetalValues& values) {
        document = &sim.OpenSheetMetal("A.psm", values);
        Start();
        Choose(ListId::Tables, 1);
        Choose(ListId::Types, 1); // Al 2,0
    }
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        for (const ShownBox& box : boxes.Shown) {
            texts.push_back(box.Text);
        }
        return texts;
    }
    // The journal's actions (its fifth cells), a line each after the header.
    std::vector<std::string> JournalActions() const {
        std::vector<std::string> actions;
        const std::string text = ReadFileBytes(JournalFile()).value_or("");
        TextLines reader(text);
        std::string_view line;
        reader.Next(line);
        while (reader.Next(line)) {
            std::size_t cell = 0;
            for (int tab = 0; tab < 4; ++tab) {
                cell = line.find('\t', cell) + 1;
            }
            actions.emplace_back(line.substr(cell, line.find('\t', cell) - cell));
        }
        return actions;
    }

    sim::Document* document = nullptr;
};

TEST_F(WholeWriteTest, ADocumentThatLacksAMarkerGetsNoneOfTheFiveValues) {
    sim.OpenSheetMetal("A.psm", Row2).RemoveVariable("BendRadius_");
    Start();
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1);
    Click(MainControl::WriteButton);
    EXPECT_THAT(Writes(), IsEmpty());
    EXPECT_THAT(BoxTexts(), ElementsAre(TypeNotSet));
    EXPECT_FALSE(sim.HoldRecompute());
}

TEST_F(WholeWriteTest, AValueTheCadProgramKeepsAfterAcceptingThePutIsARefusal) {
    StartOn(Row2);
    sim.SwallowWhen(*sim::CallMatch::Parse("put VariableValue"), 1, 2); // the neutral factor
    Click(MainControl::WriteButton);
    const sim::SheetMetalValues held = document->SheetMetal();
    EXPECT_EQ(held.Thickness, Row2.Thickness);
    EXPECT_EQ(held.BendRadius, Row2.BendRadius);
    EXPECT_EQ(held.NeutralFactor, Row2.NeutralFactor);
    EXPECT_THAT(BoxTexts(), ElementsAre(TypeNotSet));
    EXPECT_THAT(JournalActions(), ElementsAre("abgelehnt"));
    EXPECT_EQ(view.Items2.at(static_cast<std::size_t>(view.Selection2)), "Al 2,0")
        << "the lists keep the user's choice";
}

TEST_F(WholeWriteTest, ACadProgramBusyFromTheThirdPutGetsItsValuesBackOnceItAnswers) {
    StartOn(Row2);
    sim.BeBusyFrom(*sim::CallMatch::Parse("put VariableValue"), 3, 60s);
    const auto started = clock.Time;
    Click(MainControl::WriteButton);
    EXPECT_LE(clock.Time - started, 5100ms) << "one budget for the whole command";
    EXPECT_THAT(BoxTexts(), ElementsAre(TypeNotSet + "\r\n\r\n" + RecomputeHeld));
    EXPECT_TRUE(sim.HoldRecompute()) << "the program cannot be asked yet";

    Tick(); // still busy: the tick asks once and goes on
    EXPECT_TRUE(sim.HoldRecompute());
    clock.Time += 60s;
    Tick();
    const sim::SheetMetalValues held = document->SheetMetal();
    EXPECT_EQ(held.Thickness, Row2.Thickness);
    EXPECT_EQ(held.BendRadius, Row2.BendRadius);
    EXPECT_FALSE(sim.HoldRecompute());
    EXPECT_THAT(JournalActions(), ElementsAre("abgelehnt", "zurückgeschrieben"));
}

TEST_F(WholeWriteTest, AWriteWhileAnEarlierOneWaitsForTheCadProgramWritesNothing) {
    StartOn(Row2);
    sim.BeBusyFrom(*sim::CallMatch::Parse("put VariableValue"), 3, 60s);
    Click(MainControl::WriteButton);
    const std::size_t writes = sim.VariableWrites().size();
    clock.Time += 10s;
    Click(MainControl::WriteButton);
    EXPECT_EQ(sim.VariableWrites().size(), writes);
    EXPECT_EQ(BoxTexts().back(), TypeNotSet + "\r\n\r\n" + RecomputeHeld);
}

} // namespace
} // namespace psm::test
