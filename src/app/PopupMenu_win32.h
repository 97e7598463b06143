#pragma once

#include "app/GdiHandles_win32.h"
#include "core/MainView.h"

#include <optional>
#include <vector>

namespace psm {

// A Win32 popup menu built from the core's menu tree: only the visible
// items, each with its enabled and checked state; an item with children
// opens a submenu, the caption "-" is a separator line.
class PopupMenu {
  public:
    explicit PopupMenu(const std::vector<MenuItem>& items);

    HMENU Handle() const { return m_menu.Get(); }

    // The command of a menu item identifier; nothing for 0 (no choice) and
    // for items without a command.
    std::optional<MenuCommand> CommandOf(UINT itemId) const;

    // Opens the menu at a screen point and waits for the choice.
    std::optional<MenuCommand> Track(HWND owner, POINT screenPoint) const;

  private:
    void Append(HMENU menu, const std::vector<MenuItem>& items);

    UniqueMenu m_menu;
    std::vector<std::optional<MenuCommand>> m_commands; // item identifier - 1
};

} // namespace psm
