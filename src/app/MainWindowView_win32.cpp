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

void MainWindow::Show(const MainViewModel& model) {
    if (m_window == nullptr) {
        return;
    }
    if (model.Caption != m_shown.Caption) {
        SetWindowTextW(m_window, Widen(model.Caption).c_str());
    }
    if (model.DocumentLabel != m_shown.DocumentLabel) {
        SetWindowTextW(Control(MainControl::DocumentLabel), Widen(model.DocumentLabel).c_str());
    }
    ShowList(ListId::Tables, model.Tables);
    ShowList(ListId::Types, model.Types);
    if (model.Status != m_shown.Status) {
        const std::wstring wide = Widen(model.Status);
        SendMessageW(Control(MainControl::StatusBar), SB_SETTEXTW, 0,
                     reinterpret_cast<LPARAM>(wide.c_str()));
    }
    for (std::size_t i = 0; i < PictureButtons.size(); ++i) {
        if (model.ButtonNames[i] != m_shown.ButtonNames[i]) {
            SetWindowTextW(Control(PictureButtons[i]), Widen(model.ButtonNames[i]).c_str());
        }
    }
    m_shown = model;
}

void MainWindow::ShowList(ListId list, const ListModel& model) {
    const ComboBox box = List(list);
    const ListModel& shown = list == ListId::Tables ? m_shown.Tables : m_shown.Types;
    if (model.Items != shown.Items) {
        box.Reset();
        for (const std::string& item : model.Items) {
            box.Add(item);
        }
    }
    // A choice the core did not take is taken back; otherwise the control
    // keeps what it shows, even should a tick come before the choice's event.
    bool& chosen = m_listChosen[static_cast<std::size_t>(list)];
    if (model.Items != shown.Items || model.Selection != shown.Selection || chosen) {
        box.Select(model.Selection);
    }
    chosen = false;
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

int MainWindow::Dpi() const {
    return static_cast<int>(WindowDpi(m_window));
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
    DestroyWindow(m_window); // owned windows (the properties window, open dialogs) go with it
    PostQuitMessage(0);
}

} // namespace psm
