// The write command and its questions, checked in the simulated document's
// variables (metres), not only in the window.

#include "EndToEnd_win32.h"

#include <chrono>
#include <cmath>

namespace psm::e2e {
namespace {

struct Five {
    double Thickness, Radius, Factor, ReliefLength, ReliefWidth;
};

constexpr Five St10{0.001, 0.001, 0.42, 0.002, 0.001};
constexpr Five St15{0.0015, 0.0015, 0.43, 0.003, 0.0015};
constexpr Five St20{0.002, 0.002, 0.44, 0.004, 0.002};
constexpr Five Al10{0.001, 0.0015, 0.38, 0.002, 0.001};
constexpr Five Al20{0.002, 0.003, 0.4, 0.004, 0.002};

class Apply : public EndToEnd {
  protected:
    // The document's five values, read through its markers.
    Five Values(const std::string& document) {
        return {simcad.SheetMetalValue(document, 1), simcad.SheetMetalValue(document, 2),
                simcad.SheetMetalValue(document, 3), simcad.SheetMetalValue(document, 4),
                simcad.SheetMetalValue(document, 5)};
    }
    static bool Same(const Five& a, const Five& b) {
        const auto close = [](double x, double y) { return std::fabs(x - y) < 1e-12; };
        return close(a.Thickness, b.Thickness) && close(a.Radius, b.Radius) &&
               close(a.Factor, b.Factor) && close(a.ReliefLength, b.ReliefLength) &&
               close(a.ReliefWidth, b.ReliefWidth);
    }
    ::testing::AssertionResult Holds(const std::string& document, const Five& expected) {
        const Five seen = Values(document);
        if (Same(seen, expected)) {
            return ::testing::AssertionSuccess();
        }
        return ::testing::AssertionFailure()
               << document << " holds " << seen.Thickness << " " << seen.Radius << " "
               << seen.Factor << " " << seen.ReliefLength << " " << seen.ReliefWidth;
    }
    bool WaitForValues(const std::string& document, const Five& expected) {
        return WaitUntil([&] { return Same(Values(document), expected); }, NoticeMs);
    }
    // The user chooses a type of the shown table and clicks the write button.
    void ChooseAndWrite(int typeIndex) {
        psm.Choose(MainControl::TypeList, typeIndex);
        WaitUntil([] { return false; }, 200);
        psm.Click(MainControl::WriteButton);
    }
    std::optional<MessageBoxSeen> Box() { return psm.WaitForMessageBox(NoticeMs); }
};

TEST_F(Apply, CleanFeaturesTakeTheValuesWithoutAQuestion) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(2); // St 2,0
    ASSERT_TRUE(WaitForValues("Halter.psm", St20)) << Holds("Halter.psm", St20);
    EXPECT_TRUE(
        WaitUntil([&] { return simcad.Get("HoldRecompute").AsBoolean() == false; }, NoticeMs));
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_EQ(simcad.FeatureStatus("Halter.psm", "Flansch 2"), "ok");
    // Every value was put while the recompute was held.
    const std::string log = simcad.Get("WriteLog", {cad::Value::Int32(0)}).AsText().value_or("");
    EXPECT_EQ(log.find("|free"), std::string::npos) << log;
    EXPECT_EQ(simcad.WriteCount(), 5);
    // The new values stay; the lists keep the user's choice.
    EXPECT_EQ(psm.Label(), L"Halter.psm");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 2,0");
}

TEST_F(Apply, AFailingFeatureAsksAndYesWritesTheOldValuesBack) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(0); // St 1,0: a 1 mm radius fails Flansch 2
    const auto question = Box();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Title, L"ORNA Raziv");
    EXPECT_EQ(question->Text, L"\r\nFehler bei:  Flansch 2\r\n\r\nRücksetzen?");
    EXPECT_TRUE(Holds("Halter.psm", St10));
    EXPECT_EQ(simcad.FeatureStatus("Halter.psm", "Flansch 2"), "failed");

    ASSERT_TRUE(psm.Answer(*question, IDYES));
    ASSERT_TRUE(WaitForValues("Halter.psm", St15)) << Holds("Halter.psm", St15);
    // The recompute follows the last put back once psm releases its hold.
    EXPECT_TRUE(WaitUntil([&] { return simcad.FeatureStatus("Halter.psm", "Flansch 2") == "ok"; },
                          NoticeMs));
    EXPECT_FALSE(psm.WaitForMessageBox(500)); // healthy again: no further box
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
}

