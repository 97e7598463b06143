// The write command with its feature checks and questions, the conversion
// of the chosen type's values, and the reset command.

#include "AppTestSupport.h"
#include "lists/Lists.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
namespace code = sim::code;

const std::vector<std::string> Row5Written{
    "A.psm SM_Thickness=R8 0.002", "A.psm SM_Radius=R8 0.003", "A.psm SM_KFactor=R8 0.4",
    "A.psm SM_ReliefLength=R8 0.003", "A.psm SM_ReliefWidth=R8 0.002"};
const std::vector<std::string> Row2Written{
    "A.psm SM_Thickness=R8 0.0015", "A.psm SM_Radius=R8 0.0015", "A.psm SM_KFactor=R8 0.44",
    "A.psm SM_ReliefLength=R8 0.0025", "A.psm SM_ReliefWidth=R8 0.0015"};

ShownBox Box(std::string text, std::string title, MessageButtons buttons,
             MessageIcon icon = MessageIcon::Exclamation) {
    return {std::move(text), std::move(title), buttons, icon};
}
const std::string Failed = "\r\nFehler bei:  Flange 1\r\n\r\n";
const ShownBox ExecuteQuestion = Box(Failed + "Ausführen?", "ORNA Raziv", MessageButtons::OkCancel);
const ShownBox UndoQuestion = Box(Failed + "Rücksetzen?", "ORNA Raziv", MessageButtons::YesNo);
const ShownBox InvalidInput =
    Box("Eingabefehler, Textdatei überprüfen!", "ORNA Raziv", MessageButtons::Ok);
ShownBox CheckPart(const std::string& title) {
    return Box(Failed + "Raziv in Solid Edge Sheet Metal überprüfen", title, MessageButtons::Ok);
}

class ApplyTest : public AppFixture {
  protected:
    // A.psm (row 2) is shown; the user chose row 5.
    void StartOn(sim::Document& doc) {
        document = &doc;
        Start();
        Choose(ListId::Tables, 1);
        Choose(ListId::Types, 1);
        ASSERT_EQ(state.ShownTypeRow(), 5);
    }
    void StartOnA() { StartOn(sim.OpenSheetMetal("A.psm", Row2)); }
    // Fails while the thickness is above the one of row 2, or always once `broken`.
    void FailingFeatureAfterTheWrite() {
        document->AddFeature("Flange 1").FailWhen("SM_Thickness", [this](double thickness) {
            return broken || thickness > 0.0018;
        });
    }
    void Write(std::vector<MessageAnswer> answers = {}) {
        boxes.Answers.assign(answers.begin(), answers.end());
        pointer.Shapes.clear();
        Click(MainControl::WriteButton);
        EXPECT_THAT(pointer.Shapes,
                    ElementsAre(MousePointerShape::Wait, MousePointerShape::Default));
    }

    std::vector<std::string> WritesFrom(std::size_t first) const {
        const auto all = Writes();
        return {all.begin() + static_cast<std::ptrdiff_t>(first), all.end()};
    }

    // The document's five values, in metres.
    std::vector<double> Held() const {
        const sim::SheetMetalValues v = document->SheetMetal();
        return {v.Thickness, v.BendRadius, v.NeutralFactor, v.ReliefLength, v.ReliefWidth};
    }
    // The puts of a value from the `nth` on are refused, `times` of them.
    void RefusePuts(int nth, int times) {
        sim.FailWhen(*sim::CallMatch::Parse("put VariableValue"), sim::Simulator::DefaultFault(),
                     times, nth - 1);
    }

    sim::Document* document = nullptr;
    bool broken = false;
};

const std::vector<double> Row2Held{0.0015, 0.0015, 0.44, 0.0025, 0.0015};
const std::vector<double> Row5Held{0.002, 0.003, 0.4, 0.003, 0.002};
const ShownBox NotSet = Box("Blechtyp nicht übernommen", "ORNA Raziv", MessageButtons::Ok);
const ShownBox NotReset = Box("Blechtyp nicht zurückgesetzt", "ORNA Raziv", MessageButtons::Ok);
const std::string AndCheck = "\r\n\r\nRaziv in Solid Edge Sheet Metal überprüfen";

