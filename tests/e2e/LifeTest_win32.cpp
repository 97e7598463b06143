// The end of psm: its Exit button storing the window position, the CAD
// program closing under it, and a start without the CAD program.

#include "EndToEnd_win32.h"
#include "platform/Utf16_win32.h"

namespace psm::e2e {
namespace {

using Exit = EndToEnd;

TEST_F(Exit, StoresThePositionThatTheNextStartUses) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.MoveTo(300, 200);
    ASSERT_TRUE(WaitUntil([&] { return psm.WindowRect().left == 300; }, NoticeMs));
    const int calls = simcad.CallCount();
    psm.Click(MainControl::ExitButton);
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_EQ(psm.Process()->ExitCode(), 0u);
    const UINT dpi = GetDpiForSystem() != 0 ? GetDpiForSystem() : 96;
    EXPECT_EQ(settings::Get(L"Top"), std::to_wstring(MulDiv(200, 1440, static_cast<int>(dpi))));
    EXPECT_EQ(settings::Get(L"Left"), std::to_wstring(MulDiv(300, 1440, static_cast<int>(dpi))));
    // Ending asks the CAD program nothing.
    EXPECT_EQ(simcad.CallCount(), calls);

    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.WindowRect().left, 300);
    EXPECT_EQ(psm.WindowRect().top, 200);
}

using CadProgramGone = EndToEnd;

TEST_F(CadProgramGone, ClosingTheLastDocumentEndsPsm) {
    ASSERT_NO_FATAL_FAILURE(Start());
    simcad.CloseAll();
    simcad.BringToFront();
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_TRUE(settings::Get(L"Top").has_value());
}

TEST_F(CadProgramGone, QuittingTheCadProgramEndsPsm) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
    simcad.Quit();
    ClickElsewhere(); // the user goes on in another program
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_TRUE(settings::Get(L"Top").has_value());
}

TEST_F(CadProgramGone, QuittingWhileAQuestionWaitsEndsPsmAtTheNextPollAfterTheAnswer) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.Choose(MainControl::TypeList, 0); // St 1,0: Flansch 2 fails, psm asks
    WaitUntil([] { return false; }, 200);
    psm.Click(MainControl::WriteButton);
    const auto question = psm.WaitForMessageBox(NoticeMs);
    ASSERT_TRUE(question);
    ASSERT_EQ(question->Text, L"\r\nFehler bei:  Flansch 2\r\n\r\nRücksetzen?");
    simcad.Quit();
    ASSERT_TRUE(psm.Answer(*question, IDYES));
    // The write back cannot reach the CAD program any more; psm may say so.
    for (int boxes = 0; boxes < 3; ++boxes) {
        const auto next = psm.WaitForMessageBox(2000);
        if (!next) {
            break;
        }
        ASSERT_TRUE(psm.Answer(*next, IDOK)) << Narrow(next->Text);
    }
    ASSERT_TRUE(psm.Running()) << "psm must neither hang nor crash";
    ClickElsewhere();
    ASSERT_TRUE(psm.WaitForExit(NoticeMs));
    EXPECT_EQ(psm.Process()->ExitCode(), 0u);
    EXPECT_TRUE(settings::Get(L"Top").has_value());
}

TEST_F(CadProgramGone, ACadProgramClosedAndStartedAgainIsFollowed) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // The user works in psm meanwhile, so that no tick finds the program gone.
    SetForegroundWindow(psm.Main());
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == psm.Main(); }, NoticeMs));
    const int polls = simcad.CountCalls("CurrentDocument");
    WaitUntil([] { return false; }, 300);
    ASSERT_EQ(simcad.CountCalls("CurrentDocument"), polls) << "psm is not the active program";
    simcad.Quit();
    SetForegroundWindow(psm.Main()); // should simcad's closing window have passed it on
    ASSERT_NO_FATAL_FAILURE(StartCad());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    EXPECT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs)) << "psm watches the new program";
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 2,0");
    EXPECT_TRUE(psm.Running());
}

TEST_F(CadProgramGone, WithoutTheCadProgramAtStartPsmShowsNoDocumentAndWaits) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Label(), L"");
    EXPECT_EQ(psm.Items(MainControl::TableList), (std::vector<std::wstring>{L"Stahl", L"Alu"}));
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1);
    EXPECT_TRUE(psm.Items(MainControl::TypeList).empty());
    // A CAD program started later is not looked for.
    ASSERT_NO_FATAL_FAILURE(StartCad());
    simcad.BringToFront();
    WaitUntil([] { return false; }, 1000);
    EXPECT_TRUE(psm.Running());
    EXPECT_EQ(psm.Label(), L"");
    EXPECT_EQ(simcad.CallCount(), 0);
    // Writing without a document does nothing.
    psm.Choose(MainControl::TableList, 0);
    WaitUntil([] { return false; }, 200);
    psm.Click(MainControl::WriteButton);
    EXPECT_FALSE(psm.WaitForMessageBox(800));
    EXPECT_EQ(simcad.CallCount(), 0);
}

} // namespace
} // namespace psm::e2e
