// The assembly survey as the user meets it: the window's rows, the report,
// the command line's exit code, a busy CAD program, the write into many parts
// and the sub-assemblies walked to any depth.

#include "AppTestSupport.h"
#include "platform/FileRead.h"
#include "survey/SurveyCommand.h"
#include "survey/SurveyTable.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
namespace code = sim::code;

class SurveyTest : public AppFixture {
  protected:
    // Frame.asm: Halter twice, Deckel (no type) and Winkel (Al 2,0) by name,
    // a blocked link, a plain part, a component of a third kind and a named
    // component without a part link.
    sim::Document& OpenFrame() {
        halter = sim.CreateSheetMetal("Halter.psm", Row2);
        deckel = sim.CreateSheetMetal("Deckel.psm", NoRow);
        winkel = sim.CreateSheetMetal("Winkel.psm", Row5);
        sim::Document& frame = sim.OpenDocument("Frame.asm", code::AssemblyDocument);
        frame.AddDirectComponent("Halter:1", halter);
        frame.AddDirectComponent("Deckel:1", deckel);
        frame.AddDirectComponent("Halter:2", halter);
        frame.AddNamedComponent("Winkel:1");
        frame.AddPartLink("Winkel:1", winkel);
        frame.AddDirectComponent("Gesperrt:1", sim.CreateSheetMetal("Gesperrt.psm", Row2), true);
        frame.AddDirectComponent("Welle:1", sim.CreateDocument("Welle.par", code::PartDocument));
        frame.AddComponent("Fremd:1", code::OtherComponent);
        frame.AddNamedComponent("Verloren:1");
        return frame;
    }
    // Opens the survey and lets its steps run to the end.
    void Survey() {
        app.OnMenuCommand(MenuCommand::CheckAssembly);
        StepToTheEnd();
    }
    // The write's steps, a slice of parts each, to its summary.
    void WriteToTheEnd() {
        for (int step = 0; step < 100 && state.Survey.Phase == SurveyPhase::Writing; ++step) {
            app.OnSurveyStep();
        }
    }
    void StepToTheEnd() {
        for (int step = 0; step < 100 && state.Survey.Phase == SurveyPhase::Reading; ++step) {
            app.OnSurveyStep();
        }
    }
    // Starts psm, surveys and chooses an aluminium type (0: Al 1,5, 1: Al 2,0).
    void SurveyAndChooseAluminium(int type) {
        Start();
        Survey();
        Choose(ListId::Tables, 1);
        Choose(ListId::Types, type);
    }
    std::vector<std::string> Column(SurveyColumn column) const {
        std::vector<std::string> cells;
        for (const SurveyRowModel& row : survey.Model.Rows) {
            cells.push_back(row.Cells[static_cast<std::size_t>(column)]);
        }
        return cells;
    }
    SurveyCommandResult RunCommandLine() {
        return RunSurveyCommand({settings, location, {}, '.', automation, waits});
    }

    // Top.asm uses Mid.asm twice and Halter; Mid.asm uses Kante thrice and
    // Sub.asm; Sub.asm uses Deckel (no type) and Halter.
    void OpenThreeLevels() {
        halter = sim.CreateSheetMetal("Halter.psm", Row2);
        deckel = sim.CreateSheetMetal("Deckel.psm", NoRow);
        kante = sim.CreateSheetMetal("Kante.psm", Row5);
        sub = sim.CreateDocument("Sub.asm", code::AssemblyDocument);
        sub->AddDirectComponent("Deckel:1", deckel);
        sub->AddDirectComponent("Halter:1", halter);
        const auto mid = sim.CreateDocument("Mid.asm", code::AssemblyDocument);
        for (const char* name : {"Kante:1", "Kante:2", "Kante:3"}) {
            mid->AddDirectComponent(name, kante);
        }
        mid->AddDirectComponent("Sub:1", sub);
        sim::Document& top = sim.OpenDocument("Top.asm", code::AssemblyDocument);
        top.AddDirectComponent("Mid:1", mid);
        top.AddDirectComponent("Mid:2", mid);
        top.AddDirectComponent("Halter:1", halter);
    }
    std::size_t RowOf(const std::string& name) const {
        const std::vector<std::string> names = Column(SurveyColumn::File);
        return static_cast<std::size_t>(std::find(names.begin(), names.end(), name) -
                                        names.begin());
    }

    std::shared_ptr<sim::Document> halter, deckel, winkel, kante, sub;
};

