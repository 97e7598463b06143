#pragma once

// simcad's window: the open documents (a click makes one active, as in the
// CAD program), and the active document's five values and features, the
// command bars and the call count, refreshed a few times a second.

#include "platform/WindowBinding_win32.h"
#include "simcad/WindowClassName.h"
#include "simcad/World.h"

#include <string>
#include <vector>
#include <windows.h>

namespace psm::simcad {

class SimCadWindow final : public BoundWindow<SimCadWindow> {
  public:
    SimCadWindow(HINSTANCE instance, World& world, std::wstring title);
    ~SimCadWindow();

    bool Create();
    // Shown only once registered, so that a client activated by the window finds the program.
    void Show(int showCommand);

    // As a click into the window would: simcad becomes the active program.
    void BringToFront();
    // Closes the window once the current call has returned; the program ends.
    void Close();

  private:
    friend class BoundWindow<SimCadWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void OnUnexpectedFailure() noexcept;
    void OnCreate();
    void OnSize(int width, int height);
    void OnDocumentChosen();
    void Refresh();

    HINSTANCE m_instance;
    World& m_world;
    std::wstring m_title;
    HWND m_caption = nullptr;
    HWND m_list = nullptr;
    HWND m_details = nullptr;
    HFONT m_font = nullptr; // a stock font, not owned
    std::vector<std::string> m_shownNames;
    std::string m_shownActive;
    std::string m_shownDetails;
};

} // namespace psm::simcad
