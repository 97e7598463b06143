#include "app/MainWindow_win32.h"

#include "app/ButtonPicture_win32.h"
#include "app/FileDialog_win32.h"
#include "app/MessageFont_win32.h"
#include "app/Panel_win32.h"
#include "app/PopupMenu_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"
#include "app/res/ResourceIds.h"
#include "platform/Utf16_win32.h"

#include <commctrl.h>

namespace psm {
namespace {

constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Entries the open lists show before they scroll.
constexpr int VisibleListEntries = 12;

constexpr ButtonId Buttons[] = {ButtonId::CmdWrite, ButtonId::CmdUndo, ButtonId::CmdUndoWrite,
                                ButtonId::CmdInfo, ButtonId::CmdEnd};

HintArea HintAreaOf(MainControl control) {
    switch (control) {
    case MainControl::CmdWrite:
        return HintArea::CmdWrite;
    case MainControl::CmdUndo:
        return HintArea::CmdUndo;
    case MainControl::CmdUndoWrite:
        return HintArea::CmdUndoWrite;
    case MainControl::CmdInfo:
        return HintArea::CmdInfo;
    case MainControl::CmdEnd:
        return HintArea::CmdEnd;
    case MainControl::Label1:
        return HintArea::Label1;
    default:
        return HintArea::Picture1;
    }
}

bool RegisterMainWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, MainWindowClassName, &existing)) {
        return true;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    windowClass.lpszClassName = MainWindowClassName;
    return RegisterClassExW(&windowClass) != 0;
}

} // namespace

MainWindow::MainWindow(HINSTANCE instance) : m_instance(instance) {}

MainWindow::~MainWindow() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

bool MainWindow::Create(MainWindowEvents& events) {
    if (m_window != nullptr || m_ended) {
        return false;
    }
    if (!RegisterMainWindowClass(m_instance, BoundWindowProc<MainWindow>) ||
        !RegisterPanelClass(m_instance)) {
        return false;
    }
    m_events = &events;
    // "orna" is the design caption; the core sets the real one at start-up.
    CreateWindowExW(0, MainWindowClassName, L"orna", MainWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    0, 0, nullptr, nullptr, m_instance, this);
    return m_window != nullptr;
}

void MainWindow::Load(int showCommand) {
    if (Forwarding()) {
        m_events->OnLoad();
    }
    if (m_ended || m_window == nullptr) {
        return;
    }
    m_shown = true;
    m_activationReported = false;
    ShowWindow(m_window, m_showNormal ? SW_SHOWNORMAL : showCommand);
    // A window the start-up already made active gets no new activation from
    // the show; the core still hears of it, as a form is activated after loading.
    if (!m_activationReported && GetActiveWindow() == m_window && Forwarding()) {
        m_events->OnActivate();
    }
    if (m_window != nullptr) {
        UpdateWindow(m_window);
    }
}

bool MainWindow::TranslateDialogMessage(MSG& message) {
    return m_window != nullptr && !m_ended && IsDialogMessageW(m_window, &message);
}

HWND MainWindow::Control(MainControl control) const {
    return m_controls[static_cast<size_t>(control)];
}

// --- messages ---------------------------------------------------------------

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_NCDESTROY: {
        const LRESULT result = DefWindowProcW(m_window, message, wParam, lParam);
        OnNcDestroy();
        return result;
    }
    case WM_COMMAND:
        OnCommand(wParam);
        return 0;
    case WM_ACTIVATE:
        OnActivate(wParam);
        return 0;
    case WM_SETFOCUS:
        RestoreFocus();
        return 0;
    case WM_TIMER:
        OnTimer(wParam);
        return 0;
    case WM_MOUSEMOVE:
        OnMouseMove(HintArea::FreeArea);
        return 0;
    case WM_LBUTTONDOWN:
        OnMouseDown(MouseButton::Left);
        return 0;
    case WM_RBUTTONDOWN:
        OnMouseDown(MouseButton::Right);
        return 0;
    case WM_MBUTTONDOWN:
        OnMouseDown(MouseButton::Middle);
        return 0;
    case WM_CONTEXTMENU:
        OnContextMenu(lParam);
        return 0;
    case WM_SETCURSOR:
        if (OnSetCursor()) {
            return TRUE;
        }
        break;
    case WM_CLOSE:
        // The core decides whether and how the program ends.
        if (Forwarding()) {
            m_events->OnCloseRequest();
        }
        return 0;
    case WM_SIZE:
        if (wParam != SIZE_MINIMIZED) {
            LayoutControls();
        }
        return 0;
    case WM_DPICHANGED:
        OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
        return 0;
    case WM_GETDPISCALEDSIZE:
        OnGetDpiScaledSize(static_cast<UINT>(wParam), *reinterpret_cast<SIZE*>(lParam));
        return TRUE;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
    case WM_SETTINGCHANGE:
        OnSystemLookChanged();
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK MainWindow::ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR area, DWORD_PTR self) {
    if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
        reinterpret_cast<MainWindow*>(self)->OnMouseMove(static_cast<HintArea>(area));
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(child, ChildProc, area);
    }
    return DefSubclassProc(child, message, wParam, lParam);
}

