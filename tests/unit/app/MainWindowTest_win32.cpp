// frmBlechWerte: its controls and layout, what it forwards to the core, and
// what it shows when the core tells it. The test program is not DPI aware, so
// the window works at 96 DPI: 15 twips to the pixel.

#include "WindowTestSupport_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/MessageLoop_win32.h"
#include "app/PropertiesWindow_win32.h"
#include "app/SurveyWindow_win32.h"
#include "platform/UniqueWindow_win32.h"

#include <commctrl.h>

namespace psm {
namespace {

using ::testing::_;
using ::testing::InSequence;
using ::testing::Invoke;

constexpr MainControl AllButtons[] = {MainControl::WriteButton, MainControl::ResetListButton,
                                      MainControl::ResetButton, MainControl::PropertiesButton,
                                      MainControl::ExitButton};

std::wstring ClassOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

LONG_PTR StyleOf(HWND window) {
    return GetWindowLongPtrW(window, GWL_STYLE);
}

std::wstring ListText(HWND combo, int index) {
    wchar_t text[256] = {};
    SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    return text;
}

using MainWindowLayout = MainWindowFixture;

TEST_F(MainWindowLayout, ControlsStandAtTheirDesignedPlaces) {
    for (const ControlDesign& design : MainWindowDesign) {
        if (design.Control == MainControl::StatusBar) {
            continue;
        }
        const RECT place = PlaceInParent(ControlOf(design.Control));
        EXPECT_EQ(place.left, design.Rect.Left / 15) << design.Id;
        EXPECT_EQ(place.top, design.Rect.Top / 15) << design.Id;
        EXPECT_EQ(place.right - place.left, design.Rect.Width / 15) << design.Id;
        if (design.Control != MainControl::TableList && design.Control != MainControl::TypeList) {
            EXPECT_EQ(place.bottom - place.top, design.Rect.Height / 15) << design.Id;
        }
    }
}

TEST_F(MainWindowLayout, ListsAreInsidePicture1AndOpenWithRoomForSeveralEntries) {
    HWND panel = ControlOf(MainControl::ListPanel);
    for (const MainControl list : {MainControl::TableList, MainControl::TypeList}) {
        EXPECT_EQ(GetParent(ControlOf(list)), panel);
        const auto entryHeight =
            static_cast<int>(SendMessageW(ControlOf(list), CB_GETITEMHEIGHT, 0, 0));
        RECT dropped{};
        SendMessageW(ControlOf(list), CB_GETDROPPEDCONTROLRECT, 0,
                     reinterpret_cast<LPARAM>(&dropped));
        EXPECT_GE(dropped.bottom - dropped.top, 21 + 10 * entryHeight);
    }
}

TEST_F(MainWindowLayout, StatusBarRunsAlongTheBottomWithItsDesignedHeight) {
    RECT client{};
    GetClientRect(window.Handle(), &client);
    const RECT place = PlaceInParent(ControlOf(MainControl::StatusBar));
    EXPECT_EQ(place.left, 0);
    EXPECT_EQ(place.right, client.right);
    EXPECT_EQ(place.bottom, client.bottom);
    EXPECT_EQ(place.bottom - place.top, 255 / 15);
}

TEST_F(MainWindowLayout, OuterSizeIsTheDesignedSize) {
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    EXPECT_EQ(frame.right - frame.left, 3555 / 15);
    EXPECT_EQ(frame.bottom - frame.top, 2355 / 15);
    EXPECT_EQ(window.WindowRect().Width, 3555);
    EXPECT_EQ(window.WindowRect().Height, 2355);
}

TEST_F(MainWindowLayout, FrameIsFixedWithTitleCloseAndMinimiseButNoMaximiseOrMenuBar) {
    const LONG_PTR style = StyleOf(window.Handle());
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_EQ(GetMenu(window.Handle()), nullptr);
    EXPECT_EQ(ClassOf(window.Handle()), MainWindowClassName);
    EXPECT_EQ(TextOf(window.Handle()), L"orna");
    EXPECT_FALSE(IsWindowVisible(window.Handle()));
}

TEST_F(MainWindowLayout, ControlsAreOfTheirKind) {
    for (const MainControl button : AllButtons) {
        HWND control = ControlOf(button);
        EXPECT_EQ(ClassOf(control), L"Button");
        EXPECT_TRUE(StyleOf(control) & BS_BITMAP);
        EXPECT_TRUE(StyleOf(control) & WS_TABSTOP);
        EXPECT_EQ(GetDlgCtrlID(control), DesignOf(button).Id);
    }
    EXPECT_EQ(ClassOf(ControlOf(MainControl::DocumentLabel)), L"Static");
    EXPECT_TRUE(StyleOf(ControlOf(MainControl::DocumentLabel)) & SS_NOTIFY);
    for (const MainControl list : {MainControl::TableList, MainControl::TypeList}) {
        EXPECT_EQ(ClassOf(ControlOf(list)), L"ComboBox");
        EXPECT_EQ(StyleOf(ControlOf(list)) & 3, CBS_DROPDOWNLIST);
        EXPECT_TRUE(StyleOf(ControlOf(list)) & WS_TABSTOP);
    }
    EXPECT_EQ(ClassOf(ControlOf(MainControl::StatusBar)), STATUSCLASSNAMEW);
}

TEST_F(MainWindowLayout, EveryControlUsesTheMessageFont) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(
        SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 96));
    for (const ControlDesign& design : MainWindowDesign) {
        if (design.Control == MainControl::ListPanel) {
            continue; // a bare panel: no text of its own
        }
        auto font =
            reinterpret_cast<HFONT>(SendMessageW(ControlOf(design.Control), WM_GETFONT, 0, 0));
        ASSERT_NE(font, nullptr) << design.Id;
        LOGFONTW used{};
        GetObjectW(font, sizeof used, &used);
        EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight) << design.Id;
        EXPECT_STREQ(used.lfFaceName, metrics.lfMessageFont.lfFaceName) << design.Id;
    }
}

