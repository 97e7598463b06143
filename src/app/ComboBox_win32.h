#pragma once

// A drop-down list control as the main window uses it.

#include <string>
#include <string_view>
#include <windows.h>

namespace psm {

class ComboBox {
  public:
    explicit ComboBox(HWND control) : m_control(control) {}

    void Reset() const;
    void Add(std::string_view utf8) const;
    // -1 clears the selection. Setting it by program does not notify the parent.
    void Select(int position) const;
    // -1 when nothing is selected.
    int Selection() const;
    // Entries the open list shows before it scrolls.
    void SetVisibleEntries(int count) const;
    // The height of one entry, in pixels; 0 when the control cannot tell.
    int EntryHeight() const;

  private:
    HWND m_control;
};

} // namespace psm