TEST_F(Apply, AFailingFeatureAsksAndNoKeepsTheNewValues) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(0);
    const auto question = Box();
    ASSERT_TRUE(question);
    ASSERT_TRUE(psm.Answer(*question, IDNO));
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_TRUE(Holds("Halter.psm", St10));
    EXPECT_EQ(simcad.FeatureStatus("Halter.psm", "Flansch 2"), "failed");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,0");
}

TEST_F(Apply, AnAlreadyFailingDocumentAsksFirstAndCancelWritesNothing) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    ChooseAndWrite(0); // Al 1,0
    const auto question = Box();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text, L"\r\nFehler bei:  Lasche 1\r\n\r\nAusführen?");
    ASSERT_TRUE(psm.Answer(*question, IDCANCEL));
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_EQ(simcad.WriteCount(), 0);
    EXPECT_TRUE(Holds("Deckel.psm", Al20));
}

TEST_F(Apply, StillFailingAfterTheWriteBackEndsWithTheCheckMessage) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    ChooseAndWrite(0); // Al 1,0: a 1 mm sheet fails Lasche 2 as well
    auto question = Box();
    ASSERT_TRUE(question);
    ASSERT_TRUE(psm.Answer(*question, IDOK));
    question = Box();
    ASSERT_TRUE(question);
    EXPECT_EQ(question->Text,
              L"\r\nFehler bei:  Lasche 1\r\nFehler bei:  Lasche 2\r\n\r\nRücksetzen?");
    EXPECT_TRUE(Holds("Deckel.psm", Al10));
    ASSERT_TRUE(psm.Answer(*question, IDYES));
    const auto check = Box();
    ASSERT_TRUE(check);
    EXPECT_EQ(check->Title, L"Raziv in Solid Edge Sheet Metal überprüfen");
    EXPECT_EQ(check->Text,
              L"\r\nFehler bei:  Lasche 1\r\n\r\nRaziv in Solid Edge Sheet Metal überprüfen");
    ASSERT_TRUE(psm.Answer(*check, IDOK));
    EXPECT_TRUE(Holds("Deckel.psm", Al20));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 2,0");
}

TEST_F(Apply, CopiedPartInPlaceIsRefusedWithoutWriting) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Kopiert.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Kopie.psm", NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 2,0");
    ChooseAndWrite(0);
    const auto refusal = Box();
    ASSERT_TRUE(refusal);
    EXPECT_EQ(refusal->Text, L"Teilekopie, in Sheetmetal ändern");
    EXPECT_EQ(refusal->Title, L"ORNA Raziv");
    ASSERT_TRUE(psm.Answer(*refusal, IDOK));
    EXPECT_EQ(simcad.WriteCount(), 0);
    EXPECT_TRUE(Holds("Kopie.psm", St20));
}

TEST_F(Apply, ThePartBehindAnAssemblyTakesTheValues) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs));
    ChooseAndWrite(1); // Al 2,0
    ASSERT_TRUE(WaitForValues("Gehäuseblech.psm", Al20)) << Holds("Gehäuseblech.psm", Al20);
    // The part's simplified model and the assembly's view are redrawn after the write.
    const auto updates = [&](const char* member, const char* document) {
        return simcad.Get(member, {cad::Value::Text(document)}).AsInt32().value_or(0);
    };
    EXPECT_TRUE(WaitUntil(
        [&] { return updates("SimplifiedModelUpdates", "Gehäuseblech.psm") == 1; }, NoticeMs));
    EXPECT_TRUE(WaitUntil([&] { return updates("ViewUpdates", "Gehäuse.asm") == 1; }, NoticeMs));
    EXPECT_FALSE(psm.WaitForMessageBox(500));
}

