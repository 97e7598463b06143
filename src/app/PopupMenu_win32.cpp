#include "app/PopupMenu_win32.h"

#include "platform/Utf16_win32.h"

namespace psm {

PopupMenu::PopupMenu(const std::vector<MenuItem>& items) : m_menu(CreatePopupMenu()) {
    if (m_menu) {
        Append(m_menu.Get(), items);
    }
}

void PopupMenu::Append(HMENU menu, const std::vector<MenuItem>& items) {
    for (const MenuItem& item : items) {
        if (!item.Visible) {
            continue;
        }
        if (item.Caption == "-" && item.Children.empty()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING;
        flags |= item.Enabled ? MF_ENABLED : MF_GRAYED;
        flags |= item.Checked ? MF_CHECKED : MF_UNCHECKED;
        const std::wstring caption = Widen(item.Caption);
        if (!item.Children.empty()) {
            UniqueMenu submenu(CreatePopupMenu());
            if (!submenu) {
                continue;
            }
            Append(submenu.Get(), item.Children);
            if (AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu.Get()),
                            caption.c_str())) {
                (void)submenu.Release(); // the parent menu owns it now
            }
            continue;
        }
        m_commands.push_back(item.Command);
        AppendMenuW(menu, flags, m_commands.size(), caption.c_str());
    }
}

std::optional<MenuCommand> PopupMenu::CommandOf(UINT itemId) const {
    if (itemId == 0 || itemId > m_commands.size()) {
        return std::nullopt;
    }
    return m_commands[itemId - 1];
}

std::optional<MenuCommand> PopupMenu::Track(HWND owner, POINT screenPoint) const {
    if (!m_menu) {
        return std::nullopt;
    }
    // The owner must be the foreground window, or the menu stays open after a
    // click elsewhere; the posted message lets it close properly.
    SetForegroundWindow(owner);
    const BOOL chosen = TrackPopupMenuEx(
        m_menu.Get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN | TPM_TOPALIGN, screenPoint.x,
        screenPoint.y, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return CommandOf(static_cast<UINT>(chosen));
}

} // namespace psm
