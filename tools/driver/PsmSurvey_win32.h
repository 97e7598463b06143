#pragma once

// psm's survey window as a user sees it, driven by window messages only, and
// the clipboard it copies to.

#include "tools/driver/Psm_win32.h"

#include <string>
#include <windows.h>

namespace psm::e2e {

class PsmSurvey {
  public:
    explicit PsmSurvey(const Psm& psm) : m_psm(psm) {}

    // True once psm shows the window, within the time.
    bool WaitForWindow(DWORD milliseconds);
    // True once every part is read (or the reading stopped), within the time.
    bool WaitUntilRead(DWORD milliseconds) const;

    HWND Window() const { return m_window; }
    std::wstring Caption() const;
    std::wstring Progress() const;
    std::wstring ChosenType() const;
    int Rows() const;
    // Toggles the check box of a row with the keyboard, as a user would.
    void ToggleRow(int row) const;
    // Clicks a button: SurveyRefreshId, SurveyWriteId, SurveyStandardId, SurveyCopyId,
    // SurveyCancelId.
    void Click(int buttonId) const;
    bool Enabled(int controlId) const;

  private:
    const Psm& m_psm;
    HWND m_window = nullptr;
};

// The clipboard's Unicode text; empty when there is none.
std::wstring ClipboardText();

} // namespace psm::e2e
