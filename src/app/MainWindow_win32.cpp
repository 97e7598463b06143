#include "app/MainWindow_win32.h"

#include "app/MainWindowDesign_win32.h"
#include "app/Panel_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"
#include "core/Hints.h"

#include <commctrl.h>

namespace psm {
namespace {

constexpr DWORD MainWindowStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

} // namespace

MainWindow::MainWindow(HINSTANCE instance) : m_instance(instance) {}

MainWindow::~MainWindow() {
    DestroyBound();
}

bool MainWindow::Create(MainWindowEvents& events) {
    if (m_window != nullptr || !RegisterPanelClass(m_instance)) {
        return false;
    }
    m_events = &events;
    // "orna" is the design caption; the core sets the real one at start-up.
    return CreateBound(m_instance, {.Name = MainWindowClassName}, 0, L"orna", MainWindowStyle,
                       CW_USEDEFAULT, CW_USEDEFAULT, 0, 0, nullptr);
}

void MainWindow::Load(int showCommand) {
    if (Forwarding()) {
        m_events->OnLoad();
    }
    if (m_window == nullptr) {
        return; // the start-up ended the program
    }
    m_visible = true;
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
    return m_window != nullptr && IsDialogMessageW(m_window, &message);
}

HWND MainWindow::Control(MainControl control) const {
    const auto index = static_cast<size_t>(control);
    return index < m_controls.size() ? m_controls[index] : nullptr;
}

// --- messages ---------------------------------------------------------------

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_NCDESTROY:
        OnNcDestroy();
        break;
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
        OnMouseMove(MainControl::FreeArea);
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
        OnDpiChanged(ChangedDpi(wParam), lParam);
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
                                       UINT_PTR control, DWORD_PTR self) {
    if (message == WM_MOUSEMOVE || message == WM_NCMOUSEMOVE) {
        reinterpret_cast<MainWindow*>(self)->OnMouseMove(static_cast<MainControl>(control));
    } else if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(child, ChildProc, control);
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
    for (const MainControl button : PictureButtons) {
        CreateControl(button, WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON | BS_BITMAP, 0, m_window);
    }
    HWND panel = CreateControl(MainControl::ListPanel, PanelClassName, WS_CLIPCHILDREN,
                               WS_EX_CONTROLPARENT | WS_EX_CLIENTEDGE, m_window);
    for (const MainControl list : {MainControl::TableList, MainControl::TypeList}) {
        CreateControl(list, WC_COMBOBOXW,
                      WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_HASSTRINGS, 0, panel);
    }
    // The document label overlaps the panel's top edge by a pixel in the design; created
    // after the panel it lies below it and leaves the edge whole.
    // SS_NOTIFY: a plain static lets the mouse fall through to the window.
    CreateControl(MainControl::DocumentLabel, WC_STATICW,
                  SS_LEFT | SS_ENDELLIPSIS | SS_NOPREFIX | SS_NOTIFY, 0, m_window);
    // Placed by the layout: the designed height, along the bottom edge.
    HWND status = CreateControl(MainControl::StatusBar, STATUSCLASSNAMEW,
                                CCS_NOPARENTALIGN | CCS_NORESIZE, 0, m_window);
    for (const HWND control : m_controls) {
        if (control == nullptr) {
            return false;
        }
    }
    // One part across the whole bar, so that WM_GETTEXT reads the hint.
    int partEdges[] = {-1};
    SendMessageW(status, SB_SETPARTS, 1, reinterpret_cast<LPARAM>(partEdges));
    // Mouse moves over a control with a hint go to the core, which shows it.
    for (const ControlDesign& design : MainWindowDesign) {
        if (HintOf(design.Control)) {
            SetWindowSubclass(Control(design.Control), ChildProc,
                              static_cast<UINT_PTR>(design.Control),
                              reinterpret_cast<DWORD_PTR>(this));
        }
    }
    for (const ListId list : {ListId::Tables, ListId::Types}) {
        List(list).SetVisibleEntries(VisibleListEntries);
    }
    ApplyDpi(WindowDpi(m_window));
    SetWindowPos(m_window, nullptr, 0, 0, m_scale.Pixels(m_widthTwips),
                 m_scale.Pixels(m_heightTwips), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void MainWindow::OnNcDestroy() {
    m_controls.fill(nullptr);
    m_focus = nullptr;
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
    for (const MainControl button : PictureButtons) {
        if (id == DesignOf(button).Id) {
            if (code == BN_CLICKED) {
                m_events->OnCommand(*CommandOf(button));
            }
            return;
        }
    }
    if (code != CBN_SELCHANGE) {
        return;
    }
    for (const ListId list : {ListId::Tables, ListId::Types}) {
        if (id == DesignOf(ControlOf(list)).Id) {
            // Whatever the core makes of the choice, the next Show puts it in the list.
            m_listChosen[static_cast<std::size_t>(list)] = true;
            m_events->OnListChosen(list, List(list).Selection());
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
    if (m_visible && Forwarding()) {
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
        target = Control(MainControl::WriteButton);
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

void MainWindow::OnMouseMove(MainControl control) {
    if (Forwarding()) {
        m_events->OnMouseMove(control);
    }
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
