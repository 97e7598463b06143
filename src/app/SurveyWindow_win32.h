#pragma once

#include "app/WindowScale_win32.h"
#include "core/MainView.h"
#include "core/SurveyView.h"
#include "platform/WindowBinding_win32.h"

#include <array>
#include <windows.h>

namespace psm {

class MainWindow;

// The survey window: a list of the parts with check boxes and sortable
// columns, the progress of the reading and four buttons. Owned by the main
// window; it draws what the core tells it and reports the user's doings.
class SurveyWindow final : public BoundWindow<SurveyWindow>, public SurveyView {
  public:
    SurveyWindow(HINSTANCE instance, const MainWindow& owner);
    ~SurveyWindow() override;

    void SetEvents(SurveyEvents& events, MainWindowEvents& failures) {
        m_events = &events;
        m_failures = &failures;
    }
    HWND Control(int id) const { return m_window ? GetDlgItem(m_window, id) : nullptr; }
    // Tab and the arrow keys between its controls.
    bool TranslateDialogMessage(MSG& message);

    void Open() override;
    void Show(const SurveyViewModel& model) override;
    void Close() override;
    void EnableInput(bool enabled) override;
    void ScheduleStep(int milliseconds) override;
    bool CopyToClipboard(const std::string& text) override;

  private:
    friend class BoundWindow<SurveyWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void OnUnexpectedFailure() noexcept;
    void OnCommand(int id);
    LRESULT OnNotify(const NMHDR& header);
    void ApplyDpi(UINT dpi);
    void Layout();
    void ShowColumns(const SurveyViewModel& model);
    void ShowRows(const SurveyViewModel& model);
    void ShowSortMark(const SurveyViewModel& model);
    // Each column as wide as its title and its widest cell.
    void FitColumns(const SurveyViewModel& model);
    // Fitted again when they were, else as designed at the window's DPI.
    void SizeColumns(const SurveyViewModel& model);
    int DesignedColumnWidth(std::size_t column) const;

    HINSTANCE m_instance;
    const MainWindow& m_owner;
    SurveyEvents* m_events = nullptr;
    MainWindowEvents* m_failures = nullptr;
    WindowScale m_scale;
    SurveyViewModel m_shown;
    bool m_columnsFitted = false; // measured to their contents, not as designed
    bool m_drawing = false;       // the list's changes are the core's, not the user's
    bool m_hadFocus = false;      // the window itself had the keyboard focus when it was disabled
};

} // namespace psm
