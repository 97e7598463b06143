// What the core tells the main window: texts, lists, placement, the popup
// menu, the file dialog and the end.

#include "app/FileDialog_win32.h"
#include "app/MainWindow_win32.h"
#include "app/PopupMenu_win32.h"
#include "app/Screen_win32.h"
#include "platform/Utf16_win32.h"

#include <commctrl.h>

namespace psm {

ComboBox MainWindow::List(ListId list) const {
    return ComboBox(Control(ControlOf(list)));
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

void MainWindow::SetButtonName(MainControl button, const std::string& text) {
    SetWindowTextW(Control(button), Widen(text).c_str());
}

void MainWindow::ClearList(ListId list) {
    List(list).Reset();
}

void MainWindow::AddListItem(ListId list, const std::string& text) {
    List(list).Add(text);
}

void MainWindow::SetListSelection(ListId list, int position) {
    List(list).Select(position);
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
    if (m_window == nullptr) {
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
    if (m_window == nullptr) {
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
    if (m_window != nullptr) {
        SetFocus(m_window); // WM_SETFOCUS hands it on to the last used control
    }
}

void MainWindow::EndProgram() {
    if (m_window == nullptr) {
        return;
    }
    KillTimer(m_window, WatchTimerId);
    DestroyWindow(m_window); // owned windows (frmInfo, open dialogs) go with it
    PostQuitMessage(0);
}

} // namespace psm
