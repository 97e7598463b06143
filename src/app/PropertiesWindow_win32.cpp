#include "app/PropertiesWindow_win32.h"

#include "app/MainWindowDesign_win32.h"
#include "app/MainWindow_win32.h"
#include "app/Screen_win32.h"
#include "app/Twips_win32.h"
#include "platform/Utf16_win32.h"

#include <commctrl.h>

namespace psm {
namespace {

constexpr DWORD InfoStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD InfoExtendedStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;

bool ValidCell(int column, int row) {
    return column >= 1 && column <= PropertiesColumns && row >= 1 && row <= PropertiesRows;
}

size_t CellIndex(int column, int row) {
    return static_cast<size_t>((column - 1) * PropertiesRows + row - 1);
}

} // namespace

PropertiesWindow::PropertiesWindow(HINSTANCE instance, const MainWindow& owner)
    : m_instance(instance), m_owner(owner) {}

PropertiesWindow::~PropertiesWindow() {
    DestroyBound();
}

HWND PropertiesWindow::Label(int column, int row) const {
    return ValidCell(column, row) ? m_labels[CellIndex(column, row)] : nullptr;
}

bool PropertiesWindow::Exists() const {
    return m_window != nullptr;
}

bool PropertiesWindow::Visible() const {
    return m_window != nullptr && IsWindowVisible(m_window);
}

void PropertiesWindow::CreateHidden() {
    if (m_window != nullptr) {
        return;
    }
    m_widthTwips = 0;
    m_heightTwips = 0;
    const SIZE size = DesignFrameSize(ScreenDpi());
    CreateBound(m_instance, {.Name = PropertiesWindowClassName}, InfoExtendedStyle, L"", InfoStyle,
                0, 0, size.cx, size.cy, m_owner.Handle());
}

void PropertiesWindow::Show(const PropertiesViewModel& model) {
    if (m_window == nullptr) {
        return;
    }
    SetWindowTextW(m_window, Widen(model.Caption).c_str());
    for (int row = 1; row <= PropertiesRows; ++row) {
        const PropertiesRowModel& line = model.Rows[static_cast<size_t>(row - 1)];
        int column = 1;
        for (const std::string* text :
             {&line.Name, &line.Value, &line.Unit, &line.Compared, &line.Mark}) {
            if (HWND label = Label(column++, row)) {
                SetWindowTextW(label, Widen(*text).c_str());
            }
        }
    }
    if (m_note != nullptr) {
        SetWindowTextW(m_note, Widen(model.Note).c_str());
    }
    if (m_choose != nullptr) {
        SetWindowTextW(m_choose, Widen(model.ChooseNearest).c_str());
        ShowWindow(m_choose, model.ChooseNearest.empty() ? SW_HIDE : SW_SHOWNA);
    }
    ShowWindow(m_window, SW_SHOW); // with its texts, drawn once
}

int32_t PropertiesWindow::Width() const {
    // Beside the main window it is shown at the DPI of the main window's monitor.
    return PixelsToTwips(DesignFrameSize(WindowDpi(m_owner.Handle())).cx, ScreenDpi());
}

void PropertiesWindow::MoveWindow(const TwipsRect& rect) {
    if (m_window == nullptr) {
        return;
    }
    const RECT frame = ScreenPixelsOf(rect, ScreenDpi());
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // The size in twips of the DPI it is placed at, kept for a change of monitor.
    const UINT dpi = WindowDpi(m_owner.Handle());
    m_widthTwips = PixelsToTwips(width, dpi);
    m_heightTwips = PixelsToTwips(height, dpi);
    SetWindowPos(m_window, nullptr, frame.left, frame.top, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void PropertiesWindow::Destroy() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

SIZE PropertiesWindow::DesignFrameSize(UINT dpi) const {
    RECT frame{0, 0, TwipsToPixels(PropertiesClientWidth, dpi),
               TwipsToPixels(PropertiesClientHeight, dpi)};
    AdjustWindowRectExForDpi(&frame, InfoStyle, FALSE, InfoExtendedStyle, dpi);
    return SIZE{frame.right - frame.left, frame.bottom - frame.top};
}

SIZE PropertiesWindow::FrameSize(UINT dpi) const {
    if (m_widthTwips > 0 && m_heightTwips > 0) {
        return SIZE{TwipsToPixels(m_widthTwips, dpi), TwipsToPixels(m_heightTwips, dpi)};
    }
    return DesignFrameSize(dpi);
}

LRESULT PropertiesWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_NCDESTROY:
        m_labels.fill(nullptr);
        m_note = nullptr;
        m_choose = nullptr;
        break;
    case WM_LBUTTONDOWN:
        OnClick();
        return 0;
    case WM_COMMAND:
        // BN_CLICKED and STN_CLICKED share their code: the sender tells them apart.
        if (LOWORD(wParam) == PropertiesChooseId) {
            if (HIWORD(wParam) == BN_CLICKED && m_events != nullptr) {
                m_events->OnPropertiesCommand(PropertiesCommand::ChooseNearestType);
            }
        } else if (HIWORD(wParam) == STN_CLICKED) {
            OnClick();
        }
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(ChangedDpi(wParam));
        MoveToSuggested(m_window, lParam, FrameSize(m_scale.Dpi()));
        return 0;
    case WM_GETDPISCALEDSIZE: {
        const auto dpi = static_cast<UINT>(wParam);
        *reinterpret_cast<SIZE*>(lParam) = FrameSize(dpi);
        return TRUE;
    }
    case WM_SETTINGCHANGE:
        ApplyDpi(m_scale.Dpi());
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool PropertiesWindow::OnCreate() {
    for (int column = 1; column <= PropertiesColumns; ++column) {
        for (int row = 1; row <= PropertiesRows; ++row) {
            // One line each: a name wider than its label loses its end, not
            // its whole text to an invisible second line. SS_NOTIFY: a click
            // on a label reports STN_CLICKED.
            HWND label = CreateWindowExW(
                0, WC_STATICW, L"",
                WS_CHILD | WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0, 0, 0, 0,
                m_window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(PropertiesLabelId(column, row))),
                m_instance, nullptr);
            if (label == nullptr) {
                return false;
            }
            m_labels[CellIndex(column, row)] = label;
        }
    }
    // Several lines, wrapped at its width.
    m_note = CreateWindowExW(
        0, WC_STATICW, L"", WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0, 0, 0, 0,
        m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(PropertiesNoteId)), m_instance,
        nullptr);
    if (m_note == nullptr) {
        return false;
    }
    // Hidden until a model names a nearest type.
    m_choose = CreateWindowExW(
        0, WC_BUTTONW, L"", WS_CHILD | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0, m_window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(PropertiesChooseId)), m_instance, nullptr);
    if (m_choose == nullptr) {
        return false;
    }
    ApplyDpi(WindowDpi(m_window));
    const SIZE size = DesignFrameSize(m_scale.Dpi());
    SetWindowPos(m_window, nullptr, 0, 0, size.cx, size.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return true;
}

void PropertiesWindow::OnUnexpectedFailure() noexcept {
    if (m_events != nullptr) {
        m_events->OnUnexpectedFailure();
    }
}

void PropertiesWindow::OnClick() {
    if (m_events != nullptr) {
        m_events->OnPropertiesClick(); // may destroy this window
    }
}

void PropertiesWindow::ApplyDpi(UINT dpi) {
    m_scale.Apply(m_window, dpi);
    for (int column = 1; column <= PropertiesColumns; ++column) {
        for (int row = 1; row <= PropertiesRows; ++row) {
            const RECT place = m_scale.PixelRect(PropertiesLabelRect(column, row));
            SetWindowPos(Label(column, row), nullptr, place.left, place.top,
                         place.right - place.left, place.bottom - place.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
    const RECT note = m_scale.PixelRect(PropertiesNoteRect);
    SetWindowPos(m_note, nullptr, note.left, note.top, note.right - note.left,
                 note.bottom - note.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT choose = m_scale.PixelRect(PropertiesChooseRect);
    SetWindowPos(m_choose, nullptr, choose.left, choose.top, choose.right - choose.left,
                 choose.bottom - choose.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace psm
