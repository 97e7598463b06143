#include "tools/driver/Psm_win32.h"

#include "app/Twips_win32.h"
#include "tools/driver/WaitUntil_win32.h"

namespace psm::e2e {
namespace {

constexpr UINT ReplyTimeoutMs = 5000;
constexpr int MessageTextId = 0xFFFF;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, ReplyTimeoutMs,
                            &result) == 0) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

struct ChildSearch {
    int Id;
    HWND Found;
};

BOOL CALLBACK FindChild(HWND child, LPARAM search) {
    auto* wanted = reinterpret_cast<ChildSearch*>(search);
    if (GetDlgCtrlID(child) == wanted->Id) {
        wanted->Found = child;
        return FALSE;
    }
    return TRUE;
}

} // namespace

HWND FindControl(HWND main, MainControl control) {
    ChildSearch search{DesignOf(control).Id, nullptr};
    // Without a parent EnumChildWindows would walk the top-level windows.
    if (main != nullptr) {
        EnumChildWindows(main, FindChild, reinterpret_cast<LPARAM>(&search));
    }
    return search.Found;
}

POINT FreeAreaPoint(HWND main) {
    const UINT dpi = GetDpiForWindow(main) != 0 ? GetDpiForWindow(main) : 96;
    return POINT{TwipsToPixels(3200, dpi), TwipsToPixels(200, dpi)};
}

std::wstring TextOf(HWND window) {
    if (window == nullptr) {
        return {};
    }
    const LRESULT length = Ask(window, WM_GETTEXTLENGTH);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Ask(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
    return text;
}

Psm::~Psm() {
    if (Running()) {
        End();
    }
}

std::vector<HWND> Psm::WindowsOfProcess(const wchar_t* className) const {
    return m_process ? m_process->VisibleWindows(className) : std::vector<HWND>();
}

bool Psm::Start(DWORD timeoutMs) {
    return Launch() && WaitForMain(timeoutMs);
}

bool Psm::Launch() {
    m_main = nullptr;
    m_process = ChildProcess::Start(L"psm.exe", L"");
    return m_process.has_value();
}

bool Psm::WaitForMain(DWORD timeoutMs) {
    if (!m_process) {
        return false;
    }
    const bool shown = WaitUntil(
        [&] {
            const auto windows = WindowsOfProcess(MainWindowClassName);
            m_main = windows.empty() ? nullptr : windows.front();
            return m_main != nullptr || !m_process->Running();
        },
        timeoutMs);
    return shown && m_main != nullptr;
}

bool Psm::WaitForExit(DWORD milliseconds) {
    return !m_process || m_process->WaitForExit(milliseconds);
}

void Psm::End() {
    if (!Running()) {
        return;
    }
    Click(MainControl::ExitButton);
    if (!WaitForExit(10000)) {
        m_process->Terminate();
    }
}

HWND Psm::Control(MainControl control) const {
    return FindControl(m_main, control);
}

std::wstring Psm::Caption() const {
    return TextOf(m_main);
}

std::wstring Psm::Label() const {
    return TextOf(Control(MainControl::DocumentLabel));
}

std::wstring Psm::Status() const {
    return TextOf(Control(MainControl::StatusBar));
}

std::vector<std::wstring> Psm::Items(MainControl combo) const {
    HWND list = Control(combo);
    std::vector<std::wstring> items;
    const LRESULT count = Ask(list, CB_GETCOUNT);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT length = Ask(list, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
        std::wstring text(length > 0 ? static_cast<std::size_t>(length) + 1 : 1, L'\0');
        const LRESULT copied =
            Ask(list, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
        text.resize(copied > 0 ? static_cast<std::size_t>(copied) : 0);
        items.push_back(text);
    }
    return items;
}

int Psm::Selection(MainControl combo) const {
    return static_cast<int>(Ask(Control(combo), CB_GETCURSEL));
}

std::wstring Psm::Selected(MainControl combo) const {
    const int index = Selection(combo);
    const auto items = Items(combo);
    return index >= 0 && static_cast<std::size_t>(index) < items.size()
               ? items[static_cast<std::size_t>(index)]
               : std::wstring();
}

void Psm::Click(MainControl button) const {
    PostMessageW(Control(button), BM_CLICK, 0, 0);
}

void Psm::Choose(MainControl combo, int index) const {
    HWND list = Control(combo);
    Ask(list, CB_SETCURSEL, static_cast<WPARAM>(index));
    PostMessageW(GetParent(list), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(DesignOf(combo).Id), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
}

std::optional<MessageBoxSeen> Psm::WaitForMessageBox(DWORD milliseconds) const {
    MessageBoxSeen seen;
    const bool shown = WaitUntil(
        [&] {
            for (HWND window : WindowsOfProcess(L"#32770")) {
                if (HWND text = GetDlgItem(window, MessageTextId)) {
                    seen = {window, TextOf(window), TextOf(text)};
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    if (!shown) {
        return std::nullopt;
    }
    return seen;
}

bool Psm::Answer(const MessageBoxSeen& box, int buttonId) const {
    PostMessageW(box.Window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box.Window, buttonId)));
    return WaitUntil([&] { return !IsWindow(box.Window) || !IsWindowVisible(box.Window); }, 5000);
}

bool Psm::NoMessageBox() const {
    for (HWND window : WindowsOfProcess(L"#32770")) {
        if (GetDlgItem(window, MessageTextId) != nullptr) {
            return false;
        }
    }
    return true;
}

bool Psm::UseMenu(const std::vector<WPARAM>& keys) const {
    const POINT freeArea = FreeAreaPoint(m_main);
    const LPARAM point = MAKELPARAM(freeArea.x, freeArea.y);
    PostMessageW(m_main, WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageW(m_main, WM_RBUTTONUP, 0, point);
    if (!WaitUntil([&] { return !WindowsOfProcess(L"#32768").empty(); }, 5000)) {
        return false;
    }
    Sleep(100);
    for (const WPARAM key : keys) {
        PostMessageW(m_main, WM_KEYDOWN, key, 1);
        PostMessageW(m_main, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
    return WaitUntil([&] { return WindowsOfProcess(L"#32768").empty(); }, 5000);
}

HWND Psm::WaitForFileDialog(DWORD milliseconds) const {
    HWND dialog = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : WindowsOfProcess(L"#32770")) {
                if (GetDlgItem(window, MessageTextId) == nullptr) {
                    dialog = window;
                    return true;
                }
            }
            return false;
        },
        milliseconds);
    return dialog;
}

HWND Psm::PropertiesWindow() const {
    const auto windows = WindowsOfProcess(PropertiesWindowClassName);
    return windows.empty() ? nullptr : windows.front();
}

std::wstring Psm::InfoLabel(int column, int row) const {
    return TextOf(GetDlgItem(PropertiesWindow(), PropertiesLabelId(column, row)));
}

HWND Psm::InfoButton() const {
    HWND button = GetDlgItem(PropertiesWindow(), PropertiesChooseId);
    return button != nullptr && IsWindowVisible(button) ? button : nullptr;
}

RECT Psm::WindowRect() const {
    RECT frame{};
    GetWindowRect(m_main, &frame);
    return frame;
}

void Psm::MoveTo(int x, int y) const {
    SetWindowPos(m_main, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

bool Psm::WaitForLabel(const std::wstring& text, DWORD milliseconds) const {
    return WaitUntil([&] { return Label() == text; }, milliseconds);
}

} // namespace psm::e2e
