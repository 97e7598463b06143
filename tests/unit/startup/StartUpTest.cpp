// Start-up, window position and the end of the program.

#include "AppTestSupport.h"
#include "platform/FileRead.h"
#include "tables/BendValueLoader.h"

#include <filesystem>
#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using ::testing::Optional;

class StartUpTest : public AppFixture {};

TEST_F(StartUpTest, MissingValueFileIsReportedAndTheCadProgramIsNotContacted) {
    sim.OpenSheetMetal("A.psm", Row2);
    settings.Write("ORNA\\psm", "general", "filename", ""); // psm_mm.txt beside the program
    std::string captionUnderTheBox;
    boxes.WhileOpen = [&] { captionUnderTheBox = view.Caption; };
    Start();
    EXPECT_EQ(captionUnderTheBox, "ORNA  Raziv");
    EXPECT_EQ(state.ValueFilePath, "C:\\Tools\\psm\\psm_mm.txt");
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{"Pfad für Textdatei festlegen\r\nOptionen: Textdatei",
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Exclamation}));
    EXPECT_THAT(view.Items1, IsEmpty());
    EXPECT_EQ(view.Label, "");
    EXPECT_EQ(sim.CallCount(), 0u);

    Tick();
    EXPECT_EQ(sim.CallCount(), 0u) << "the watch stays idle without an attach";
    app.OnMouseDown(MouseButton::Right);
    EXPECT_EQ(view.Menus.size(), 1u);
}

TEST_F(StartUpTest, ValueFileTooLargeToHoldIsReportedLikeAMissingOne) {
    sim.OpenSheetMetal("A.psm", Row2);
    const std::string path = folder.Write("huge.txt", "Unit: mm\nBegin: Stahl\n");
    std::filesystem::resize_file(path, MaxValueFileBytes + 1); // sparse: nothing is allocated
    settings.Write("ORNA\\psm", "general", "filename", path);
    Start();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    EXPECT_EQ(boxes.Shown[0].Text, "Pfad für Textdatei festlegen\r\nOptionen: Textdatei");
    EXPECT_THAT(view.Items1, IsEmpty());
    Tick();
    app.OnMouseDown(MouseButton::Right);
    EXPECT_EQ(view.Menus.size(), 1u) << "another file can be chosen";
}

TEST_F(StartUpTest, CadProgramNotRunningShowsTheTablesAndNoDocument) {
    sim.Quit();
    Start();
    EXPECT_THAT(view.Items1, ElementsAre("Stahl", "Aluminium"));
    EXPECT_EQ(view.Selection1, -1);
    EXPECT_EQ(view.Label, "");
    EXPECT_FALSE(state.Document.CadRunning);
    const std::size_t calls = sim.CallCount();
    Tick();
    EXPECT_EQ(sim.CallCount(), calls);
    EXPECT_EQ(view.Ends, 0);
}

TEST_F(StartUpTest, CadProgramWithoutDocumentEndsAtTheFirstPoll) {
    Start();
    EXPECT_FALSE(state.Document.CadRunning);
    EXPECT_EQ(view.Ends, 0);
    Tick();
    EXPECT_EQ(view.Ends, 1);
}

TEST_F(StartUpTest, SheetMetalDocumentIsRecognisedWithItsTableAndType) {
    sim.OpenSheetMetal("A.psm", Row5);
    Start();
    EXPECT_EQ(view.Label, "A.psm");
    EXPECT_EQ(view.Selection1, 1);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
    EXPECT_EQ(view.Selection2, 1);
}

TEST_F(StartUpTest, StepsRunInOrderAndTheWindowIsShownOnce) {
    sim.OpenSheetMetal("A.psm", Row5);
    separator = ',';
    UseValueFile("Unit: mm\nBegin: T\nT1;2,5;1;0,4;3;2\nEnd:\n");
    Start();
    EXPECT_THAT(view.Journal, ElementsAre("on top", "normal", "caption ORNA  Raziv"));
    EXPECT_EQ(view.Shows, 1);
    EXPECT_EQ(view.TimerInterval, 100);
    EXPECT_EQ(state.DecimalSeparator, ',');
    EXPECT_EQ(state.Tables.Type(1).Value(SheetValue::Thickness), 2.5);
}

TEST_F(StartUpTest, AnUnknownUnitIsToldOncePerLineAndTicksMeanwhileWait) {
    sim.OpenSheetMetal("A.psm", Row5);
    UseValueFile(std::string("Unit: cm\nUnit: inch\n").append(WorkedExample));
    std::size_t ticked = 0;
    boxes.WhileOpen = [&] {
        const std::size_t calls = sim.CallCount();
        Tick();
        ticked += sim.CallCount() - calls;
    };
    Start();
    ASSERT_EQ(boxes.Shown.size(), 2u);
    EXPECT_EQ(boxes.Shown[0], (ShownBox{"Dimension in Textdatei eintragen", "ORNA Raziv",
                                        MessageButtons::Ok, MessageIcon::Exclamation}));
    EXPECT_EQ(ticked, 0u);
    EXPECT_THAT(view.Items2, ElementsAre("Al 1,5", "Al 2,0"));
}

