#pragma once

#include "app/ComboBox_win32.h"
#include "app/GdiHandles_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/WindowScale_win32.h"
#include "core/MainView.h"
#include "platform/MousePointer.h"
#include "platform/WindowBinding_win32.h"

#include <array>
#include <string>
#include <windows.h>

namespace psm {

// The main window: creates the window and its controls, hands every user
// action to the core's events, and draws the view model the core gives it. It also
// owns the program's mouse pointer: the wait cursor covers all its controls.
//
// MainWindow_win32.cpp: creation and the messages; MainWindowView_win32.cpp:
// what the core tells it; MainWindowLayout_win32.cpp: drawing at its DPI.
class MainWindow final : public BoundWindow<MainWindow>, public MainView, public MousePointer {
  public:
    explicit MainWindow(HINSTANCE instance);
    ~MainWindow() override;

    // Creates the window and its controls, hidden, at the designed size.
    bool Create(MainWindowEvents& events);

    // Runs the core's start-up while the window is still hidden, then shows it.
    void Load(int showCommand);

    // Tab between the buttons and lists; true when the message was used up.
    bool TranslateDialogMessage(MSG& message);

    HWND Control(MainControl control) const;

    void Show(const MainViewModel& model) override;
    TwipsRect WindowRect() const override;
    TwipsRect ScreenFrame() const override;
    void MoveWindow(const TwipsRect& rect) override;
    void RestoreNormalState() override;
    void KeepOnTop() override;
    int32_t ScreenWidth() const override;
    std::vector<TwipsRect> MonitorAreas() const override;
    int Dpi() const override;
    void StartTimer(int intervalMilliseconds) override;
    std::optional<MenuCommand> ShowPopupMenu(const std::vector<MenuItem>& items) override;
    std::optional<std::string> ChooseFile(const std::string& title, const std::string& initialFile,
                                          const std::string& initialFolder) override;
    void Focus() override;
    void EndProgram() override;

    void SetMousePointer(MousePointerShape shape) override;

    static constexpr UINT_PTR WatchTimerId = 1;

  private:
    friend class BoundWindow<MainWindow>;
    // Entries the open lists show before they scroll.
    static constexpr int VisibleListEntries = 12;

    static LRESULT CALLBACK ChildProc(HWND child, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR control, DWORD_PTR self);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnUnexpectedFailure() noexcept;

    bool OnCreate();
    bool OnSetCursor();
    void OnNcDestroy();
    void OnCommand(WPARAM wParam);
    void OnActivate(WPARAM wParam);
    void OnTimer(WPARAM timerId);
    void OnMouseDown(MouseButton button);
    void OnContextMenu(LPARAM lParam);
    void OnMouseMove(MainControl control);
    void OnDpiChanged(UINT dpi, LPARAM suggested);
    void OnGetDpiScaledSize(UINT dpi, SIZE& size) const;
    void OnSystemLookChanged();

    // The core hears of the window's events while it exists.
    bool Forwarding() const { return m_events != nullptr && m_window != nullptr; }
    HWND CreateControl(MainControl control, const wchar_t* className, DWORD style,
                       DWORD extendedStyle, HWND parent);
    ComboBox List(ListId list) const;
    void ShowList(ListId list, const ListModel& model);
    void ApplyDpi(UINT dpi);
    void LoadIcons();
    void LoadPictures();
    void LayoutControls();
    void RestoreFocus();

    HINSTANCE m_instance;
    MainWindowEvents* m_events = nullptr;
    std::array<HWND, MainControlCount> m_controls{};
    std::array<UniqueBitmap, PictureButtons.size()> m_pictures;
    WindowScale m_scale;
    UniqueIcon m_bigIcon;
    UniqueIcon m_smallIcon;
    int32_t m_widthTwips = MainWindowWidth; // outer size as last set
    int32_t m_heightTwips = MainWindowHeight;
    HWND m_focus = nullptr; // the control that had the focus when the window was left
    MainViewModel m_shown;  // what Show last drew
    // A list the user chose in since the last Show: its control may no longer
    // show m_shown's selection.
    std::array<bool, 2> m_listChosen{};
    bool m_visible = false;
    bool m_activationReported = false;
    bool m_showNormal = false;
    bool m_menuFromKeyboard = false;
    bool m_waitCursor = false;
};

} // namespace psm