TEST_F(SurveyTest, AnAssemblyListsEveryPartOnceWithItsTypeOrTheNearestAndItsLinks) {
    OpenFrame();
    Start();
    Survey();
    const SurveyViewModel& model = survey.Model;
    EXPECT_EQ(survey.Opens, 1);
    EXPECT_EQ(model.Caption, "Baugruppe prüfen: Frame.asm");
    EXPECT_EQ(model.Progress, "fertig: 7 von 7");
    EXPECT_THAT(Column(SurveyColumn::File),
                ElementsAre("Halter.psm", "Deckel.psm", "Winkel.psm", "Gesperrt:1", "Welle.par",
                            "Fremd:1", "Verloren:1"));
    EXPECT_THAT(Column(SurveyColumn::Count), ElementsAre("2", "1", "1", "1", "1", "1", "1"));
    EXPECT_THAT(Column(SurveyColumn::SheetMetal),
                ElementsAre("ja", "ja", "ja", "Verknüpfung gesperrt", "nein", "kein Teil",
                            "Verknüpfung fehlt"));
    EXPECT_THAT(Column(SurveyColumn::Type), ElementsAre("St 1,5", "–", "Al 2,0", "", "", "", ""));
    EXPECT_THAT(Column(SurveyColumn::Table).front(), "Stahl");
    EXPECT_EQ(model.Rows[0].Cells[static_cast<std::size_t>(SurveyColumn::Thickness)], "1.5");
    EXPECT_EQ(model.Rows[0].Cells[static_cast<std::size_t>(SurveyColumn::Features)], "in Ordnung");
    EXPECT_EQ(model.Columns[static_cast<std::size_t>(SurveyColumn::Thickness)], "Blechstärke (mm)");
    EXPECT_TRUE(model.RightAligned[static_cast<std::size_t>(SurveyColumn::Thickness)]);
    EXPECT_FALSE(model.RightAligned[static_cast<std::size_t>(SurveyColumn::Type)]);
    EXPECT_EQ(model.Columns[static_cast<std::size_t>(SurveyColumn::NeutralFactor)],
              "Neutralfaktor");
    EXPECT_TRUE(model.Rows[0].Checkable);
    EXPECT_FALSE(model.Rows[3].Checkable);
    EXPECT_FALSE(model.Rows[4].Checkable);
    // The main window is untouched: an assembly of several components shows no part.
    EXPECT_EQ(view.Label, "");
    EXPECT_EQ(sim.VariableWrites().size(), 0u);

    // Sorted by thickness, then the other way round; a check box follows its part.
    app.OnSurveySort(static_cast<int>(SurveyColumn::Thickness));
    app.OnSurveySort(static_cast<int>(SurveyColumn::Thickness));
    EXPECT_EQ(Column(SurveyColumn::File).front(), "Deckel.psm");
    app.OnSurveyChecked(survey.Model.Rows[0].Part, true);
    EXPECT_TRUE(state.Survey.Parts[1].Checked);
    app.OnSurveyChecked(survey.Model.Rows[3].Part, true); // the plain part cannot be checked
    EXPECT_EQ(std::count_if(state.Survey.Parts.begin(), state.Survey.Parts.end(),
                            [](const SurveyPart& part) { return part.Checked; }),
              1);
}

TEST_F(SurveyTest, TheReportIsTheTableTabSeparatedAndTheCommandLineTellsOfPartsOffTheFile) {
    OpenFrame();
    Start();
    Survey();
    app.OnSurveyCommand(SurveyCommand::Copy);
    const std::string& report = survey.Clipboard;
    EXPECT_THAT(report,
                ::testing::StartsWith(
                    "Datei\tAnzahl\tBaugruppe\tBlech\tTabelle\tBlechtyp\tnächster Blechtyp\tWerte "
                    "anders\tBlechstärke (mm)\tBiegeradius (mm)\tNeutralfaktor\t"
                    "Ausklinkungstiefe (mm)\tAusklinkungsbreite (mm)\tFeatures\r\n"));
    EXPECT_THAT(report,
                HasSubstr("\r\nHalter.psm\t2\tFrame.asm\tja\tStahl\tSt 1,5\t\t\t1.5\t1.5\t0.44\t2.5"
                          "\t1.5\tin Ordnung\r\n"));
    EXPECT_THAT(
        report,
        HasSubstr("\r\nGesperrt:1\t1\tFrame.asm\tVerknüpfung gesperrt\t\t\t\t\t\t\t\t\t\t\r\n"));
    EXPECT_EQ(std::count(report.begin(), report.end(), '\n'), 8);

    // The command line prints the same table; Deckel carries no type, and a
    // component leads nowhere.
    const SurveyCommandResult missing = RunCommandLine();
    EXPECT_EQ(missing.Output, report);
    EXPECT_EQ(missing.ExitCode, 2);
    sim.Find("Frame.asm")->RemoveComponent("Verloren:1");
    EXPECT_EQ(RunCommandLine().ExitCode, 1);
    sim.Find("Frame.asm")->RemoveComponent("Deckel:1");
    EXPECT_EQ(RunCommandLine().ExitCode, 0);
    // A sheet-metal document active instead: the table holds that one.
    sim.OpenSheetMetal("Einzeln.psm", Row5);
    const SurveyCommandResult single = RunCommandLine();
    EXPECT_EQ(single.ExitCode, 0);
    EXPECT_THAT(single.Output, HasSubstr("\r\nEinzeln.psm\t1\t\tja\tAluminium\tAl 2,0\t"));
    EXPECT_EQ(std::count(single.Output.begin(), single.Output.end(), '\n'), 2);
    sim.Quit();
    const SurveyCommandResult gone = RunCommandLine();
    EXPECT_EQ(gone.ExitCode, 2);
    EXPECT_EQ(gone.Output, "Solid Edge ist nicht erreichbar.\r\n");
}

