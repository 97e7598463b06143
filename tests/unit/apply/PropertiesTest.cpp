// The part properties window: what it shows, where it opens, how it closes.

#include "AppTestSupport.h"
#include "lists/Lists.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;

class PropertiesTest : public AppFixture {
  protected:
    std::vector<std::string> Column(int column) const {
        std::vector<std::string> texts;
        for (int row = 1; row <= 5; ++row) {
            texts.push_back(info.Label(column, row));
        }
        return texts;
    }
};

TEST_F(PropertiesTest, RecognisedTypeShowsItsTableValuesWithNamesAndUnits) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(state.ShownTypeRow(), 2);
    EXPECT_TRUE(info.Visible());
    EXPECT_EQ(info.Model.Caption, "Raziv Werte");
    EXPECT_THAT(Column(1), ElementsAre(" Blechstärke: ", " Biegeradius: ", " NeutralFaktor: ",
                                       " Ausklinkungstiefe: ", " Ausklinkungsbreite: "));
    EXPECT_THAT(Column(2), ElementsAre("1.500", "1.500", "0.440", "2.500", "1.500"));
    EXPECT_THAT(Column(3), ElementsAre(" mm", " mm", "", " mm", " mm"));
    EXPECT_EQ(info.Model.ChooseNearest, "") << "no nearest type to choose beside a type";
}

TEST_F(PropertiesTest, BesideTheChosenTypeTheDocumentsValuesWithTheDifferingOnesMarked) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Choose(ListId::Types, 2); // St 2,0
    Click(MainControl::PropertiesButton);
    EXPECT_THAT(Column(2), ElementsAre("2.000", "2.000", "0.440", "3.000", "2.000"));
    EXPECT_THAT(Column(4), ElementsAre("1.500", "1.500", "0.440", "2.500", "1.500"));
    EXPECT_THAT(Column(5), ElementsAre("≠", "≠", "", "≠", "≠"));
    EXPECT_EQ(info.Model.Note, "rechts: die Werte des Dokuments\r\n≠: nicht wie links");
}

TEST_F(PropertiesTest, WithoutATypeTheNearestIsNamedWithItsValuesAndHowManyDiffer) {
    sim.OpenSheetMetal("A.psm", {0.0015, 0.0015, 0.5, 0.0025, 0.0015}); // St 1,5 but 0.5
    Start();
    ASSERT_EQ(view.Selection1, -1);
    Click(MainControl::PropertiesButton);
    EXPECT_THAT(Column(2), ElementsAre("1.500", "1.500", "0.500", "2.500", "1.500"));
    EXPECT_THAT(Column(4), ElementsAre("1.500", "1.500", "0.440", "2.500", "1.500"));
    EXPECT_THAT(Column(5), ElementsAre("", "", "≠", "", ""));
    EXPECT_EQ(info.Model.Note,
              "Kein Blechtyp passt.\r\nrechts der nächste: St 1,5\r\n1 Wert anders");
    state.Texts.LanguageIndex = LanguageTexts::English;
    sim.OpenSheetMetal("B.psm", {0.009, 0.009, 0.44, 0.009, 0.009});
    Tick();
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Model.Note, "No type matches.\r\nright the nearest: St 1,0\r\n4 values differ");
}

TEST_F(PropertiesTest, ItsButtonChoosesTheNearestTypeWhichTheWriteThenPutsIntoTheDocument) {
    sim::Document& document =
        sim.OpenSheetMetal("A.psm", {0.0015, 0.0015, 0.5, 0.0025, 0.0015}); // St 1,5 but 0.5
    Start();
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Model.ChooseNearest, "Übernehmen");
    app.OnPropertiesCommand(PropertiesCommand::ChooseNearestType);
    EXPECT_EQ(view.Selection1, 0);
    EXPECT_EQ(view.Items2[static_cast<std::size_t>(view.Selection2)], "St 1,5");
    // The window stays open and shows the chosen type beside the document.
    EXPECT_TRUE(info.Visible());
    EXPECT_EQ(info.Model.ChooseNearest, "");
    EXPECT_THAT(Column(2), ElementsAre("1.500", "1.500", "0.440", "2.500", "1.500"));
    EXPECT_THAT(Column(5), ElementsAre("", "", "≠", "", ""));
    EXPECT_TRUE(sim.VariableWrites().empty()) << "choosing writes nothing";

    Click(MainControl::WriteButton);
    EXPECT_THAT(Writes(), ElementsAre("A.psm SM_KFactor=R8 0.44")) << "the one that differed";
    const sim::SheetMetalValues held = document.SheetMetal();
    EXPECT_THAT((std::vector<double>{held.Thickness, held.BendRadius, held.NeutralFactor,
                                     held.ReliefLength, held.ReliefWidth}),
                ElementsAre(0.0015, 0.0015, 0.44, 0.0025, 0.0015));
}

