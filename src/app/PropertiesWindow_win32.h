#pragma once

#include "app/MainWindowDesign_win32.h"
#include "app/WindowScale_win32.h"
#include "core/MainView.h"
#include "platform/WindowBinding_win32.h"

#include <array>
#include <windows.h>

namespace psm {

class MainWindow;

// The properties window: a small tool window owned by the main window and
// kept on top, with five rows of labels and a note; a click on its button
// goes to the core as the button's command, any other click on it as a click.
class PropertiesWindow final : public BoundWindow<PropertiesWindow>, public PropertiesView {
  public:
    PropertiesWindow(HINSTANCE instance, const MainWindow& owner);
    ~PropertiesWindow() override;

    void SetEvents(MainWindowEvents& events) { m_events = &events; }
    HWND Label(int column, int row) const;
    HWND ChooseButton() const { return m_choose; }

    bool Exists() const override;
    bool Visible() const override;
    void CreateHidden() override;
    void Show(const PropertiesViewModel& model) override;
    int32_t Width() const override;
    void MoveWindow(const TwipsRect& rect) override;
    void Destroy() override;

  private:
    friend class BoundWindow<PropertiesWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool OnCreate();
    void OnUnexpectedFailure() noexcept;
    void OnClick();
    void ApplyDpi(UINT dpi);
    // The outer size that holds the designed client area at this DPI, in pixels.
    SIZE DesignFrameSize(UINT dpi) const;
    // The outer size the core last set, in pixels at this DPI; the designed
    // one until the core has placed the window.
    SIZE FrameSize(UINT dpi) const;

    HINSTANCE m_instance;
    const MainWindow& m_owner;
    MainWindowEvents* m_events = nullptr;
    std::array<HWND, PropertiesColumns * PropertiesRows> m_labels{};
    HWND m_note = nullptr;
    HWND m_choose = nullptr;
    WindowScale m_scale;
    int32_t m_widthTwips = 0; // outer size as last set; 0 until the core places it
    int32_t m_heightTwips = 0;
};

} // namespace psm