TEST_F(ApplyTest, CleanDocumentGetsTheValuesInMetresWithoutAQuestion) {
    StartOnA();
    Write();
    EXPECT_THAT(boxes.Shown, IsEmpty());
    EXPECT_EQ(Writes(), Row5Written);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(ApplyTest, FailureAfterTheWriteAndNoKeepsTheNewValues) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    Write({MessageAnswer::No});
    EXPECT_THAT(boxes.Shown, ElementsAre(UndoQuestion));
    EXPECT_EQ(Writes(), Row5Written);
}

TEST_F(ApplyTest, FailureAfterTheWriteAndYesWritesTheDocumentsValuesBack) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    Write({MessageAnswer::Yes});
    EXPECT_THAT(boxes.Shown, ElementsAre(UndoQuestion));
    EXPECT_EQ(WritesFrom(5), Row2Written);
    EXPECT_EQ(document->SheetMetal().Thickness, 0.0015);
    EXPECT_EQ(view.Selection1, 0) << "the document's type is shown again";
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(ApplyTest, StillFailingAfterTheWriteBackAfterACleanStartTitlesM5WithTheProgram) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    boxes.WhileOpen = [this] { broken = true; };
    Write({MessageAnswer::Yes});
    EXPECT_THAT(boxes.Shown, ElementsAre(UndoQuestion, CheckPart("ORNA Raziv")));
}