TEST_F(SurveyTest, ABusyProgramPausesTheSurveyWithoutWaitingAndCancelStopsIt) {
    OpenFrame();
    Start();
    app.OnMenuCommand(MenuCommand::CheckAssembly);
    sim.BeBusyFrom(sim::CallMatch::Member("Formula"), 6, std::chrono::milliseconds(2000));
    app.OnSurveyStep(); // the walk of the tree
    EXPECT_EQ(survey.Model.Progress, "0 von 7");
    app.OnSurveyStep();
    EXPECT_EQ(survey.Model.Progress, "1 von 7 – Solid Edge antwortet nicht, die Prüfung wartet");
    EXPECT_EQ(survey.Steps.back(), 500);
    EXPECT_EQ(clock.Sleeps, 0) << "a step never waits";
    clock.Time += std::chrono::milliseconds(2000);
    app.OnSurveyStep();
    EXPECT_EQ(state.Survey.Phase, SurveyPhase::Done);
    EXPECT_EQ(survey.Model.Rows[1].Cells[static_cast<std::size_t>(SurveyColumn::Type)], "–");

    app.OnSurveyCommand(SurveyCommand::Refresh);
    app.OnSurveyStep(); // the walk of the tree
    app.OnSurveyCommand(SurveyCommand::Cancel);
    EXPECT_EQ(survey.Model.Progress, "abgebrochen: 0 von 7");
    EXPECT_FALSE(survey.Model.CanCancel);
}

TEST_F(SurveyTest, SetToStandardWritesEachPartItsOwnNearestTypeAndLeavesTheOthers) {
    // After a standard changed: Halter one value off St 1,5, Kante (inside
    // the sub-assemblies) one off Al 2,0, Deckel near no type, Winkel of a type.
    sim::SheetMetalValues offSteel = Row2;
    offSteel.NeutralFactor = 0.45;
    sim::SheetMetalValues offAluminium = Row5;
    offAluminium.BendRadius = 0.0028;
    halter = sim.CreateSheetMetal("Halter.psm", offSteel);
    kante = sim.CreateSheetMetal("Kante.psm", offAluminium);
    deckel = sim.CreateSheetMetal("Deckel.psm", NoRow);
    winkel = sim.CreateSheetMetal("Winkel.psm", Row5);
    sub = sim.CreateDocument("Sub.asm", code::AssemblyDocument);
    sub->AddDirectComponent("Kante:1", kante);
    sub->AddDirectComponent("Deckel:1", deckel);
    sim::Document& top = sim.OpenDocument("Top.asm", code::AssemblyDocument);
    top.AddDirectComponent("Sub:1", sub);
    top.AddDirectComponent("Halter:1", halter);
    top.AddDirectComponent("Winkel:1", winkel);
    Start();
    Survey();
    for (SurveyPart& part : state.Survey.Parts) {
        part.Checked = part.Kind == PartKind::SheetMetal;
    }
    EXPECT_TRUE(survey.Model.CanWrite == false && state.ChosenTypeRow() == 0)
        << "no type chosen in the main window: the write is grey";
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::SetToStandard);
    WriteToTheEnd();

    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0].Text, "2 Teile auf ihren nächsten Blechtyp setzen?\r\n"
                                   "    St 1,5: 1\r\n    Al 2,0: 1\r\n\r\n"
                                   "Schon mit Blechtyp, belassen: 1\r\n    Winkel.psm\r\n"
                                   "Ohne nächsten Blechtyp, belassen: 1\r\n    Deckel.psm");
    EXPECT_EQ(boxes.Shown[1].Text,
              "Geschrieben: 2\r\n    Kante.psm (Al 2,0)\r\n    Halter.psm (St 1,5)\r\n"
              "Schon ihr nächster Blechtyp: 0\r\nNicht geschrieben: 0\r\n"
              "Schon mit Blechtyp, belassen: 1\r\n    Winkel.psm\r\n"
              "Ohne nächsten Blechtyp, belassen: 1\r\n    Deckel.psm");
    EXPECT_EQ(halter->SheetMetal(), Row2);
    EXPECT_EQ(kante->SheetMetal(), Row5);
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
    EXPECT_EQ(winkel->SheetMetal(), Row5);
    const std::string journal = ReadFileBytes(JournalFile()).value_or("");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 3) << "the header and two lines";
}