TEST_F(PropertiesTest, ADifferenceBelowThreeDecimalsIsShownWithTheDecimalsItTakes) {
    sim.OpenSheetMetal("A.psm", {0.0015004, 0.0015, 0.44, 0.0025, 0.0015});
    Start();
    Choose(ListId::Tables, 0);
    Choose(ListId::Types, 1); // St 1,5
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Label(2, 1), "1.5000");
    EXPECT_EQ(info.Label(4, 1), "1.5004");
    EXPECT_EQ(info.Label(5, 1), "≠");
    EXPECT_EQ(info.Label(2, 2), "1.500") << "equal values keep three decimals";
}

TEST_F(PropertiesTest, DocumentValuesAndTheNearestTypeBelongOnlyToTheShownDocument) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    sim.OpenDocument("Asm.asm", sim::code::AssemblyDocument)
        .AddDirectComponent("Q.par:1", sim.CreateDocument("Q.par", sim::code::PartDocument));
    Tick();
    ASSERT_EQ(view.Label, "Q.par");
    Choose(ListId::Tables, 0);
    Click(MainControl::PropertiesButton);
    EXPECT_THAT(Column(2), ElementsAre("1.500", "1.500", "0.440", "2.500", "1.500"));
    EXPECT_THAT(Column(4), ElementsAre("", "", "", "", "")) << "not A's values";
    EXPECT_EQ(info.Model.Note, "");

    // A document whose every value differs from every type has no nearest type.
    sim.OpenSheetMetal("B.psm", {0.009, 0.009, 0.9, 0.009, 0.009});
    Tick();
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Model.Note, "Kein Blechtyp passt.");
    EXPECT_THAT(Column(5), ElementsAre("", "", "", "", ""));
}

TEST_F(PropertiesTest, WithoutChosenTypeTheDocumentsValuesAreShown) {
    separator = ',';
    UseValueFile("Unit: in\nBegin: T\nx;1;1;1;1;1\nEnd:\n");
    sim.OpenSheetMetal("A.psm", {0.0254, 0.00254, 0.5, 0.0508, 0.0127});
    Start();
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(state.ShownTypeRow(), 0);
    EXPECT_THAT(Column(2), ElementsAre("1,000", "0,100", "0,500", "2,000", "0,500"));
    EXPECT_THAT(Column(3), ElementsAre("in", "in", "", "in", "in"));
}

TEST_F(PropertiesTest, NothingIsShownWithoutTypeAndDocument) {
    sim.Quit();
    Start();
    Click(MainControl::PropertiesButton);
    EXPECT_TRUE(info.Created);
    EXPECT_FALSE(info.Visible());
}

TEST_F(PropertiesTest, ListsWithoutSelectionShowTheDocumentsValuesNotAnEarlierChoice) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Choose(ListId::Tables, 1); // row 4
    sim.OpenSheetMetal("B.psm", NoRow);
    Tick();
    ASSERT_EQ(view.Selection1, -1);
    Click(MainControl::PropertiesButton);
    EXPECT_THAT(Column(2), ElementsAre("7.000", "7.000", "0.500", "7.000", "7.000"));
}

TEST_F(PropertiesTest, ValuesFromTheOneThatCannotBeConvertedOnStayEmpty) {
    std::string file(WorkedExample);
    file.replace(file.find("St 2,0;2;2"), 10, "St 2,0;2;x");
    UseValueFile(file);
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Click(MainControl::PropertiesButton); // row 2: fills every value
    Choose(ListId::Types, 2);
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(state.ShownTypeRow(), 3);
    EXPECT_THAT(Column(2), ElementsAre("2.000", "", "", "", ""));
    EXPECT_EQ(boxes.Shown.size(), 0u) << "the properties command tells of no invalid input";
}

TEST_F(PropertiesTest, OpensRightOfTheMainWindowWhenThereIsRoomElseLeft) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    view.Rect = {600, 900, 3555, 2355};
    view.Screen = 600 + 3555 + 3001;
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Rect, (TwipsRect{4155, 900, 2895, 2355}));
    view.Screen = 600 + 3555 + 3000;
    Click(MainControl::PropertiesButton);
    EXPECT_EQ(info.Rect, (TwipsRect{600 - 2895, 900, 2895, 2355}));
}

TEST_F(PropertiesTest, ClickOnItOrActivatingTheMainWindowClosesIt) {
    sim.OpenSheetMetal("A.psm", Row2);
    Start();
    Click(MainControl::PropertiesButton);
    app.OnPropertiesClick();
    EXPECT_FALSE(info.Created);
    EXPECT_EQ(view.Focused, 1);

    Click(MainControl::PropertiesButton);
    app.OnActivate();
    EXPECT_FALSE(info.Created);
    app.OnActivate();
    EXPECT_EQ(info.Destroyed, 2) << "nothing to close the second time";
}

} // namespace
} // namespace psm::test