TEST_F(Apply, ADocumentSwitchedDuringTheQuestionGetsNothingWritten) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(0); // St 1,0 into Halter: Flansch 2 fails, psm asks
    const auto question = Box();
    ASSERT_TRUE(question);
    // Meanwhile the user makes another document active, and psm's timer
    // ticks on while the question waits.
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    WaitUntil([] { return false; }, 1000);
    const int writes = simcad.WriteCount();
    ASSERT_TRUE(psm.Answer(*question, IDYES));
    // Whatever psm says next, answer it.
    while (const auto next = psm.WaitForMessageBox(1000)) {
        ASSERT_TRUE(psm.Answer(*next, IDOK));
    }
    const std::string log =
        simcad.Get("WriteLog", {cad::Value::Int32(writes)}).AsText().value_or("");
    EXPECT_EQ(log.find("Deckel.psm|"), std::string::npos) << log;
    EXPECT_TRUE(Holds("Deckel.psm", Al20));
    // Halter has its new values or its own old ones, never Deckel's.
    EXPECT_TRUE(Same(Values("Halter.psm"), St10) || Same(Values("Halter.psm"), St15))
        << Holds("Halter.psm", St10);
    // Once the command is over, the watch shows the document now active.
    EXPECT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
}

TEST_F(Apply, AChoiceTheListsNoLongerShowIsNeverWritten) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.Choose(MainControl::TypeList, 2); // St 2,0 for Halter, not written
    ASSERT_NO_FATAL_FAILURE(Switch("Winkel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Winkel.psm", NoticeMs));
    ASSERT_EQ(psm.Selection(MainControl::TypeList), -1); // Winkel carries no type of the file
    const int holds = simcad.CountCalls("HoldRecompute");
    SetForegroundWindow(psm.Main()); // the user clicks into psm, then its button
    psm.Click(MainControl::WriteButton);
    EXPECT_FALSE(psm.WaitForMessageBox(1000));
    EXPECT_EQ(simcad.CountCalls("HoldRecompute"), holds) << "no write was even begun";
    EXPECT_EQ(simcad.WriteCount(), 0);

    // Back on Halter the lists show its own type, and that is what a write puts.
    ASSERT_NO_FATAL_FAILURE(Switch("Halter.psm"));
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 1,5"; }, NoticeMs));
    psm.Click(MainControl::WriteButton);
    EXPECT_TRUE(
        WaitUntil([&] { return simcad.CountCalls("HoldRecompute") >= holds + 2; }, NoticeMs));
    EXPECT_EQ(simcad.WriteCount(), 0) << "Halter carries St 1,5 already";
    EXPECT_TRUE(Holds("Halter.psm", St15));
}

// A busy CAD program, and one that refuses a value: the type lands
// completely or not at all.
class AllOrNothing : public Apply {
  protected:
    // From the `nth` put of a value on, simcad refuses every call for a while.
    void BusyFromPut(int nth, int milliseconds) {
        simcad.Call("BusyFrom", {cad::Value::Text("put VariableValue"), cad::Value::Int32(nth),
                                 cad::Value::Int32(milliseconds), cad::Value::Int32(0)});
        ASSERT_EQ(simcad.Problem(), "");
    }
    int RefusedCalls() { return simcad.Get("RefusedCalls").AsInt32().value_or(-1); }
    // The box that says so, answered; the lists still show the type chosen.
    void ExpectNotSet(DWORD withinMs) {
        const auto box = psm.WaitForMessageBox(withinMs);
        ASSERT_TRUE(box);
        EXPECT_EQ(box->Text, L"Blechtyp nicht übernommen");
        EXPECT_EQ(box->Title, L"ORNA Raziv");
        EXPECT_TRUE(Holds("Halter.psm", St15)) << "while the box shows";
        ASSERT_TRUE(psm.Answer(*box, IDOK));
        EXPECT_FALSE(psm.WaitForMessageBox(500));
        EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 2,0");
        EXPECT_EQ(simcad.Get("HoldRecompute").AsBoolean(), false);
    }
};

