// psm never loses track of the document: it follows an assembly's component
// set, reads a document reopened under the same name anew, ends when the CAD
// program withdraws its registration, and keeps answering while the CAD
// program is busy.

#include "EndToEnd_win32.h"

#include <chrono>
#include <cmath>

namespace psm::e2e {
namespace {

class Tracking : public EndToEnd {
  protected:
    // Runs scenario statements in the living simcad.
    void Run(const std::string& statements) {
        const cad::Value problems = simcad.Call("Run", {cad::Value::Text(statements)});
        ASSERT_EQ(problems.AsText().value_or("?"), "") << simcad.Problem();
    }
    void ChooseAndWrite(int table, int type) {
        psm.Choose(MainControl::TableList, table);
        WaitUntil([] { return false; }, 200);
        psm.Choose(MainControl::TypeList, type);
        WaitUntil([] { return false; }, 200);
        psm.Click(MainControl::WriteButton);
    }
    bool Near(double a, double b) { return std::fabs(a - b) < 1e-12; }
};

TEST_F(Tracking, AComponentAddedOrReplacedInTheActiveAssemblyIsFollowed) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs));

    ASSERT_NO_FATAL_FAILURE(Run("with Gehäuse.asm\ncomponent direct Blech 2 -> Winkel.psm\n"));
    ASSERT_TRUE(psm.WaitForLabel(L"", NoticeMs)) << "two components: no part to work on";
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1);
    psm.Click(MainControl::WriteButton);
    EXPECT_FALSE(psm.WaitForMessageBox(500));
    EXPECT_EQ(simcad.WriteCount(), 0);
    // The user clicked into psm, and goes back to the CAD program.
    SetForegroundWindow(psm.Main());
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));

    // The first one replaced: the part behind the one left is shown and read.
    ASSERT_NO_FATAL_FAILURE(Run("with Gehäuse.asm\nremove component Blech 1\n"));
    ASSERT_TRUE(psm.WaitForLabel(L"Winkel.psm", NoticeMs));
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1) << "Winkel's own values";
    ChooseAndWrite(0, 2); // St 2,0
    ASSERT_TRUE(
        WaitUntil([&] { return Near(simcad.SheetMetalValue("Winkel.psm", 1), 0.002); }, NoticeMs));
    EXPECT_TRUE(Near(simcad.SheetMetalValue("Gehäuseblech.psm", 1), 0.001))
        << "the part that left keeps its values";
}

TEST_F(Tracking, ADocumentReopenedUnderTheSameNameIsReadAnewWithItsOwnVariables) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    ASSERT_EQ(psm.Selected(MainControl::TypeList), L"Al 2,0");

    // Closed, and another Deckel.psm opened whose markers name other variables.
    ASSERT_TRUE(simcad.Close("Deckel.psm"));
    ASSERT_NO_FATAL_FAILURE(Run("sheetmetal Deckel.psm\n"
                                "remove SM_Thickness\nremove SM_Radius\nremove SM_KFactor\n"
                                "remove SM_ReliefLength\nremove SM_ReliefWidth\n"
                                "variable Dicke 0.0015\nvariable Radius 0.0015\n"
                                "variable K 0.43\nvariable Tiefe 0.003\nvariable Breite 0.0015\n"
                                "marker MaterialThickness_ Dicke\nmarker BendRadius_ Radius\n"
                                "marker NeutralFactor_ K\nmarker ReliefLength_ Tiefe\n"
                                "marker ReliefWidth_ Breite\n"));
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 1,5"; }, NoticeMs))
        << "the new document's values: " << Narrow(psm.Selected(MainControl::TypeList));
    ChooseAndWrite(1, 0); // Al 1,0
    ASSERT_TRUE(
        WaitUntil([&] { return Near(simcad.Value("Deckel.psm", "Dicke"), 0.001); }, NoticeMs));
    EXPECT_TRUE(Near(simcad.Value("Deckel.psm", "K"), 0.38));
    EXPECT_TRUE(std::isnan(simcad.Value("Deckel.psm", "SM_Thickness")))
        << "nothing of the earlier document's names";
}

TEST_F(Tracking, ACadProgramThatWithdrawsItsRegistrationEndsPsmWithinTwoSeconds) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    simcad.Call("Withdraw");
    ASSERT_EQ(simcad.Problem(), "");
    const auto withdrawn = std::chrono::steady_clock::now();
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_LE(std::chrono::steady_clock::now() - withdrawn, std::chrono::milliseconds(2000));
    EXPECT_EQ(psm.Process()->ExitCode(), 0u);
    EXPECT_TRUE(simcad.Running()) << "simcad lives on; psm holds nothing of it any more";
}

TEST_F(Tracking, PsmAnswersWhileTheCadProgramRefusesEveryCallForTenSeconds) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Halter.psm"));
    simcad.Call("Busy", {cad::Value::Int32(10000), cad::Value::Int32(0)});
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm")); // the watch polls, and is refused
    const auto start = std::chrono::steady_clock::now();
    long worst = 0;
    int asked = 0;
    while (std::chrono::steady_clock::now() - start < std::chrono::seconds(10)) {
        const auto sent = std::chrono::steady_clock::now();
        DWORD_PTR result = 0;
        const LRESULT answered =
            SendMessageTimeoutW(psm.Main(), WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result);
        ASSERT_NE(answered, 0) << "psm did not answer within 2 s";
        const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - sent)
                              .count();
        worst = std::max(worst, static_cast<long>(took));
        ++asked;
        WaitUntil([] { return false; }, 50);
    }
    EXPECT_LE(worst, 300) << "the slowest of " << asked << " answers";
    EXPECT_GT(simcad.Get("RefusedCalls").AsInt32().value_or(0), 10) << "psm polled meanwhile";
    EXPECT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs)) << "followed once simcad answers";
}

} // namespace
} // namespace psm::e2e