HWND MainWindow::CreateControl(MainControl control, const wchar_t* className, DWORD style,
                               DWORD extendedStyle, HWND parent) {
    const int id = DesignOf(control).Id;
    HWND handle = CreateWindowExW(
        extendedStyle, className, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | style, 0, 0, 0, 0,
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), m_instance, nullptr);
    m_controls[static_cast<size_t>(control)] = handle;
    return handle;
}

bool MainWindow::OnCreate() {
    for (const ButtonId button : Buttons) {
        CreateControl(ButtonControl(button), WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0,
                      m_window);
    }
    HWND panel = CreateControl(MainControl::Picture1, PanelClassName, WS_CLIPCHILDREN,
                               WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, m_window);
    for (const MainControl list : {MainControl::Combo1, MainControl::Combo2}) {
        CreateControl(list, WC_COMBOBOXW,
                      WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, panel);
    }
    // Label1 overlaps the panel's top edge by a pixel in the design; created
    // after the panel it lies below it and leaves the edge whole.
    // SS_NOTIFY: a plain static lets the mouse fall through to the window.
    CreateControl(MainControl::Label1, WC_STATICW,
                  SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY, 0, m_window);
    // Placed by the layout: the designed height, along the bottom edge.
    HWND status = CreateControl(MainControl::StatusBar1, STATUSCLASSNAMEW,
                                CCS_NOPARENTALIGN | CCS_NORESIZE, 0, m_window);
    for (const HWND control : m_controls) {
        if (control == nullptr) {
            return false;
        }
    }
    // One part across the whole bar, so that WM_GETTEXT reads the hint.
    int partEdges[] = {-1};
    SendMessageW(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(partEdges));
    for (const MainControl hinted :
         {MainControl::CmdWrite, MainControl::CmdUndo, MainControl::CmdUndoWrite,
          MainControl::CmdInfo, MainControl::CmdEnd, MainControl::Label1, MainControl::Picture1}) {
        SetWindowSubclass(Control(hinted), ChildProc, static_cast<UINT_PTR>(HintAreaOf(hinted)),
                          reinterpret_cast<DWORD_PTR>(this));
    }
    for (const MainControl list : {MainControl::Combo1, MainControl::Combo2}) {
        SendMessageW(Control(list), CB_SETMINVISIBLE, VisibleListEntries, 0);
    }
    ApplyDpi(WindowDpi(m_window));
    SetWindowPos(m_window, nullptr, 0, 0, TwipsToPixels(m_widthTwips, m_dpi),
                 TwipsToPixels(m_heightTwips, m_dpi), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void MainWindow::OnNcDestroy() {
    SetWindowLongPtrW(m_window, GWLP_USERDATA, 0);
    m_window = nullptr;
    m_controls.fill(nullptr);
    m_focus = nullptr;
    m_ended = true;
}

void MainWindow::OnUnexpectedFailure() noexcept {
    if (m_events != nullptr) {
        m_events->OnUnexpectedFailure();
    }
}

void MainWindow::OnCommand(WPARAM wParam) {
    if (!Forwarding()) {
        return;
    }
    const int id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    for (const ButtonId button : Buttons) {
        if (id == DesignOf(ButtonControl(button)).Id) {
            if (code == BN_CLICKED) {
                m_events->OnButtonClick(button);
            }
            return;
        }
    }
    if (code != CBN_SELCHANGE) {
        return;
    }
    for (const ListId list : {ListId::Combo1, ListId::Combo2}) {
        HWND combo = ListControl(list);
        if (combo != nullptr && id == GetDlgCtrlID(combo)) {
            const auto position = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
            m_events->OnListSelected(list, position);
            return;
        }
    }
}

void MainWindow::OnActivate(WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(m_window, focus)) {
            m_focus = focus;
        }
        return;
    }
    // As for a form, activation counts from the moment the window is shown.
    if (m_shown && Forwarding()) {
        m_activationReported = true;
        m_events->OnActivate();
    }
    if (m_window != nullptr && HIWORD(wParam) == 0) {
        RestoreFocus();
    }
}