TEST_F(ApplyTest, AlreadyFailingDocumentAsksFirstAndCancelWritesNothing) {
    StartOnA();
    document->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    Write({MessageAnswer::Cancel});
    EXPECT_THAT(boxes.Shown, ElementsAre(ExecuteQuestion));
    EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(ApplyTest, AlreadyFailingDocumentStillFailingTitlesM5WithTheCheckText) {
    StartOnA();
    document->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    Write({MessageAnswer::Ok, MessageAnswer::Yes});
    const std::string check = "Raziv in Solid Edge Sheet Metal überprüfen";
    EXPECT_THAT(boxes.Shown, ElementsAre(ExecuteQuestion, UndoQuestion, CheckPart(check)));
    EXPECT_EQ(Writes().size(), 10u);
    EXPECT_EQ(document->SheetMetal().ReliefLength, 0.0025);
}

TEST_F(ApplyTest, AlreadyFailingAndOkButHealthyAfterwardsKeepsTheNewValues) {
    StartOnA();
    document->AddFeature("Flange 1").FailWhen("SM_Thickness", [](double t) { return t < 0.0018; });
    Write({MessageAnswer::Ok});
    EXPECT_THAT(boxes.Shown, ElementsAre(ExecuteQuestion));
    EXPECT_EQ(Writes(), Row5Written);
}

TEST_F(ApplyTest, CopiedPartInTheActiveDocumentIsWrittenWithoutAnyBox) {
    StartOnA();
    document->AddFeature("Copy", code::CopiedPartFeature);
    Write();
    EXPECT_THAT(boxes.Shown, IsEmpty());
    EXPECT_EQ(Writes(), Row5Written);
}

// A feature check cut short by a program busy beyond the command's wait is
// asked about as a failing one is, before and after the write.
TEST_F(ApplyTest, AFeatureCheckCutShortAfterTheWriteOffersTheWriteBack) {
    StartOnA();
    document->AddFeature("Flange 1");
    sim.BeBusyFrom(sim::CallMatch::Member("Status"), 2, std::chrono::seconds(9));
    boxes.WhileOpen = [this] { clock.Time += std::chrono::seconds(10); }; // the user reads
    Write({MessageAnswer::Yes});
    const std::string unchecked = "\r\nFeatures nicht geprüft: Solid Edge antwortet nicht\r\n\r\n";
    EXPECT_THAT(boxes.Shown,
                ElementsAre(Box(unchecked + "Rücksetzen?", "ORNA Raziv", MessageButtons::YesNo)));
    EXPECT_EQ(Held(), Row2Held) << "Yes writes the earlier values back";
}

TEST_F(ApplyTest, AFeatureCheckCutShortBeforeTheWriteAsksFirst) {
    StartOnA();
    document->AddFeature("Flange 1");
    sim.BeBusyFrom(sim::CallMatch::Member("Status"), 1, std::chrono::seconds(9));
    Write({MessageAnswer::Cancel});
    EXPECT_THAT(boxes.Shown,
                ElementsAre(Box("\r\nFeatures nicht geprüft: Solid Edge antwortet nicht\r\n\r\n"
                                "Ausführen?",
                                "ORNA Raziv", MessageButtons::OkCancel)));
    EXPECT_THAT(Writes(), IsEmpty());
}

class AllOrNothingTest : public ApplyTest {};

TEST_F(AllOrNothingTest, APutRefusedHalfWayLeavesThePartAsItWasAndSaysSo) {
    StartOnA();
    RefusePuts(3, 1);
    Write();
    EXPECT_THAT(boxes.Shown, ElementsAre(NotSet));
    EXPECT_EQ(Held(), Row2Held);
    EXPECT_THAT(Writes(),
                ElementsAre(Row5Written[0], Row5Written[1], Row2Written[1], Row2Written[0]))
        << "the two values written are put back, the last first";
    EXPECT_FALSE(sim.HoldRecompute());
    EXPECT_EQ(view.Selection1, 1) << "the lists keep the user's choice";
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(AllOrNothingTest, AFailedWriteBackIsReportedAndTheListsStay) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    RefusePuts(7, -1); // the write lands; the write back's second put is refused
    Write({MessageAnswer::Yes});
    EXPECT_THAT(boxes.Shown, ElementsAre(UndoQuestion, Box(NotReset.Text + AndCheck, "ORNA Raziv",
                                                           MessageButtons::Ok)));
    EXPECT_EQ(Held(), (std::vector<double>{0.0015, 0.003, 0.4, 0.003, 0.002}));
    EXPECT_EQ(view.Selection1, 1) << "not the document's type: it was not reset";
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(AllOrNothingTest, TheResetCommandResetsAllOrNothing) {
    StartOnA();
    Write();
    RefusePuts(3, 1); // the reset's third put
    Click(MainControl::ResetButton);
    EXPECT_THAT(boxes.Shown, ElementsAre(NotReset));
    EXPECT_EQ(Held(), Row5Held);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_EQ(view.Selection2, 1);
}

class InPlaceApplyTest : public ApplyTest {
  protected:
    void SetUp() override {
        part = sim.CreateSheetMetal("A.psm", Row2);
        sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
        assembly.AddDirectComponent("A:1", part);
        StartOn(*part);
        ASSERT_TRUE(state.Document.InPlaceEdit);
    }
    std::shared_ptr<sim::Document> part;
};

TEST_F(InPlaceApplyTest, CopiedPartShowsM2AndWritesNothing) {
    part->AddFeature("Copy", code::CopiedPartFeature);
    Write();
    EXPECT_THAT(boxes.Shown, ElementsAre(Box("Teilekopie, in Sheetmetal ändern", "ORNA Raziv",
                                             MessageButtons::Ok)));
    EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(InPlaceApplyTest, FailingPartIsWrittenAfterOkAndRedrawnThroughTheAssembly) {
    part->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    Write({MessageAnswer::Ok, MessageAnswer::No});
    EXPECT_THAT(boxes.Shown, ElementsAre(ExecuteQuestion, UndoQuestion));
    EXPECT_EQ(Writes(), Row5Written);
    EXPECT_EQ(part->SimplifiedModelUpdates(), 1);
}

TEST_F(InPlaceApplyTest, FailingPartCancelWritesNothing) {
    part->AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    Write({MessageAnswer::Cancel});
    EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(ApplyTest, OnlySheetMetalDocumentsAreWritten) {
    StartOnA();
    sim.OpenDocument("Part.par", code::PartDocument);
    Tick();
    Write();
    sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    assembly.AddDirectComponent("Q:1", sim.CreateDocument("Q.par", code::PartDocument));
    Tick();
    Write();
    EXPECT_THAT(boxes.Shown, IsEmpty());
    EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(ApplyTest, BeforeTheFirstChoiceNothingIsWrittenEvenWithTheDocumentsTypeShown) {
    sim.OpenSheetMetal("A.psm", NoRow);
    Start();
    Write();
    sim.OpenSheetMetal("B.psm", Row2).AddFeature("Flange 1").SetBaseStatus(code::StatusFailed);
    Tick();
    ASSERT_EQ(state.ShownTypeRow(), 2);
    Write();
    EXPECT_THAT(boxes.Shown, IsEmpty()) << "no feature check, no question";
    EXPECT_THAT(Writes(), IsEmpty());
    Click(MainControl::PropertiesButton); // shows the type: it is the chosen one now
    Write({MessageAnswer::Cancel});
    EXPECT_THAT(boxes.Shown, ElementsAre(ExecuteQuestion));
}

TEST_F(ApplyTest, AnEarlierChoiceTheListsNoLongerShowIsNeverWritten) {
    StartOnA(); // row 5 chosen on A, not written
    sim.OpenSheetMetal("B.psm", Row2);
    Tick();
    ASSERT_EQ(view.Selection2, 1) << "B's own type, row 2, is shown";
    Write();
    EXPECT_THAT(Writes(), IsEmpty()) << "B carries the type shown already";
    sim.OpenSheetMetal("C.psm", NoRow);
    Tick();
    ASSERT_EQ(view.Selection1, -1);
    Write();
    EXPECT_THAT(boxes.Shown, IsEmpty());
    EXPECT_THAT(Writes(), IsEmpty());
    EXPECT_EQ(sim.Find("C.psm")->SheetMetal().Thickness, NoRow.Thickness);
}

class ConvertTest : public ApplyTest {};

TEST_F(ConvertTest, WithoutScaleFactorEveryWriteEndsWithInvalidInput) {
    UseValueFile(std::string(WorkedExample.substr(WorkedExample.find('\n') + 1)));
    StartOnA();
    Write();
    EXPECT_THAT(boxes.Shown, ElementsAre(InvalidInput));
    EXPECT_THAT(Writes(), IsEmpty());
}

TEST_F(ConvertTest, EmptyValueStopsTheConversionThere) {
    std::string file(WorkedExample);
    file.replace(file.rfind("Al 2,0"), std::string::npos, "Al 2,0;2;3;0.4;3\n"); // no relief width
    UseValueFile(file);
    StartOnA();
    Write();
    EXPECT_THAT(boxes.Shown, ElementsAre(InvalidInput));
    EXPECT_THAT(Writes(), IsEmpty());
}

class ResetCommandTest : public ApplyTest {};

TEST_F(ResetCommandTest, TwoWritesThenResetRestoreTheValuesBeforeTheFirst) {
    StartOnA();
    Write();
    Choose(ListId::Tables, 0);
    Write();
    pointer.Shapes.clear();
    Click(MainControl::ResetButton);
    EXPECT_THAT(pointer.Shapes, ElementsAre(MousePointerShape::Wait, MousePointerShape::Default));
    EXPECT_EQ(WritesFrom(Writes().size() - 5), Row2Written);
    EXPECT_THAT(boxes.Shown, IsEmpty());
    EXPECT_EQ(view.Selection1, 0);
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(ResetCommandTest, NoDocumentShownDoesNothing) {
    sim.Quit();
    Start();
    const std::size_t journal = view.Journal.size();
    Click(MainControl::ResetButton);
    EXPECT_EQ(view.Journal.size(), journal);
    EXPECT_THAT(pointer.Shapes, ElementsAre(MousePointerShape::Wait, MousePointerShape::Default));
}

TEST_F(ResetCommandTest, NameWithoutSheetMetalWritesNothingAndDeselects) {
    sim::Document& assembly = sim.OpenDocument("Asm.asm", code::AssemblyDocument);
    assembly.AddDirectComponent("Q:1", sim.CreateDocument("Q.par", code::PartDocument));
    Start();
    Choose(ListId::Tables, 1);
    Click(MainControl::ResetButton);
    EXPECT_THAT(Writes(), IsEmpty());
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_EQ(view.Selection2, -1);
}

TEST_F(ResetCommandTest, AfterASwitchToAPartNothingIsWrittenAnywhere) {
    StartOnA();
    Write();
    sim::Document& part = sim.OpenDocument("Part.par", code::PartDocument);
    part.AddSheetMetalVariables(NoRow); // the same variable names as A
    Tick();
    ASSERT_EQ(view.Label, "A.psm");
    Click(MainControl::ResetButton);
    EXPECT_EQ(Writes(), Row5Written);
    EXPECT_THAT(boxes.Shown, ElementsAre(Box("Rücksetzen nicht möglich, Dokument gewechselt",
                                             "ORNA Raziv", MessageButtons::Ok)))
        << "a reset that cannot act says why";
}

class CommandIsolationTest : public ApplyTest {};

TEST_F(CommandIsolationTest, SwitchDuringTheQuestionWritesBackIntoTheFirstDocument) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    sim::Document* b = nullptr;
    boxes.WhileOpen = [&] {
        b = &sim.OpenSheetMetal("B.psm", Row5);
        const std::size_t calls = sim.CallCount();
        Tick();
        EXPECT_EQ(sim.CallCount(), calls) << "the watch waits for the command";
    };
    Write({MessageAnswer::Yes});
    EXPECT_EQ(WritesFrom(5), Row2Written);
    EXPECT_EQ(b->SheetMetal().Thickness, 0.002) << "B keeps its own values";
    Tick();
    EXPECT_EQ(view.Label, "B.psm") << "the watch goes on after the command";
}

TEST_F(CommandIsolationTest, AnotherDocumentOfTheSameNameIsReadAnewBeforeAnyWrite) {
    sim::Document& first = sim.OpenSheetMetal("A.psm", Row2);
    StartOn(first);
    // Closed and opened again as another file of that name, whose markers
    // name other variables.
    sim.Close("A.psm");
    sim::Document& second = sim.OpenDocument("A.psm", code::SheetMetalDocument);
    second.SetFullName("D:\\Archiv\\A.psm");
    for (std::size_t k = 0; k < 5; ++k) {
        const std::string name = "Wert" + std::to_string(k + 1);
        second.AddVariable(name, k == 2 ? 0.5 : 0.007);
        second.AddVariable(std::string(sim::variable::Markers[k]), 0, name);
    }
    Tick();
    ASSERT_EQ(view.Label, "A.psm");
    EXPECT_EQ(view.Selection1, -1) << "its own values, which match no type";
    second.AddFeature("Flange 1").FailWhen("Wert1", [](double thickness) {
        return thickness > 0.0018 && thickness < 0.005;
    });
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1);
    Write({MessageAnswer::Yes});
    EXPECT_THAT(boxes.Shown, ElementsAre(UndoQuestion)) << "its own values are written back";
    EXPECT_EQ(Writes(), (std::vector<std::string>{"A.psm Wert1=R8 0.002", "A.psm Wert2=R8 0.003",
                                                  "A.psm Wert3=R8 0.4", "A.psm Wert4=R8 0.003",
                                                  "A.psm Wert5=R8 0.002", "A.psm Wert1=R8 0.007",
                                                  "A.psm Wert2=R8 0.007", "A.psm Wert3=R8 0.5",
                                                  "A.psm Wert4=R8 0.007", "A.psm Wert5=R8 0.007"}));
    EXPECT_EQ(first.SheetMetal().Thickness, Row2.Thickness);
}

TEST_F(CommandIsolationTest, AChoiceWhileAWriteRunsIsTakenAfterItAsTheListShowedIt) {
    StartOnA();
    FailingFeatureAfterTheWrite();
    pump.OnRun = [&] {
        pump.OnRun = nullptr;
        Choose(ListId::Types, 0); // Al 1,5 in the list of Aluminium's types
        EXPECT_EQ(state.ShownTypeRow(), 5) << "nothing runs inside the write";
    };
    // Yes writes A's own values back and shows its type, St 1,5, in the lists.
    Write({MessageAnswer::Yes});
    EXPECT_EQ(WritesFrom(5), Row2Written);
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_EQ(view.Selection2, 0);
    EXPECT_EQ(state.ChosenTypeRow(), 4) << "the type the user chose, not St 1,0";
    EXPECT_EQ(state.Run.Activity, "waiting");
}

TEST_F(CommandIsolationTest, TicksDuringTheWritesPendingEventsAreSkipped) {
    StartOnA();
    sim.OpenSheetMetal("B.psm", Row5);
    pump.OnRun = [&] { Tick(); };
    Write();
    EXPECT_EQ(view.Label, "A.psm");
    EXPECT_EQ(Writes(), Row5Written);
}

TEST_F(CommandIsolationTest, EveryCommandThatWaitsHoldsTheWatchBack) {
    StartOnA();
    sim.OpenSheetMetal("B.psm", Row5);
    std::vector<std::size_t> callsByTicks;
    const auto tickMeanwhile = [&] {
        const std::size_t calls = sim.CallCount();
        Tick();
        callsByTicks.push_back(sim.CallCount() - calls);
    };
    pump.OnRun = tickMeanwhile; // inside the reset's write
    Click(MainControl::ResetButton);
    view.WhileChoosing = tickMeanwhile;
    app.OnMenuCommand(MenuCommand::ChooseValueFile);
    EXPECT_THAT(callsByTicks, ElementsAre(0u, 0u));
    EXPECT_EQ(view.Label, "A.psm");
}

} // namespace
} // namespace psm::test