TEST_F(SurveyTest, WritingManyPartsPutsTheTypeWholeIntoEachAndWritesBackTheFailingOnYes) {
    OpenFrame();
    halter->AddFeature("Flansch 2")
        .FailWhen(std::string(sim::variable::BendRadius),
                  [](double radius) { return radius > 0.0025; });
    deckel->AddFeature("Ausschnitt 1").SetBaseStatus(code::StatusWarned);
    SurveyAndChooseAluminium(1); // Al 2,0, radius 3 mm
    for (int part = 0; part < 3; ++part) {
        state.Survey.Parts[static_cast<std::size_t>(part)].Checked = true;
    }
    boxes.Answers = {MessageAnswer::Ok, MessageAnswer::Yes};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();

    ASSERT_EQ(boxes.Shown.size(), 3u);
    EXPECT_EQ(boxes.Shown[0].Text, "Blechtyp Al 2,0 in 3 Teile schreiben?");
    EXPECT_EQ(boxes.Shown[1].Text,
              "Geschrieben: 1\r\n    Halter.psm\r\nSchon Blechtyp Al 2,0: 1\r\n    Winkel.psm\r\n"
              "Nicht geschrieben: 1\r\n"
              "    Deckel.psm: Features schon vorher fehlerhaft\r\n\r\n"
              "Nach dem Schreiben fehlerhaft:\r\n    Halter.psm:\r\nFehler bei:  Flansch 2\r\n\r\n"
              "Die früheren Werte dieser Teile zurückschreiben?");
    EXPECT_EQ(boxes.Shown[2].Text, "Zurückgeschrieben: 1\r\n    Halter.psm");
    // Halter is back as it was; Deckel was never written; Winkel was Al 2,0 already.
    EXPECT_EQ(halter->SheetMetal(), Row2);
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
    EXPECT_EQ(winkel->SheetMetal(), Row5);
    for (const auto& write : sim.VariableWrites()) {
        EXPECT_EQ(write.Document, "Halter.psm") << "nothing written into another part";
        EXPECT_TRUE(write.HoldRecompute) << "the recompute is held around each part";
    }
    EXPECT_EQ(sim.Find("Frame.asm")->ViewUpdates(), 2) << "one redraw after each round";
    // A line for each change: the write and the write back.
    const std::string journal = ReadFileBytes(JournalFile()).value_or("");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 3);
    EXPECT_THAT(journal, HasSubstr("\tgeschrieben\tStahl\tSt 1,5\tAluminium\tAl 2,0\t"));
    EXPECT_THAT(journal, HasSubstr("\tzurückgeschrieben\tAluminium\tAl 2,0\tStahl\tSt 1,5\t"));
    // The survey reads the parts again.
    EXPECT_EQ(state.Survey.Phase, SurveyPhase::Reading);
}

TEST_F(SurveyTest, AWindowClosedDuringTheWriteQuestionLetsItsPartsGoOnlyAfterTheWrite) {
    OpenFrame();
    SurveyAndChooseAluminium(1); // Al 2,0
    state.Survey.Parts[0].Checked = state.Survey.Parts[1].Checked = true;
    boxes.Answers = {MessageAnswer::Ok};
    bool inputDuringTheQuestion = true;
    boxes.WhileOpen = [&] {
        boxes.WhileOpen = nullptr;
        inputDuringTheQuestion = survey.InputEnabled;
        app.OnSurveyClosed();
        EXPECT_TRUE(state.Survey.Open);
        EXPECT_EQ(state.Survey.Parts.size(), 7u) << "the write still works on them";
    };
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    EXPECT_FALSE(inputDuringTheQuestion);
    EXPECT_TRUE(survey.InputEnabled);
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_THAT(boxes.Shown[1].Text, ::testing::StartsWith("Geschrieben: 2\r\n"));
    EXPECT_EQ(halter->SheetMetal(), Row5);
    EXPECT_EQ(deckel->SheetMetal(), Row5);
    EXPECT_FALSE(sim.HoldRecompute());
    EXPECT_FALSE(state.Survey.Open) << "closed once the write has ended";
    EXPECT_TRUE(state.Survey.Parts.empty());
}