TEST_F(AllOrNothing, AProgramBusyForASecondInTheMiddleOfTheWriteTakesAllFiveValues) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(BusyFromPut(3, 1000));
    ChooseAndWrite(2); // St 2,0
    ASSERT_TRUE(WaitForValues("Halter.psm", St20)) << Holds("Halter.psm", St20);
    EXPECT_GT(RefusedCalls(), 0);
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_EQ(simcad.WriteCount(), 5);
}

TEST_F(AllOrNothing, AProgramBusyForAMinuteFromTheThirdPutGetsItsOldValuesBackOnceItAnswers) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(BusyFromPut(3, 60000));
    const auto clicked = std::chrono::steady_clock::now();
    ChooseAndWrite(2);
    const auto box = psm.WaitForMessageBox(10000);
    ASSERT_TRUE(box) << "a box within 10 s";
    EXPECT_LE(std::chrono::steady_clock::now() - clicked, std::chrono::seconds(10));
    EXPECT_EQ(box->Text, L"Blechtyp nicht übernommen\r\n\r\nSolid Edge antwortet nicht und hält "
                         L"womöglich die Neuberechnung noch an.\r\npsm schließt den "
                         L"Schreibvorgang ab, sobald Solid Edge wieder antwortet.");
    ASSERT_TRUE(psm.Answer(*box, IDOK));
    // Once simcad answers again, the values go back and the recompute is released.
    ASSERT_TRUE(WaitUntil([&] { return simcad.Get("HoldRecompute").AsBoolean() == false; }, 70000));
    EXPECT_TRUE(WaitForValues("Halter.psm", St15)) << Holds("Halter.psm", St15);
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_TRUE(psm.Running());
}

TEST_F(AllOrNothing, AValueTheProgramKeepsAfterAcceptingThePutLeavesThePartAsItWas) {
    ASSERT_NO_FATAL_FAILURE(Start());
    simcad.Call("SwallowCall", {cad::Value::Text("put VariableValue"), cad::Value::Int32(3),
                                cad::Value::Int32(1)});
    ASSERT_EQ(simcad.Problem(), "");
    ChooseAndWrite(2);
    ASSERT_NO_FATAL_FAILURE(ExpectNotSet(NoticeMs));
    EXPECT_TRUE(Holds("Halter.psm", St15));
}

TEST_F(AllOrNothing, AValueRefusedInTheMiddleLeavesThePartAsItWasAndSaysSo) {
    ASSERT_NO_FATAL_FAILURE(Start());
    simcad.Call("FailCall", {cad::Value::Text("put VariableValue"), cad::Value::Int32(3),
                             cad::Value::Int32(1)});
    ChooseAndWrite(2);
    ASSERT_NO_FATAL_FAILURE(ExpectNotSet(NoticeMs));
    EXPECT_EQ(simcad.WriteCount(), 4) << "two values written, and put back";
}

using Reset = Apply;

TEST_F(Reset, ResetListShowsTheDocumentsTypeAgain) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.Choose(MainControl::TableList, 1);
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TableList) == L"Alu"; }, NoticeMs));
    psm.Click(MainControl::ResetListButton);
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 1,5"; }, NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
    EXPECT_EQ(simcad.WriteCount(), 0);
}

TEST_F(Reset, ResetAfterTwoWritesGivesBackTheValuesBeforeTheFirst) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ChooseAndWrite(2); // St 2,0
    ASSERT_TRUE(WaitForValues("Halter.psm", St20));
    WaitUntil([] { return false; }, 300); // the command's redraw and check
    psm.Choose(MainControl::TableList, 1);
    WaitUntil([] { return false; }, 200);
    ChooseAndWrite(1); // Al 2,0
    ASSERT_TRUE(WaitForValues("Halter.psm", Al20)) << Holds("Halter.psm", Al20);
    WaitUntil([] { return false; }, 300);
    psm.Click(MainControl::ResetButton);
    ASSERT_TRUE(WaitForValues("Halter.psm", St15)) << Holds("Halter.psm", St15);
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 1,5"; }, NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
}

} // namespace
} // namespace psm::e2e
