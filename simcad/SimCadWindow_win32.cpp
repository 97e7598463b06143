#include "simcad/SimCadWindow_win32.h"

#include "platform/Utf16_win32.h"
#include "simcad/DocumentView.h"

namespace psm::simcad {
namespace {

constexpr UINT_PTR RefreshTimer = 1;
constexpr UINT RefreshMs = 200;
constexpr int ListId = 100;
constexpr int Margin = 8;
constexpr int ListWidth = 220;
constexpr int CaptionHeight = 20;

} // namespace

SimCadWindow::SimCadWindow(HINSTANCE instance, World& world, std::wstring title)
    : m_instance(instance), m_world(world), m_title(std::move(title)) {}

SimCadWindow::~SimCadWindow() {
    DestroyBound();
}

bool SimCadWindow::Create() {
    // Placed to the right of where psm opens at its first start.
    if (!CreateBound(
            m_instance, {.Name = WindowClassName, .Icon = LoadIconW(nullptr, IDI_APPLICATION)}, 0,
            m_title.c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 360, 40, 640, 420, nullptr)) {
        return false;
    }
    return true;
}

void SimCadWindow::Show(int showCommand) {
    ShowWindow(m_window, showCommand);
    UpdateWindow(m_window);
}

void SimCadWindow::BringToFront() {
    if (IsIconic(m_window)) {
        ShowWindow(m_window, SW_RESTORE);
    }
    SetForegroundWindow(m_window);
}

void SimCadWindow::Close() {
    PostMessageW(m_window, WM_CLOSE, 0, 0);
}

LRESULT SimCadWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        OnCreate();
        return 0;
    case WM_SIZE:
        OnSize(LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == RefreshTimer) {
            Refresh();
        }
        return 0;
    case WM_COMMAND:
        if (LOWORD(wParam) == ListId && HIWORD(wParam) == LBN_SELCHANGE) {
            OnDocumentChosen();
        }
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, RefreshTimer);
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
}

void SimCadWindow::OnUnexpectedFailure() noexcept {
    // A test run must see the end, not a hang: the program ends with its message loop.
    PostQuitMessage(5);
}

void SimCadWindow::OnCreate() {
    m_font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    m_caption =
        CreateWindowExW(0, L"STATIC", L"Open documents (click one to make it active):",
                        WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, m_window, nullptr, m_instance, nullptr);
    m_list = CreateWindowExW(
        WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
        m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(ListId)), m_instance, nullptr);
    // A read-only edit rather than a static text: an assembly's tree may be
    // longer than the window, and an edit scrolls.
    m_details = CreateWindowExW(0, L"EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                                    ES_AUTOVSCROLL,
                                0, 0, 0, 0, m_window, nullptr, m_instance, nullptr);
    for (HWND control : {m_caption, m_list, m_details}) {
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    }
    Refresh();
    SetTimer(m_window, RefreshTimer, RefreshMs, nullptr);
}

void SimCadWindow::OnSize(int width, int height) {
    MoveWindow(m_caption, Margin, Margin, width - 2 * Margin, CaptionHeight, TRUE);
    const int top = Margin + CaptionHeight;
    MoveWindow(m_list, Margin, top, ListWidth, height - top - Margin, TRUE);
    const int left = 2 * Margin + ListWidth;
    MoveWindow(m_details, left, top, width - left - Margin, height - top - Margin, TRUE);
}

void SimCadWindow::OnDocumentChosen() {
    const LRESULT index = SendMessageW(m_list, LB_GETCURSEL, 0, 0);
    if (index < 0 || static_cast<std::size_t>(index) >= m_shownNames.size()) {
        return;
    }
    m_world.Sim.Activate(m_shownNames[static_cast<std::size_t>(index)]);
    Refresh();
}

void SimCadWindow::Refresh() {
    const std::vector<std::string> names = DocumentNames(m_world.Sim);
    const std::vector<sim::Document*> open = m_world.Sim.OpenDocuments();
    const sim::Document* active = m_world.Sim.ActiveDocument();
    const std::string activeName = active != nullptr ? active->Name() : std::string();
    if (names != m_shownNames) {
        SendMessageW(m_list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : names) {
            SendMessageW(m_list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Widen(name).c_str()));
        }
        m_shownNames = names;
        m_shownActive.clear();
    }
    if (activeName != m_shownActive || names.empty()) {
        LRESULT selection = -1;
        for (std::size_t i = 0; i < open.size(); ++i) {
            if (active != nullptr && open[i] == active) {
                selection = static_cast<LRESULT>(i);
            }
        }
        SendMessageW(m_list, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
        m_shownActive = activeName;
    }
    const std::string details = DetailsText(m_world);
    if (details != m_shownDetails) {
        // The call count changes the text at every call psm makes: the reader
        // keeps the place they scrolled to.
        const LRESULT firstLine = SendMessageW(m_details, EM_GETFIRSTVISIBLELINE, 0, 0);
        SetWindowTextW(m_details, Widen(details).c_str());
        SendMessageW(m_details, EM_LINESCROLL, 0, firstLine);
        m_shownDetails = details;
    }
}

} // namespace psm::simcad