TEST_F(SurveyTest, TheWriteRunsASliceOfPartsPerStepAndCancelLeavesTheRestUntried) {
    OpenFrame();
    // Checking Halter's features takes a whole slice of time.
    halter->AddFeature("Flansch 1").FailWhen(std::string(sim::variable::BendRadius), [&](double) {
        clock.Time += std::chrono::milliseconds(150);
        return false;
    });
    SurveyAndChooseAluminium(1); // Al 2,0
    state.Survey.Parts[0].Checked = state.Survey.Parts[1].Checked = true;
    boxes.Answers = {MessageAnswer::Ok, MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    app.OnSurveyStep();
    EXPECT_EQ(survey.Model.Progress, "Schreiben: 1 von 2");
    EXPECT_TRUE(survey.Model.CanCancel);
    EXPECT_FALSE(survey.Model.CanWrite);
    EXPECT_EQ(halter->SheetMetal(), Row5);
    EXPECT_EQ(deckel->SheetMetal(), NoRow) << "the next slice's part";

    app.OnSurveyCommand(SurveyCommand::Cancel);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text,
              "Geschrieben: 1\r\n    Halter.psm\r\nSchon Blechtyp Al 2,0: 0\r\n"
              "Nicht geschrieben: 1\r\n    Deckel.psm: nicht mehr versucht");
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
    const std::string journal = ReadFileBytes(JournalFile()).value_or("");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), '\n'), 2)
        << "the header and Halter's line";
}

TEST_F(SurveyTest, AProgramBusyInTheMiddleStopsTheWriteAndTheTicksPutThePartBack) {
    OpenFrame();
    SurveyAndChooseAluminium(1); // Al 2,0
    state.Survey.Parts[0].Checked = state.Survey.Parts[1].Checked = true;
    // Halter's third put meets a program busy for a minute.
    sim.BeBusyFrom(*sim::CallMatch::Parse("put VariableValue"), 3, std::chrono::minutes(1));
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_THAT(boxes.Shown[1].Text,
                ::testing::StartsWith("Geschrieben: 0\r\nSchon Blechtyp Al 2,0: 0\r\n"
                                      "Nicht geschrieben: 2\r\n"
                                      "    Halter.psm: Solid Edge antwortet nicht\r\n"
                                      "    Deckel.psm: nicht mehr versucht\r\n\r\n"
                                      "Solid Edge antwortet nicht"));
    EXPECT_NE(halter->SheetMetal(), Row2) << "two values wait to be put back";
    clock.Time += std::chrono::minutes(1);
    Tick();
    EXPECT_EQ(halter->SheetMetal(), Row2);
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
    EXPECT_FALSE(sim.HoldRecompute());
}

TEST_F(SurveyTest, APartGoneOrWithoutAReadableTypeIsSaidSoAndTheSurveyGoesOn) {
    OpenFrame();
    Start();
    halter->MarkClosed(); // closed, and the walk of the tree meets it all the same
    app.OnMenuCommand(MenuCommand::CheckAssembly);
    app.OnSurveyStep(); // the walk of the tree
    sim.FailWhen(sim::CallMatch::Member("Type").On("doc:Deckel.psm"));
    StepToTheEnd();
    EXPECT_EQ(state.Survey.Phase, SurveyPhase::Done) << "a part that is gone is not waited for";
    EXPECT_EQ(Column(SurveyColumn::SheetMetal)[0], "nicht erreichbar");
    EXPECT_EQ(Column(SurveyColumn::SheetMetal)[1], "nicht gelesen");
    EXPECT_FALSE(survey.Model.Rows[0].Checkable);
    EXPECT_FALSE(survey.Model.Rows[1].Checkable);
    EXPECT_EQ(RunCommandLine().ExitCode, 2)
        << "a part psm could not read is no part of the standard";
}

TEST_F(SurveyTest, TheWriteLeavesAPartNoLongerInTheAssemblyAndGoesOnPastOneThatIsGone) {
    sim::Document& frame = OpenFrame();
    SurveyAndChooseAluminium(0); // Al 1,5
    for (int part = 0; part < 3; ++part) {
        state.Survey.Parts[static_cast<std::size_t>(part)].Checked = true;
    }
    // After the survey: Deckel's component is deleted, Halter is closed.
    frame.RemoveComponent("Deckel:1");
    halter->MarkClosed();
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();

    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text, "Geschrieben: 1\r\n    Winkel.psm\r\n"
                                   "Schon Blechtyp Al 1,5: 0\r\n"
                                   "Nicht geschrieben: 2\r\n"
                                   "    Halter.psm: nicht erreichbar\r\n"
                                   "    Deckel.psm: nicht mehr in der Baugruppe");
    for (const auto& write : sim.VariableWrites()) {
        EXPECT_EQ(write.Document, "Winkel.psm") << "nothing written into another part";
    }
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
}

TEST_F(SurveyTest, OnlyATypeTheUserChoseIsWritten) {
    OpenFrame();
    sim.Activate("Frame.asm");
    Start();
    Survey();
    state.Survey.Parts[1].Checked = true;
    EXPECT_FALSE(survey.Model.CanWrite);
    EXPECT_EQ(survey.Model.ChosenType, "Blechtyp zum Schreiben: im Hauptfenster keiner gewählt");
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Im Hauptfenster ist kein Blechtyp gewählt.");
    EXPECT_TRUE(sim.VariableWrites().empty());
}