TEST_F(MainWindowLayout, DpiChangeScalesControlsFontAndOuterSize) {
    RECT suggested{40, 50, 400, 300};
    SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(144, 144),
                 reinterpret_cast<LPARAM>(&suggested));
    const RECT button = PlaceInParent(ControlOf(MainControl::PropertiesButton));
    EXPECT_EQ(button.left, 192); // 1920 twips
    EXPECT_EQ(button.right - button.left, 45);
    const RECT label = PlaceInParent(ControlOf(MainControl::DocumentLabel));
    EXPECT_EQ(label.top, 48);
    EXPECT_EQ(label.right - label.left, 290); // 289.5
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    EXPECT_EQ(frame.left, 40);
    EXPECT_EQ(frame.top, 50);
    EXPECT_EQ(frame.right - frame.left, 356); // 3555 twips at 144 DPI
    EXPECT_EQ(frame.bottom - frame.top, 236);
    auto font = reinterpret_cast<HFONT>(
        SendMessageW(ControlOf(MainControl::DocumentLabel), WM_GETFONT, 0, 0));
    LOGFONTW used{};
    GetObjectW(font, sizeof used, &used);
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, 144);
    EXPECT_EQ(used.lfHeight, metrics.lfMessageFont.lfHeight);

    SIZE size{};
    EXPECT_TRUE(
        SendMessageW(window.Handle(), WM_GETDPISCALEDSIZE, 192, reinterpret_cast<LPARAM>(&size)));
    EXPECT_EQ(size.cx, 474);
    EXPECT_EQ(size.cy, 314);
}

using MainWindowForwarding = MainWindowFixture;