void MainWindow::RestoreFocus() {
    if (m_window == nullptr) {
        return;
    }
    HWND target = m_focus;
    if (target == nullptr || !IsChild(m_window, target) || !IsWindowEnabled(target)) {
        target = Control(MainControl::CmdWrite);
    }
    SetFocus(target);
}

void MainWindow::OnTimer(WPARAM timerId) {
    if (timerId == WatchTimerId && Forwarding()) {
        m_events->OnTimer(GetActiveWindow() == m_window);
    }
}

void MainWindow::OnMouseDown(MouseButton button) {
    if (Forwarding()) {
        m_events->OnMouseDown(button);
    }
}

void MainWindow::OnContextMenu(LPARAM lParam) {
    // The menu key and Shift+F10 stand for the right mouse button, so that the
    // popup menu can be reached without a mouse. A right click has already
    // been handled as a button press.
    if (lParam != -1) {
        return;
    }
    m_menuFromKeyboard = true;
    OnMouseDown(MouseButton::Right);
    m_menuFromKeyboard = false;
}

void MainWindow::OnMouseMove(HintArea area) {
    if (Forwarding()) {
        m_events->OnMouseMove(area);
    }
}

void MainWindow::OnDpiChanged(UINT dpi, const RECT& suggested) {
    ApplyDpi(dpi);
    // The outer size stays what the core set, in twips, now at the new DPI.
    SetWindowPos(m_window, nullptr, suggested.left, suggested.top, TwipsToPixels(m_widthTwips, dpi),
                 TwipsToPixels(m_heightTwips, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::OnGetDpiScaledSize(UINT dpi, SIZE& size) const {
    size.cx = TwipsToPixels(m_widthTwips, dpi);
    size.cy = TwipsToPixels(m_heightTwips, dpi);
}

void MainWindow::OnSystemLookChanged() {
    if (m_window == nullptr) {
        return;
    }
    SendMessageW(Control(MainControl::StatusBar1), WM_SYSCOLORCHANGE, 0, 0);
    ApplyDpi(m_dpi);
}

// --- drawing at the window's DPI ----------------------------------------------

void MainWindow::ApplyDpi(UINT dpi) {
    m_dpi = dpi;
    UniqueFont font = CreateMessageFont(dpi);
    SetFontOnChildren(m_window, font.get());
    m_font = std::move(font); // the old font only after no control uses it
    LoadIcons();
    LoadPictures();
    LayoutControls();
}

void MainWindow::LoadIcons() {
    const auto load = [this](int widthMetric, int heightMetric) {
        return UniqueIcon(static_cast<HICON>(
            LoadImageW(m_instance, MAKEINTRESOURCEW(IDI_PSM), IMAGE_ICON,
                       GetSystemMetricsForDpi(widthMetric, m_dpi),
                       GetSystemMetricsForDpi(heightMetric, m_dpi), LR_DEFAULTCOLOR)));
    };
    UniqueIcon big = load(SM_CXICON, SM_CYICON);
    UniqueIcon small = load(SM_CXSMICON, SM_CYSMICON);
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    m_bigIcon = std::move(big);
    m_smallIcon = std::move(small);
}

void MainWindow::LoadPictures() {
    for (const ButtonId button : Buttons) {
        UniqueBitmap picture = LoadButtonPicture(m_instance, button, m_dpi);
        SendMessageW(Control(ButtonControl(button)), BM_SETIMAGE, IMAGE_BITMAP,
                     reinterpret_cast<LPARAM>(picture.get()));
        m_pictures[static_cast<size_t>(button)] = std::move(picture);
    }
}

void MainWindow::LayoutControls() {
    RECT client{};
    GetClientRect(m_window, &client);
    for (const ControlDesign& design : MainWindowDesign) {
        HWND control = Control(design.Control);
        RECT place = TwipsToPixelRect(design.Rect, m_dpi);
        if (design.Control == MainControl::StatusBar1) {
            // Along the bottom edge, the whole width: it stays in sight when
            // a thicker frame leaves less client area than designed.
            const int height = place.bottom - place.top;
            place = RECT{0, client.bottom - height, client.right, client.bottom};
        }
        int height = place.bottom - place.top;
        if (design.Control == MainControl::Combo1 || design.Control == MainControl::Combo2) {
            // A combo box's height includes its open list.
            const auto entryHeight =
                static_cast<int>(SendMessageW(control, CB_GETITEMHEIGHT, 0, 0));
            height += VisibleListEntries * (entryHeight > 0 ? entryHeight : height) + 2;
        }
        SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

// --- MainView -----------------------------------------------------------------

HWND MainWindow::ListControl(ListId list) const {
    return Control(list == ListId::Combo1 ? MainControl::Combo1 : MainControl::Combo2);
}

void MainWindow::SetCaption(const std::string& text) {
    SetWindowTextW(m_window, Widen(text).c_str());
}

void MainWindow::SetDocumentLabel(const std::string& text) {
    SetWindowTextW(Control(MainControl::Label1), Widen(text).c_str());
}

void MainWindow::SetStatusText(const std::string& text) {
    const std::wstring wide = Widen(text);
    SendMessageW(Control(MainControl::StatusBar1), SB_SETTEXTW, 0,
                 reinterpret_cast<LPARAM>(wide.c_str()));
}

void MainWindow::SetButtonName(ButtonId button, const std::string& text) {
    SetWindowTextW(Control(ButtonControl(button)), Widen(text).c_str());
}

void MainWindow::ClearList(ListId list) {
    SendMessageW(ListControl(list), CB_RESETCONTENT, 0, 0);
}

void MainWindow::AddListItem(ListId list, const std::string& text) {
    const std::wstring wide = Widen(text);
    SendMessageW(ListControl(list), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void MainWindow::SetListSelection(ListId list, int position) {
    // CB_SETCURSEL does not notify; -1 clears the selection.
    SendMessageW(ListControl(list), CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

TwipsRect MainWindow::WindowRect() const {
    return m_window != nullptr ? WindowRectInTwips(m_window) : TwipsRect{};
}

TwipsRect MainWindow::ScreenFrame() const {
    RECT frame{};
    if (m_window == nullptr || !GetWindowRect(m_window, &frame)) {
        return TwipsRect{};
    }
    return ScreenTwipsOf(frame, ScreenDpi());
}

void MainWindow::MoveWindow(const TwipsRect& rect) {
    if (m_window == nullptr) {
        return;
    }
    m_widthTwips = rect.Width;
    m_heightTwips = rect.Height;
    MoveWindowInTwips(m_window, rect);
}

void MainWindow::RestoreNormalState() {
    if (m_window == nullptr) {
        return;
    }
    if (!IsWindowVisible(m_window)) {
        m_showNormal = true; // takes effect when the window is shown
        return;
    }
    if (IsIconic(m_window) || IsZoomed(m_window)) {
        ShowWindow(m_window, SW_RESTORE);
    }
}

void MainWindow::KeepOnTop() {
    SetWindowPos(m_window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

int32_t MainWindow::ScreenWidth() const {
    return PrimaryScreenWidthInTwips();
}

std::vector<TwipsRect> MainWindow::MonitorAreas() const {
    return MonitorAreasInTwips();
}

void MainWindow::StartTimer(int intervalMilliseconds) {
    if (m_window != nullptr && intervalMilliseconds > 0) {
        SetTimer(m_window, WatchTimerId, static_cast<UINT>(intervalMilliseconds), nullptr);
    }
}

std::optional<MenuCommand> MainWindow::ShowPopupMenu(const std::vector<MenuItem>& items) {
    if (m_window == nullptr || m_ended) {
        return std::nullopt;
    }
    POINT at{};
    if (m_menuFromKeyboard) {
        ClientToScreen(m_window, &at);
    } else {
        GetCursorPos(&at);
    }
    const PopupMenu menu(items);
    return menu.Track(m_window, at);
}

std::optional<std::string> MainWindow::ChooseFile(const std::string& title,
                                                  const std::string& initialFile,
                                                  const std::string& initialFolder) {
    if (m_ended) {
        return std::nullopt;
    }
    const std::optional<std::wstring> chosen =
        ShowOpenFileDialog(m_window, Widen(title), Widen(initialFile), Widen(initialFolder));
    if (!chosen) {
        return std::nullopt;
    }
    return Narrow(*chosen);
}

void MainWindow::Focus() {
    if (m_window != nullptr && !m_ended) {
        SetFocus(m_window); // WM_SETFOCUS hands it on to the last used control
    }
}

void MainWindow::EndProgram() {
    if (m_ended) {
        return;
    }
    m_ended = true;
    if (m_window != nullptr) {
        KillTimer(m_window, WatchTimerId);
        DestroyWindow(m_window); // owned windows (frmInfo, open dialogs) go with it
    }
    PostQuitMessage(0);
}

void MainWindow::SetMousePointer(MousePointerShape shape) {
    m_waitCursor = shape == MousePointerShape::Wait;
    SetCursor(LoadCursorW(nullptr, m_waitCursor ? IDC_WAIT : IDC_ARROW));
}

bool MainWindow::OnSetCursor() {
    // Children pass WM_SETCURSOR up to their parent first, so answering it
    // here keeps the hourglass over every control while a command runs.
    if (!m_waitCursor) {
        return false;
    }
    SetCursor(LoadCursorW(nullptr, IDC_WAIT));
    return true;
}

} // namespace psm