TEST_F(SurveyTest, APartLeftWithValuesOfTwoTypesIsToBeChecked) {
    OpenFrame();
    Start();
    Survey();
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1);             // Al 2,0
    state.Survey.Parts[1].Checked = true; // Deckel
    // From the third put on, every put is refused: the put-backs too.
    sim.FailWhen(*sim::CallMatch::Parse("put VariableValue"), sim::Simulator::DefaultFault(), -1,
                 2);
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_THAT(boxes.Shown[1].Text,
                HasSubstr("    Deckel.psm: Werte beider Blechtypen: Raziv in Solid Edge Sheet "
                          "Metal überprüfen"));
}

TEST_F(SurveyTest, AFeatureCheckCutShortAfterTheWriteIsNeverHealthy) {
    OpenFrame();
    halter->AddFeature("Flansch 2");
    SurveyAndChooseAluminium(1); // Al 2,0
    state.Survey.Parts[0].Checked = true;
    // The check after the write meets a program busy beyond the command's wait.
    sim.BeBusyFrom(sim::CallMatch::Member("Status"), 2, std::chrono::seconds(9));
    boxes.Answers = {MessageAnswer::Ok, MessageAnswer::No};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();

    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text, "Geschrieben: 0\r\nSchon Blechtyp Al 2,0: 0\r\n"
                                   "Geschrieben, Features nicht geprüft: 1\r\n    Halter.psm\r\n"
                                   "Nicht geschrieben: 0\r\n\r\n"
                                   "Die früheren Werte dieser Teile zurückschreiben?");
    EXPECT_EQ(halter->SheetMetal(), Row5);
    const std::string journal = ReadFileBytes(JournalFile()).value_or("");
    EXPECT_THAT(journal, HasSubstr("Halter.psm\tgeschrieben\t"));
    EXPECT_THAT(journal, ::testing::EndsWith("\tnicht geprüft\t\t\r\n"));
}

// The main window's write and the survey's are one operation: the same part
// and type give the same puts, the same journal line and the same part.
TEST_F(SurveyTest, TheMainWriteAndTheSurveysWriteAreOneOperation) {
    const auto part = sim.CreateSheetMetal("Knoten.psm", Row2);
    part->AddFeature("Flansch 1")
        .FailWhen(std::string(sim::variable::BendRadius),
                  [](double radius) { return radius > 0.0025; });
    sim.OpenDocument("Gestell.asm", code::AssemblyDocument).AddDirectComponent("Knoten:1", part);
    Start();
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1); // Al 2,0
    const auto puts = [this](std::size_t from) {
        std::vector<std::string> lines;
        const auto& all = sim.VariableWrites();
        for (std::size_t i = from; i < all.size(); ++i) {
            lines.push_back(all[i].Document + " " + all[i].Variable + "=" +
                            std::to_string(all[i].Value) + (all[i].HoldRecompute ? " held" : ""));
        }
        return lines;
    };
    // The journal's lines without their time.
    const auto lines = [this] {
        std::vector<std::string> cells;
        const std::string journal = ReadFileBytes(JournalFile()).value_or("");
        for (std::size_t at = journal.find('\n'); at != std::string::npos;) {
            const std::size_t next = journal.find('\n', at + 1);
            const std::string line = journal.substr(at + 1, next - at - 1);
            if (!line.empty()) {
                cells.push_back(line.substr(line.find('\t')));
            }
            at = next;
        }
        return cells;
    };

    boxes.Answers = {MessageAnswer::No}; // keep the new values
    Click(MainControl::WriteButton);
    const std::vector<std::string> mainPuts = puts(0);
    const sim::SheetMetalValues mainValues = part->SheetMetal();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_THAT(boxes.Shown[0].Text, HasSubstr("Fehler bei:  Flansch 1"));
    Click(MainControl::ResetButton);
    ASSERT_EQ(part->SheetMetal(), Row2);
    Choose(ListId::Tables, 1);
    Choose(ListId::Types, 1); // Al 2,0 again: the reset showed the part's own type

    const std::size_t surveyFrom = sim.VariableWrites().size();
    Survey();
    state.Survey.Parts[0].Checked = true;
    boxes.Answers = {MessageAnswer::Ok, MessageAnswer::No};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 3u);
    EXPECT_THAT(boxes.Shown[2].Text, HasSubstr("    Knoten.psm:\r\nFehler bei:  Flansch 1"));

    EXPECT_EQ(puts(surveyFrom), mainPuts);
    EXPECT_EQ(part->SheetMetal(), mainValues);
    const std::vector<std::string> journal = lines();
    ASSERT_EQ(journal.size(), 3u); // written, reset, written
    EXPECT_EQ(journal[2], journal[0]);
}