TEST_F(MainWindowForwarding, ButtonClicksGoToTheCore) {
    window.Load(SW_SHOWNOACTIVATE);
    for (const MainControl button : AllButtons) {
        EXPECT_CALL(events, OnCommand(*CommandOf(button)));
        SendMessageW(ControlOf(button), BM_CLICK, 0, 0);
    }
}

TEST_F(MainWindowForwarding, AListChosenWithTheKeyboardGoesToTheCoreWithItsPosition) {
    MainViewModel model;
    model.Tables = {{"Stahl", "Edelstahl", "Aluminium"}, 0};
    model.Types = {{"St 1,0", "St 1,5"}, -1};
    window.Show(model);
    EXPECT_CALL(events, OnListChosen(ListId::Tables, 1));
    SendMessageW(ControlOf(MainControl::TableList), WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SendMessageW(ControlOf(MainControl::TableList), CB_GETCURSEL, 0, 0), 1);

    EXPECT_CALL(events, OnListChosen(ListId::Types, 0));
    SendMessageW(ControlOf(MainControl::TypeList), WM_KEYDOWN, VK_HOME, 0);
}

TEST_F(MainWindowForwarding, SelectionSetByTheCoreIsNotReportedBack) {
    EXPECT_CALL(events, OnListChosen(_, _)).Times(0);
    MainViewModel model;
    model.Tables = {{"A", "B"}, 1};
    window.Show(model);
    model.Tables.Selection = -1;
    window.Show(model);
    window.Show(MainViewModel{});
}