class WindowPositionTest : public AppFixture {
  protected:
    TwipsRect StartWith(const std::string& top, const std::string& left) {
        settings.Write("ORNA\\psm", "general", "Top", top);
        settings.Write("ORNA\\psm", "general", "Left", left);
        sim.Quit();
        Start();
        return view.Rect;
    }
};

TEST_F(WindowPositionTest, StoredPositionIsAppliedAtTheFixedSize) {
    EXPECT_EQ(StartWith("1500", "3000.6"), (TwipsRect{3001, 1500, 3555, 2355}));
}

TEST_F(WindowPositionTest, EachEdgeIsAppliedOnlyWhenPositive) {
    EXPECT_EQ(StartWith("-15", "2000"), (TwipsRect{2000, 900, 3555, 2355}));
}

TEST_F(WindowPositionTest, MissingOrNonNumericValuesKeepThePlace) {
    EXPECT_EQ(StartWith("", "abc"), (TwipsRect{600, 900, 3555, 2355}));
}

TEST_F(WindowPositionTest, PositionOnNoMonitorIsNotApplied) {
    view.Monitors = {{0, 0, 28800, 16200}, {28800, 0, 28800, 16200}};
    EXPECT_EQ(StartWith("900", "60000"), (TwipsRect{600, 900, 3555, 2355}));
}

TEST_F(WindowPositionTest, PartlyVisiblePositionIsAppliedAsStored) {
    EXPECT_EQ(StartWith("16000", "28000"), (TwipsRect{28000, 16000, 3555, 2355}));
}

class ExitTest : public AppFixture {
  protected:
    void SetUp() override {
        sim.OpenSheetMetal("A.psm", Row2);
        Start();
        view.Rect = {1234, 567, 3555, 2355};
        info.Created = info.Shown = true;
    }
    void ExpectEnded() {
        EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Top"), "567");
        EXPECT_EQ(settings.Read("ORNA\\psm", "general", "Left"), "1234");
        EXPECT_EQ(state.Cad.CadApp, nullptr);
        EXPECT_EQ(state.Cad.ActiveDoc, nullptr);
        EXPECT_EQ(state.Variables.VariableTable, nullptr);
        EXPECT_FALSE(info.Created);
        EXPECT_EQ(view.Ends, 1);
        EXPECT_TRUE(app.Ended());
    }
};

TEST_F(ExitTest, ExitButtonStoresThePositionReleasesAndEnds) {
    Click(MainControl::ExitButton);
    ExpectEnded();
}

TEST_F(ExitTest, CloseBoxEndsTheSameWay) {
    app.OnCloseRequest();
    ExpectEnded();
}

TEST_F(ExitTest, UnexpectedFailureIsToldWithItsReportAndEndsTheOrderlyWay) {
    std::size_t ticksDuringTheBox = 0;
    boxes.WhileOpen = [&] {
        const std::size_t calls = sim.CallCount();
        Tick();
        ticksDuringTheBox += sim.CallCount() - calls;
    };
    app.OnUnexpectedFailure();
    const std::string report = folder.PathOf("psm-crash.txt");
    const std::string minidump = folder.PathOf("psm-crash.dmp");
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{"Unerwarteter Fehler, Programm wird beendet\r\n"
                                     "\r\nBericht für den Support:\r\n" +
                                         report + "\r\n" + minidump,
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Critical}));
    EXPECT_EQ(ReadFileBytes(minidump), "MDMP");
    EXPECT_THAT(ReadFileBytes(report),
                Optional(::testing::HasSubstr("Doing: waiting\r\nMinidump: " + minidump +
                                              "\r\nTrace: off, no CAD calls known\r\n")));
    EXPECT_EQ(ticksDuringTheBox, 0u) << "nothing runs on while the failure is told";
    ExpectEnded();
    app.OnUnexpectedFailure();
    EXPECT_EQ(boxes.Shown.size(), 1u);
}

TEST_F(ExitTest, NothingHappensAfterTheEnd) {
    Click(MainControl::ExitButton);
    const std::size_t calls = sim.CallCount();
    const std::size_t journal = view.Journal.size();
    sim.Activate(sim.OpenSheetMetal("B.psm", Row5).Name());
    Tick();
    Click(MainControl::ResetButton);
    app.OnMouseDown(MouseButton::Right);
    app.OnCloseRequest();
    EXPECT_EQ(sim.CallCount(), calls);
    EXPECT_EQ(view.Journal.size(), journal);
    EXPECT_THAT(view.Menus, IsEmpty());
    EXPECT_EQ(view.Ends, 1);
}

TEST_F(ExitTest, PollThatEndsTheProgramStopsAtOnce) {
    sim.CloseAll();
    Tick();
    ExpectEnded();
    EXPECT_EQ(view.Journal.back(), "end");
    const std::size_t calls = sim.CallCount();
    Tick();
    EXPECT_EQ(sim.CallCount(), calls);
}

} // namespace
} // namespace psm::test
