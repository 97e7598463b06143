#pragma once

// The real psm.exe as a user sees it, driven by window messages only: its
// windows are found by class and process, texts read with WM_GETTEXT and
// the combo box messages, buttons clicked and message boxes answered by
// posted messages, so that psm never handles a click inside another
// process's SendMessage (where Windows would refuse its outgoing COM calls).

#include "app/MainWindowDesign_win32.h"
#include "tools/driver/ChildProcess_win32.h"

#include <optional>
#include <string>
#include <vector>
#include <windows.h>

namespace psm::e2e {

// How long psm may take to notice what happened in the CAD program: a few of
// its 100 ms ticks, generously, for a slow machine.
inline constexpr DWORD NoticeMs = 5000;

struct MessageBoxSeen {
    HWND Window = nullptr;
    std::wstring Title;
    std::wstring Text;
};

class Psm {
  public:
    Psm() = default;
    ~Psm();
    Psm(const Psm&) = delete;
    Psm& operator=(const Psm&) = delete;

    // Starts psm.exe beside this program and waits until its main window
    // shows (start-up has run by then). False when it did not appear.
    bool Start(DWORD timeoutMs = 30000);
    // Starts psm.exe without waiting: start-up may stop at a message box
    // before the main window shows. WaitForMain then finds the window.
    bool Launch();
    bool WaitForMain(DWORD timeoutMs);
    bool Running() const { return m_process && m_process->Running(); }
    bool WaitForExit(DWORD milliseconds);
    const ChildProcess* Process() const { return m_process ? &*m_process : nullptr; }
    // Clicks Exit and waits for the end; ends it by force if it will not.
    void End();

    HWND Main() const { return m_main; }
    HWND Control(MainControl control) const;
    std::wstring Caption() const;
    std::wstring Label() const;
    std::wstring Status() const;
    std::vector<std::wstring> Items(MainControl combo) const;
    int Selection(MainControl combo) const;
    // The selected entry's text; empty when nothing is selected.
    std::wstring Selected(MainControl combo) const;

    void Click(MainControl button) const;
    // Selects an entry as a user would: the list changes and its parent hears of it.
    void Choose(MainControl combo, int index) const;

    // A message box of psm's process, when one shows within the time.
    std::optional<MessageBoxSeen> WaitForMessageBox(DWORD milliseconds) const;
    // Presses the button with that identifier (IDOK, IDCANCEL, IDYES, IDNO)
    // and waits until the box is gone.
    bool Answer(const MessageBoxSeen& box, int buttonId) const;
    bool NoMessageBox() const;

    // Right-clicks the free area and walks the popup menu with these keys.
    bool UseMenu(const std::vector<WPARAM>& keys) const;
    // The open-file dialog, when it shows within the time.
    HWND WaitForFileDialog(DWORD milliseconds) const;

    // The properties window and its fifteen labels (column, row).
    HWND PropertiesWindow() const;
    std::wstring InfoLabel(int column, int row) const;
    // The button that chooses the nearest type the note names; null while
    // the window is closed or the button hidden.
    HWND InfoButton() const;

    RECT WindowRect() const;
    void MoveTo(int x, int y) const;

    // Waits until the label reads `text`.
    bool WaitForLabel(const std::wstring& text, DWORD milliseconds) const;

    // psm's visible top-level windows of that class (#32770, #32768, ...).
    std::vector<HWND> WindowsOfProcess(const wchar_t* className) const;

  private:
    std::optional<ChildProcess> m_process;
    HWND m_main = nullptr;
};

std::wstring TextOf(HWND window);

// A control of psm's main window, however deep it sits in its panels; null
// without a main window.
HWND FindControl(HWND main, MainControl control);

// A point of the main window's free area, in client pixels: right of the
// buttons, above Label1. A right-click there opens the popup menu.
POINT FreeAreaPoint(HWND main);

} // namespace psm::e2e