TEST_F(MainWindowForwarding, MouseMovesNameTheControlWithAHint) {
    for (const MainControl control :
         {MainControl::WriteButton, MainControl::ResetListButton, MainControl::ResetButton,
          MainControl::PropertiesButton, MainControl::ExitButton, MainControl::DocumentLabel,
          MainControl::ListPanel}) {
        EXPECT_CALL(events, OnMouseMove(control)).Times(2);
        SendMessageW(ControlOf(control), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
        SendMessageW(ControlOf(control), WM_MOUSEMOVE, 0, MAKELPARAM(3, 2));
    }
    EXPECT_CALL(events, OnMouseMove(MainControl::FreeArea));
    SendMessageW(window.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(220, 10));
}

TEST_F(MainWindowForwarding, ListsAndStatusBarHaveNoHint) {
    EXPECT_CALL(events, OnMouseMove(_)).Times(0);
    SendMessageW(ControlOf(MainControl::TableList), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(ControlOf(MainControl::TypeList), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(ControlOf(MainControl::StatusBar), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
}

TEST_F(MainWindowForwarding, MouseButtonsOnTheFreeAreaGoToTheCore) {
    InSequence order;
    EXPECT_CALL(events, OnMouseDown(MouseButton::Right));
    EXPECT_CALL(events, OnMouseDown(MouseButton::Left));
    EXPECT_CALL(events, OnMouseDown(MouseButton::Middle));
    SendMessageW(window.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(220, 10));
    SendMessageW(window.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(220, 10));
    SendMessageW(window.Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(220, 10));
}

TEST_F(MainWindowForwarding, TheMenuKeyCountsAsTheRightButtonButARightClickOnlyOnce) {
    EXPECT_CALL(events, OnMouseDown(MouseButton::Right)).Times(1);
    SendMessageW(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()), -1);
    // What DefWindowProc makes of a right-button release: already handled.
    SendMessageW(window.Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(window.Handle()),
                 MAKELPARAM(300, 300));
}

TEST_F(MainWindowForwarding, TheCloseBoxAsksTheCoreAndTheWindowStays) {
    EXPECT_CALL(events, OnCloseRequest());
    SendMessageW(window.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(window.Handle()));
}

TEST_F(MainWindowForwarding, TimerTicksTellWhetherTheMainWindowIsActive) {
    window.Load(SW_SHOW);
    SetActiveWindow(window.Handle());
    ASSERT_EQ(GetActiveWindow(), window.Handle());
    EXPECT_CALL(events, OnTimer(true));
    SendMessageW(window.Handle(), WM_TIMER, MainWindow::WatchTimerId, 0);

    const UniqueWindow owned(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300,
                                             300, 40, 40, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
    HWND other = owned.Get();
    SetActiveWindow(other);
    ASSERT_EQ(GetActiveWindow(), other);
    EXPECT_CALL(events, OnTimer(false));
    SendMessageW(window.Handle(), WM_TIMER, MainWindow::WatchTimerId, 0);
    EXPECT_CALL(events, OnTimer(_)).Times(0);
    SendMessageW(window.Handle(), WM_TIMER, MainWindow::WatchTimerId + 7, 0);
}

TEST_F(MainWindowForwarding, StartTimerMakesTheTimerTick) {
    int ticks = 0;
    EXPECT_CALL(events, OnTimer(_)).WillRepeatedly(Invoke([&](bool) { ++ticks; }));
    window.StartTimer(10);
    EXPECT_TRUE(PumpUntil([&] { return ticks >= 3; }));
}

TEST_F(MainWindowForwarding, LoadRunsTheStartUpHiddenAndActivationCountsFromTheShow) {
    bool visibleDuringLoad = true;
    {
        InSequence order;
        EXPECT_CALL(events, OnLoad()).WillOnce(Invoke([&] {
            visibleDuringLoad = IsWindowVisible(window.Handle()) != FALSE;
            window.KeepOnTop(); // activates the hidden window: not yet an activation
        }));
        EXPECT_CALL(events, OnActivate()).Times(testing::AtLeast(1));
    }
    window.Load(SW_SHOW);
    SetActiveWindow(window.Handle());
    EXPECT_FALSE(visibleDuringLoad);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    testing::Mock::VerifyAndClearExpectations(&events);

    const UniqueWindow owned(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300,
                                             300, 40, 40, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
    HWND other = owned.Get();
    SetActiveWindow(other);
    EXPECT_CALL(events, OnActivate());
    SetActiveWindow(window.Handle());
}

TEST_F(MainWindowForwarding, RestoreNormalStateDuringStartUpShowsTheWindowNormal) {
    EXPECT_CALL(events, OnLoad()).WillOnce(Invoke([&] { window.RestoreNormalState(); }));
    window.Load(SW_SHOWMINIMIZED);
    EXPECT_TRUE(IsWindowVisible(window.Handle()));
    EXPECT_FALSE(IsIconic(window.Handle()));
}

TEST_F(MainWindowForwarding, RestoreNormalStateRestoresAMinimisedWindow) {
    window.Load(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(window.Handle()));
    window.RestoreNormalState();
    EXPECT_FALSE(IsIconic(window.Handle()));
}

TEST_F(MainWindowForwarding, TabMovesThroughTheButtonsAndLists) {
    window.Load(SW_SHOW);
    SetActiveWindow(window.Handle());
    window.Focus();
    ASSERT_EQ(GetFocus(), ControlOf(MainControl::WriteButton));
    const MainControl order[] = {MainControl::ResetListButton,  MainControl::ResetButton,
                                 MainControl::PropertiesButton, MainControl::ExitButton,
                                 MainControl::TableList,        MainControl::TypeList,
                                 MainControl::WriteButton};
    for (const MainControl next : order) {
        MSG tab{GetFocus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
        EXPECT_TRUE(window.TranslateDialogMessage(tab));
        EXPECT_EQ(GetFocus(), ControlOf(next)) << static_cast<int>(next);
    }
}

TEST_F(MainWindowForwarding, FocusReturnsToTheControlLastUsed) {
    window.Load(SW_SHOW);
    SetActiveWindow(window.Handle());
    SetFocus(ControlOf(MainControl::TypeList));
    const UniqueWindow owned(CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 300,
                                             300, 40, 40, nullptr, nullptr,
                                             GetModuleHandleW(nullptr), nullptr));
    HWND other = owned.Get();
    SetActiveWindow(other);
    window.Focus();
    EXPECT_EQ(GetActiveWindow(), window.Handle());
    EXPECT_EQ(GetFocus(), ControlOf(MainControl::TypeList));
}

using MainWindowDisplay = MainWindowFixture;

TEST_F(MainWindowDisplay, ShowsTextsAsTheCoreGivesThem) {
    MainViewModel model;
    model.Caption = "ORNA  Raziv";
    model.DocumentLabel = "Halter & Winkel.psm";
    model.Status = "gewählten Blechtyp übernehmen";
    window.Show(model);
    EXPECT_EQ(TextOf(window.Handle()), L"ORNA  Raziv");
    EXPECT_EQ(TextOf(ControlOf(MainControl::DocumentLabel)), L"Halter & Winkel.psm");
    EXPECT_EQ(TextOf(ControlOf(MainControl::StatusBar)), L"gewählten Blechtyp übernehmen");
    model.Status.clear();
    window.Show(model);
    EXPECT_EQ(TextOf(ControlOf(MainControl::StatusBar)), L"");
    EXPECT_EQ(TextOf(window.Handle()), L"ORNA  Raziv");
}

TEST_F(MainWindowDisplay, ButtonNamesAreTheirWindowTexts) {
    MainViewModel model; // names in the buttons' order, left to right
    model.ButtonNames[0] = "gewählten Blechtyp übernehmen";
    model.ButtonNames[2] = "auf ursprünglichen Blechtyp rücksetzen";
    model.ButtonNames[4] = "Beenden";
    window.Show(model);
    EXPECT_EQ(TextOf(ControlOf(MainControl::WriteButton)), L"gewählten Blechtyp übernehmen");
    EXPECT_EQ(TextOf(ControlOf(MainControl::ResetButton)),
              L"auf ursprünglichen Blechtyp rücksetzen");
    EXPECT_EQ(TextOf(ControlOf(MainControl::ExitButton)), L"Beenden");
    EXPECT_EQ(FindWindowExW(window.Handle(), nullptr, L"Button", L"Beenden"),
              ControlOf(MainControl::ExitButton));
}

TEST_F(MainWindowDisplay, ListsMirrorTheCoresEntriesInOrder) {
    HWND combo = ControlOf(MainControl::TypeList);
    MainViewModel model;
    model.Types = {{"St 2,0", "St 1,0", "Blech äöü"}, 2};
    window.Show(model);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(ListText(combo, 0), L"St 2,0");
    EXPECT_EQ(ListText(combo, 1), L"St 1,0");
    EXPECT_EQ(ListText(combo, 2), L"Blech äöü");
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    // A choice whose event is still to come stays; one the core did not take goes.
    SendMessageW(combo, CB_SETCURSEL, 0, 0);
    window.Show(model);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 0);
    SendMessageW(combo, WM_KEYDOWN, VK_DOWN, 0);
    window.Show(model);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 2);
    model.Types.Selection = -1;
    window.Show(model);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), CB_ERR);
    model.Types = {{"Al 2,0"}, 0};
    window.Show(model);
    ASSERT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 1);
    EXPECT_EQ(ListText(combo, 0), L"Al 2,0");
    window.Show(MainViewModel{});
    EXPECT_EQ(SendMessageW(combo, CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(SendMessageW(ControlOf(MainControl::TableList), CB_GETCOUNT, 0, 0), 0);
}

TEST_F(MainWindowDisplay, MoveWindowPlacesTheFrameInTwips) {
    window.MoveWindow(TwipsRect{1500, 3000, 3555, 2355});
    RECT frame{};
    GetWindowRect(window.Handle(), &frame);
    EXPECT_EQ(frame.left, 100);
    EXPECT_EQ(frame.top, 200);
    EXPECT_EQ(frame.right - frame.left, 237);
    EXPECT_EQ(frame.bottom - frame.top, 157);
    EXPECT_EQ(window.WindowRect(), (TwipsRect{1500, 3000, 3555, 2355}));
}

TEST_F(MainWindowDisplay, WindowRectOfAMinimisedWindowIsWhereItComesBack) {
    window.MoveWindow(TwipsRect{1500, 3000, 3555, 2355});
    window.Load(SW_SHOWMINNOACTIVE);
    ASSERT_TRUE(IsIconic(window.Handle()));
    EXPECT_EQ(window.WindowRect(), (TwipsRect{1500, 3000, 3555, 2355}));
}

TEST_F(MainWindowDisplay, KeepOnTopMakesTheWindowTopmost) {
    EXPECT_FALSE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
    window.KeepOnTop();
    EXPECT_TRUE(GetWindowLongPtrW(window.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
}

TEST_F(MainWindowDisplay, ScreenSizesAreInTwips) {
    EXPECT_EQ(window.ScreenWidth(), GetSystemMetrics(SM_CXSCREEN) * 15);
    const std::vector<TwipsRect> monitors = window.MonitorAreas();
    ASSERT_FALSE(monitors.empty());
    const TwipsRect primary{0, 0, GetSystemMetrics(SM_CXSCREEN) * 15,
                            GetSystemMetrics(SM_CYSCREEN) * 15};
    EXPECT_NE(std::find(monitors.begin(), monitors.end(), primary), monitors.end());
}

using MainWindowEnd = MainWindowFixture;

TEST_F(MainWindowEnd, EndProgramClosesEveryWindowAndQuits) {
    PropertiesWindow info(GetModuleHandleW(nullptr), window);
    info.CreateHidden();
    ASSERT_TRUE(info.Exists());
    HWND main = window.Handle();
    window.EndProgram();
    EXPECT_EQ(window.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(main));
    EXPECT_FALSE(info.Exists());
    EXPECT_TRUE(DrainQuitMessage());
}

TEST_F(MainWindowEnd, AfterTheEndTheViewDoesNothing) {
    EXPECT_CALL(events, OnCloseRequest()).Times(0);
    window.EndProgram();
    DrainQuitMessage();
    MainViewModel model;
    model.Caption = "x";
    model.Tables = {{"x"}, 0};
    window.Show(model);
    window.MoveWindow(TwipsRect{15, 15, 3555, 2355});
    EXPECT_EQ(window.WindowRect(), TwipsRect{});
    MenuItem options;
    options.Caption = "Optionen";
    EXPECT_EQ(window.ShowPopupMenu({options}), std::nullopt);
    EXPECT_EQ(window.ChooseFile("t", "", "C:\\"), std::nullopt);
    window.EndProgram();
    EXPECT_FALSE(DrainQuitMessage()) << "ends once";
}

TEST_F(MainWindowEnd, MessageLoopStopsAtTheEndAndDispatchesNothingAfter) {
    EXPECT_CALL(events, OnCommand(MainCommand::Exit)).WillOnce(Invoke([&](MainCommand) {
        window.EndProgram();
    }));
    window.Load(SW_SHOWNOACTIVATE);
    // A message queued behind the click must stay unhandled.
    const UniqueWindow owned(CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 1, 1, nullptr,
                                             nullptr, GetModuleHandleW(nullptr), nullptr));
    HWND witness = owned.Get();
    PostMessageW(ControlOf(MainControl::ExitButton), BM_CLICK, 0, 0);
    PostMessageW(witness, WM_APP + 1, 0, 0);
    SurveyWindow survey(GetModuleHandleW(nullptr), window);
    EXPECT_EQ(RunMessageLoop(window, survey), 0);
    MSG left{};
    EXPECT_TRUE(PeekMessageW(&left, witness, WM_APP + 1, WM_APP + 1, PM_REMOVE));
}

} // namespace
} // namespace psm
