// The document watch: psm follows the document made active in the CAD
// program, also the part behind an assembly's single component.

#include "EndToEnd_win32.h"

namespace psm::e2e {
namespace {

using SwitchingDocuments = EndToEnd;

TEST_F(SwitchingDocuments, FollowsTheActiveSheetMetalDocument) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Deckel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs)) << "label: " << Narrow(psm.Label());
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Alu");
    EXPECT_EQ(psm.Items(MainControl::TypeList), (std::vector<std::wstring>{L"Al 1,0", L"Al 2,0"}));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 2,0");

    // Values that no type of the file carries: the name, no selection.
    ASSERT_NO_FATAL_FAILURE(Switch("Winkel.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Winkel.psm", NoticeMs));
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1);
    EXPECT_EQ(psm.Selection(MainControl::TypeList), -1);

    ASSERT_NO_FATAL_FAILURE(Switch("Halter.psm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Halter.psm", NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
    EXPECT_EQ(simcad.WriteCount(), 0);
}

TEST_F(SwitchingDocuments, APartOrDrawingLeavesTheLastSheetMetalDocumentShown) {
    ASSERT_NO_FATAL_FAILURE(Start());
    const int polls = simcad.CountCalls("CurrentDocument");
    ASSERT_NO_FATAL_FAILURE(Switch("Teil.par"));
    // The watch asks meanwhile, and finds nothing to show.
    ASSERT_TRUE(
        WaitUntil([&] { return simcad.CountCalls("CurrentDocument") >= polls + 5; }, NoticeMs));
    EXPECT_EQ(psm.Label(), L"Halter.psm");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
}

TEST_F(SwitchingDocuments, NoPollWhileTheUserWorksInPsm) {
    ASSERT_NO_FATAL_FAILURE(Start());
    // psm is the active window after its start: its ticks do not ask.
    const int polls = simcad.CountCalls("CurrentDocument");
    WaitUntil([] { return false; }, 800);
    EXPECT_EQ(simcad.CountCalls("CurrentDocument"), polls);
}

TEST_F(SwitchingDocuments, ValuesChangedInTheShownDocumentGoUnnoticed) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Halter.psm"));
    simcad.Call("SetValue", {cad::Value::Text("Halter.psm"), cad::Value::Text("SM_Thickness"),
                             cad::Value::Double(0.002)});
    const int polls = simcad.CountCalls("CurrentDocument");
    ASSERT_TRUE(
        WaitUntil([&] { return simcad.CountCalls("CurrentDocument") >= polls + 5; }, NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
}

TEST_F(SwitchingDocuments, AClickInSimcadsDocumentListMakesTheDocumentActive) {
    ASSERT_NO_FATAL_FAILURE(Start());
    HWND window = FindWindowW(L"SimCadWindow", nullptr);
    ASSERT_NE(window, nullptr);
    HWND list = FindWindowExW(window, nullptr, L"ListBox", nullptr);
    ASSERT_NE(list, nullptr);
    DWORD_PTR index = 0;
    const std::wstring name = L"Deckel.psm";
    SendMessageTimeoutW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                        reinterpret_cast<LPARAM>(name.c_str()), SMTO_NORMAL, 5000, &index);
    ASSERT_NE(static_cast<LRESULT>(index), LB_ERR);
    // The click: the list selects the entry and tells its window; simcad comes to the front.
    SendMessageTimeoutW(list, LB_SETCURSEL, index, 0, SMTO_NORMAL, 5000, nullptr);
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    ASSERT_TRUE(WaitUntil([&] { return simcad.ActiveDocument() == "Deckel.psm"; }, NoticeMs));
    SetForegroundWindow(window);
    EXPECT_TRUE(psm.WaitForLabel(L"Deckel.psm", NoticeMs));
}

using Assembly = EndToEnd;

TEST_F(Assembly, OneComponentShowsThePartBehindIt) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs))
        << "label: " << Narrow(psm.Label());
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Alu");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 1,0");
}

TEST_F(Assembly, TwoComponentsShowNoDocument) {
    ASSERT_NO_FATAL_FAILURE(Start());
    ASSERT_NO_FATAL_FAILURE(Switch("Zwei.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"", NoticeMs));
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1);
    EXPECT_EQ(psm.Selection(MainControl::TypeList), -1);
    // And back to a single part.
    ASSERT_NO_FATAL_FAILURE(Switch("Gehäuse.asm"));
    ASSERT_TRUE(psm.WaitForLabel(L"Gehäuseblech.psm", NoticeMs));
}

} // namespace
} // namespace psm::e2e