TEST_F(SurveyTest, ASummaryNamesTenPartsUnderAHeadingAndCountsTheRest) {
    sim::Document& big = sim.OpenDocument("Regal.asm", code::AssemblyDocument);
    for (int i = 1; i <= 12; ++i) {
        const std::string name = "Boden" + std::to_string(i);
        big.AddDirectComponent(name + ":1", sim.CreateSheetMetal(name + ".psm", Row2));
    }
    SurveyAndChooseAluminium(1); // Al 2,0
    for (SurveyPart& part : state.Survey.Parts) {
        part.Checked = true;
    }
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_THAT(boxes.Shown[1].Text,
                ::testing::StartsWith("Geschrieben: 12\r\n    Boden1.psm\r\n    Boden2.psm\r\n"));
    EXPECT_THAT(boxes.Shown[1].Text,
                HasSubstr("    Boden10.psm\r\n    und 2 weitere\r\nSchon Blechtyp Al 2,0: 0"));
}

TEST_F(SurveyTest, SubAssembliesAreWalkedWithTheirUsesMultipliedAndTheirOwnRows) {
    OpenThreeLevels();
    Start();
    Survey();
    EXPECT_EQ(survey.Model.Progress, "fertig: 5 von 5");
    EXPECT_THAT(Column(SurveyColumn::File),
                ElementsAre("Mid.asm", "Kante.psm", "Sub.asm", "Deckel.psm", "Halter.psm"));
    EXPECT_THAT(Column(SurveyColumn::Count), ElementsAre("2", "6", "2", "2", "3"));
    EXPECT_THAT(Column(SurveyColumn::Assemblies),
                ElementsAre("Top.asm", "Mid.asm", "Mid.asm", "Sub.asm", "Sub.asm, Top.asm"));
    EXPECT_THAT(Column(SurveyColumn::SheetMetal),
                ElementsAre("Baugruppe", "ja", "Baugruppe", "ja", "ja"));
    EXPECT_EQ(survey.Model.Columns[static_cast<std::size_t>(SurveyColumn::Assemblies)],
              "Baugruppe");
    EXPECT_THAT(Column(SurveyColumn::Type), ElementsAre("", "Al 2,0", "", "–", "St 1,5"));
    // A sub-assembly has no check box and takes no check.
    EXPECT_FALSE(survey.Model.Rows[RowOf("Sub.asm")].Checkable);
    EXPECT_TRUE(survey.Model.Rows[RowOf("Deckel.psm")].Checkable);
    app.OnSurveyChecked(survey.Model.Rows[RowOf("Mid.asm")].Part, true);
    EXPECT_FALSE(state.Survey.Parts[survey.Model.Rows[RowOf("Mid.asm")].Part].Checked);
    EXPECT_FALSE(survey.Model.Rows[RowOf("Mid.asm")].Checked);

    // Deckel, two levels down, carries no type; without it every part does.
    EXPECT_EQ(RunCommandLine().ExitCode, 1);
    EXPECT_THAT(RunCommandLine().Output, HasSubstr("\r\nKante.psm\t6\tMid.asm\tja\t"));
    sub->RemoveComponent("Deckel:1");
    EXPECT_EQ(RunCommandLine().ExitCode, 0);
}

TEST_F(SurveyTest, TheWriteReachesPartsInSubAssembliesThatStillUseThem) {
    OpenThreeLevels();
    SurveyAndChooseAluminium(0); // Al 1,5
    for (const char* name : {"Kante.psm", "Deckel.psm", "Halter.psm"}) {
        app.OnSurveyChecked(survey.Model.Rows[RowOf(name)].Part, true);
    }
    // Deckel's only component is deleted; Halter keeps one in Top.asm.
    sub->RemoveComponent("Deckel:1");
    sub->RemoveComponent("Halter:1");
    boxes.Answers = {MessageAnswer::Ok};
    app.OnSurveyCommand(SurveyCommand::Write);
    WriteToTheEnd();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[1].Text, "Geschrieben: 2\r\n    Kante.psm\r\n    Halter.psm\r\n"
                                   "Schon Blechtyp Al 1,5: 0\r\n"
                                   "Nicht geschrieben: 1\r\n"
                                   "    Deckel.psm: nicht mehr in der Baugruppe");
    EXPECT_EQ(deckel->SheetMetal(), NoRow);
    EXPECT_EQ(kante->SheetMetal(), halter->SheetMetal());
}

