// Choosing a table and a type, and the properties window that shows the
// chosen type's values, or the nearest type and a button that chooses it.

#include "EndToEnd_win32.h"

#include <cmath>

namespace psm::e2e {
namespace {

using ChoosingTableAndType = EndToEnd;

TEST_F(ChoosingTableAndType, ATableListsItsTypesWithTheMiddleOneChosen) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.Choose(MainControl::TableList, 1);
    ASSERT_TRUE(WaitUntil([&] { return psm.Items(MainControl::TypeList).size() == 2; }, NoticeMs));
    EXPECT_EQ(psm.Items(MainControl::TypeList), (std::vector<std::wstring>{L"Al 1,0", L"Al 2,0"}));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 1,0");
    psm.Choose(MainControl::TableList, 0);
    ASSERT_TRUE(WaitUntil([&] { return psm.Items(MainControl::TypeList).size() == 3; }, NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
    // Choosing writes nothing, and the document stays shown.
    EXPECT_EQ(simcad.WriteCount(), 0);
    EXPECT_EQ(psm.Label(), L"Halter.psm");
}

using PropertiesWindow = EndToEnd;

TEST_F(PropertiesWindow, ShowsTheChosenTypesValuesWithUnits) {
    ASSERT_NO_FATAL_FAILURE(Start());
    psm.Choose(MainControl::TypeList, 2); // St 2,0
    WaitUntil([] { return false; }, 200);
    psm.Click(MainControl::PropertiesButton);
    ASSERT_TRUE(WaitUntil([&] { return psm.PropertiesWindow() != nullptr; }, NoticeMs));
    EXPECT_EQ(TextOf(psm.PropertiesWindow()), L"Raziv Werte");
    const std::vector<std::wstring> names{L" Blechstärke: ", L" Biegeradius: ", L" NeutralFaktor: ",
                                          L" Ausklinkungstiefe: ", L" Ausklinkungsbreite: "};
    const std::vector<std::wstring> values{L"2.000", L"2.000", L"0.440", L"4.000", L"2.000"};
    for (int row = 1; row <= 5; ++row) {
        const auto k = static_cast<std::size_t>(row - 1);
        EXPECT_EQ(psm.InfoLabel(1, row), names[k]) << row;
        EXPECT_EQ(psm.InfoLabel(2, row), LocalNumber(values[k])) << row;
        EXPECT_EQ(psm.InfoLabel(3, row), row == 3 ? L"" : L" mm") << row;
    }
    // Beside them Halter's own values (St 1,5), every one of them other.
    const std::vector<std::wstring> halter{L"1.500", L"1.500", L"0.430", L"3.000", L"1.500"};
    for (int row = 1; row <= 5; ++row) {
        EXPECT_EQ(psm.InfoLabel(4, row), LocalNumber(halter[static_cast<std::size_t>(row - 1)]));
        EXPECT_EQ(psm.InfoLabel(5, row), L"≠") << row;
    }
    EXPECT_EQ(TextOf(GetDlgItem(psm.PropertiesWindow(), PropertiesNoteId)),
              L"rechts: die Werte des Dokuments\r\n≠: nicht wie links");
    // The window stands beside the main window, as high as it.
    RECT info{};
    GetWindowRect(psm.PropertiesWindow(), &info);
    const RECT main = psm.WindowRect();
    EXPECT_EQ(info.top, main.top);
    EXPECT_EQ(info.bottom - info.top, main.bottom - main.top);
    EXPECT_TRUE(info.left == main.right || info.right == main.left);

    // A click on it closes it.
    HWND label = GetDlgItem(psm.PropertiesWindow(), PropertiesLabelId(2, 1));
    PostMessageW(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    PostMessageW(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(WaitUntil([&] { return psm.PropertiesWindow() == nullptr; }, NoticeMs));
}

TEST_F(PropertiesWindow, WithoutAChosenTypeShowsTheDocumentsOwnValues) {
    ASSERT_NO_FATAL_FAILURE(StartCad(R"(
sheetmetal Winkel.psm
  values 0.0012 0.0012 0.33 0.002 0.001
)"));
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Selection(MainControl::TypeList), -1);
    psm.Click(MainControl::PropertiesButton);
    ASSERT_TRUE(WaitUntil([&] { return psm.PropertiesWindow() != nullptr; }, NoticeMs));
    const std::vector<std::wstring> values{L"1.200", L"1.200", L"0.330", L"2.000", L"1.000"};
    // Beside them the nearest type, St 1,0 (Al 1,0 has as many equal values,
    // but comes later), with the values that differ marked.
    const std::vector<std::wstring> nearest{L"1.000", L"1.000", L"0.420", L"2.000", L"1.000"};
    for (int row = 1; row <= 5; ++row) {
        const auto k = static_cast<std::size_t>(row - 1);
        EXPECT_EQ(psm.InfoLabel(2, row), LocalNumber(values[k])) << row;
        EXPECT_EQ(psm.InfoLabel(4, row), LocalNumber(nearest[k])) << row;
        EXPECT_EQ(psm.InfoLabel(5, row), row <= 3 ? L"≠" : L"") << row;
    }
    EXPECT_EQ(TextOf(GetDlgItem(psm.PropertiesWindow(), PropertiesNoteId)),
              L"Kein Blechtyp passt.\r\nrechts der nächste: St 1,0\r\n3 Werte anders");
}

TEST_F(PropertiesWindow, ItsButtonChoosesTheNearestTypeForTheWrite) {
    // St 2,0 but a neutral factor of 0.45 instead of 0.44.
    ASSERT_NO_FATAL_FAILURE(StartCad(R"(
sheetmetal Blech.psm
  values 0.002 0.002 0.45 0.004 0.002
)"));
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    ASSERT_EQ(psm.Selection(MainControl::TypeList), -1);
    psm.Click(MainControl::PropertiesButton);
    ASSERT_TRUE(WaitUntil([&] { return psm.InfoButton() != nullptr; }, NoticeMs));
    EXPECT_EQ(TextOf(psm.InfoButton()), L"Übernehmen");

    PostMessageW(psm.InfoButton(), BM_CLICK, 0, 0);
    ASSERT_TRUE(
        WaitUntil([&] { return psm.Selected(MainControl::TypeList) == L"St 2,0"; }, NoticeMs));
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
    // The window stays, now showing the chosen type beside the document, without the button.
    ASSERT_TRUE(WaitUntil([&] { return psm.InfoLabel(2, 3) == LocalNumber(L"0.440"); }, NoticeMs));
    EXPECT_EQ(psm.InfoButton(), nullptr);
    EXPECT_EQ(psm.InfoLabel(4, 3), LocalNumber(L"0.450"));
    EXPECT_EQ(simcad.WriteCount(), 0);

    // The write then puts the chosen type into the document.
    psm.Click(MainControl::WriteButton);
    EXPECT_TRUE(
        WaitUntil([&] { return std::fabs(simcad.SheetMetalValue("Blech.psm", 3) - 0.44) < 1e-12; },
                  NoticeMs));
}

} // namespace
} // namespace psm::e2e