TEST_F(SurveyTest, CancelInTheMiddleOfTheWalkStopsItAndListsNothing) {
    OpenThreeLevels();
    Start();
    app.OnMenuCommand(MenuCommand::CheckAssembly);
    sim.BeBusyFrom(sim::CallMatch::Member("ComponentCount"), 2, std::chrono::milliseconds(2000));
    app.OnSurveyStep();
    const std::size_t steps = survey.Steps.size();
    app.OnSurveyCommand(SurveyCommand::Cancel);
    EXPECT_EQ(state.Survey.Phase, SurveyPhase::Cancelled);
    EXPECT_FALSE(state.Survey.Tree.has_value()) << "the walk is let go";
    app.OnSurveyStep();
    EXPECT_EQ(survey.Steps.size(), steps) << "no step is asked for any more";
    EXPECT_TRUE(state.Survey.Parts.empty());
}

TEST_F(SurveyTest, TheWalkTellsItsProgressWaitsForABusyProgramAndMarksAnAssemblyInItself) {
    OpenThreeLevels();
    sub->AddDirectComponent("Sub:1", sub);
    Start();
    app.OnMenuCommand(MenuCommand::CheckAssembly);
    // Mid.asm's component set meets a busy program.
    sim.BeBusyFrom(sim::CallMatch::Member("ComponentCount"), 2, std::chrono::milliseconds(2000));
    app.OnSurveyStep();
    EXPECT_EQ(survey.Model.Progress,
              "0 von 3 Komponenten – Solid Edge antwortet nicht, die Prüfung wartet");
    EXPECT_EQ(survey.Steps.back(), 500);
    EXPECT_EQ(clock.Sleeps, 0) << "a step never waits";
    EXPECT_TRUE(survey.Model.CanCancel);
    clock.Time += std::chrono::milliseconds(2000);
    StepToTheEnd();
    EXPECT_EQ(survey.Model.Progress, "fertig: 5 von 5");
    EXPECT_EQ(
        survey.Model.Rows[RowOf("Sub.asm")].Cells[static_cast<std::size_t>(SurveyColumn::Features)],
        "enthält sich selbst");
    EXPECT_EQ(Column(SurveyColumn::Count)[RowOf("Sub.asm")], "2")
        << "a use inside itself is not counted";
}

TEST_F(SurveyTest, AnAssemblyTooDeepAndAComponentOutOfReachAreSaidSoAndNotOfTheStandard) {
    sim::Document& top = sim.OpenDocument("Top.asm", code::AssemblyDocument);
    top.AddDirectComponent("Halter:1", sim.CreateSheetMetal("Halter.psm", Row2));
    top.AddDirectComponent("Kante:1", sim.CreateSheetMetal("Kante.psm", Row5));
    sim::Document* above = &top;
    for (int level = 1; level <= cad::MaxTreeLevel + 1; ++level) {
        const auto next = sim.CreateDocument(sim::Concat({"L", std::to_string(level), ".asm"}),
                                             code::AssemblyDocument);
        above->AddDirectComponent("L:1", next);
        above = next.get();
    }
    above->AddDirectComponent("Tief:1", sim.CreateSheetMetal("Tief.psm", Row2));
    Start();
    EXPECT_EQ(RunCommandLine().ExitCode, 2) << "the parts below the deepest level are unknown";
    // Kante's component cannot be reached by its index.
    sim.FailWhen(sim::CallMatch::Member(0).On("doc:Top.asm/Components"),
                 sim::Simulator::DefaultFault(), 1, 1);
    Survey();
    const std::string deepest = sim::Concat({"L", std::to_string(cad::MaxTreeLevel + 1), ".asm"});
    EXPECT_EQ(
        survey.Model.Rows[RowOf(deepest)].Cells[static_cast<std::size_t>(SurveyColumn::Features)],
        "tiefer als 64 Ebenen");
    EXPECT_EQ(RowOf("Tief.psm"), survey.Model.Rows.size()) << "not walked";
    EXPECT_EQ(RowOf("Kante.psm"), survey.Model.Rows.size());
    EXPECT_THAT(Column(SurveyColumn::SheetMetal), ::testing::Contains("nicht erreichbar"));
}

TEST_F(SurveyTest, APartInManyAssembliesNamesThreeAndCountsTheRest) {
    const auto part = sim.CreateSheetMetal("Boden.psm", Row2);
    sim::Document& top = sim.OpenDocument("Regal.asm", code::AssemblyDocument);
    for (int i = 1; i <= 5; ++i) {
        const auto shelf =
            sim.CreateDocument("Fach" + std::to_string(i) + ".asm", code::AssemblyDocument);
        shelf->AddDirectComponent("Boden:1", part);
        top.AddDirectComponent("Fach:" + std::to_string(i), shelf);
    }
    Start();
    Survey();
    EXPECT_EQ(Column(SurveyColumn::Assemblies)[RowOf("Boden.psm")],
              "Fach1.asm, Fach2.asm, Fach3.asm +2");
    EXPECT_EQ(Column(SurveyColumn::Count)[RowOf("Boden.psm")], "5");
}

} // namespace
} // namespace psm::test
