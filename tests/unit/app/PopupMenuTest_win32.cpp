// The popup menu built from the core's menu tree.

#include "app/PopupMenu_win32.h"
#include "platform/UniqueWindow_win32.h"

#include <gtest/gtest.h>
#include <string>

namespace psm {
namespace {

MenuItem Item(std::string caption, std::optional<MenuCommand> command, bool visible = true,
              bool enabled = true, bool checked = false) {
    MenuItem item;
    item.Caption = std::move(caption);
    item.Command = command;
    item.Visible = visible;
    item.Enabled = enabled;
    item.Checked = checked;
    return item;
}

// The tree of the options menu: only "Optionen" with "Installieren" and
// "Textdatei" is visible.
std::vector<MenuItem> OptionsTree() {
    MenuItem language = Item("Sprache", std::nullopt, false);
    language.Children = {Item("Deutsch", MenuCommand::German, true, true, true),
                         Item("english", MenuCommand::English)};
    MenuItem options = Item("Optionen", std::nullopt);
    options.Children = {Item("Installieren", MenuCommand::InstallButton), language,
                        Item("Textdatei", MenuCommand::ChooseValueFile),
                        Item("ScaleFactor", std::nullopt, false, false)};
    return {options, Item("Hilfe", std::nullopt, false)};
}

std::wstring Caption(HMENU menu, int position) {
    wchar_t text[64] = {};
    GetMenuStringW(menu, static_cast<UINT>(position), text, 64, MF_BYPOSITION);
    return text;
}

TEST(PopupMenu, HoldsOnlyTheVisibleItems) {
    const PopupMenu menu(OptionsTree());
    ASSERT_EQ(GetMenuItemCount(menu.Handle()), 1);
    EXPECT_EQ(Caption(menu.Handle(), 0), L"Optionen");
    HMENU options = GetSubMenu(menu.Handle(), 0);
    ASSERT_NE(options, nullptr);
    ASSERT_EQ(GetMenuItemCount(options), 2);
    EXPECT_EQ(Caption(options, 0), L"Installieren");
    EXPECT_EQ(Caption(options, 1), L"Textdatei");
}

TEST(PopupMenu, MapsEachItemBackToItsCommand) {
    const PopupMenu menu(OptionsTree());
    HMENU options = GetSubMenu(menu.Handle(), 0);
    EXPECT_EQ(menu.CommandOf(GetMenuItemID(options, 0)), MenuCommand::InstallButton);
    EXPECT_EQ(menu.CommandOf(GetMenuItemID(options, 1)), MenuCommand::ChooseValueFile);
    EXPECT_EQ(menu.CommandOf(0), std::nullopt);
    EXPECT_EQ(menu.CommandOf(99), std::nullopt);
}

TEST(PopupMenu, ShowsTheEnabledAndCheckedState) {
    const PopupMenu menu({Item("an", MenuCommand::OpenJournal, true, true, true),
                          Item("aus", MenuCommand::InstallButton, true, false, false)});
    EXPECT_TRUE(GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_FALSE(GetMenuState(menu.Handle(), 0, MF_BYPOSITION) & MF_GRAYED);
    EXPECT_FALSE(GetMenuState(menu.Handle(), 1, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(menu.Handle(), 1, MF_BYPOSITION) & MF_GRAYED);
}

TEST(PopupMenu, ItemWithoutCommandChoosesNothingAndDashIsASeparator) {
    const PopupMenu menu({Item("leer", std::nullopt), Item("-", std::nullopt),
                          Item("Umlaute äöü", MenuCommand::InstallButton)});
    ASSERT_EQ(GetMenuItemCount(menu.Handle()), 3);
    EXPECT_EQ(menu.CommandOf(GetMenuItemID(menu.Handle(), 0)), std::nullopt);
    EXPECT_TRUE(GetMenuState(menu.Handle(), 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(Caption(menu.Handle(), 2), L"Umlaute äöü");
}

// A window that receives the keys a user would press in the open menu.
class MenuOwner {
  public:
    HWND Handle() const { return m_window.Get(); }

  private:
    UniqueWindow m_window{CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 50,
                                          50, nullptr, nullptr, GetModuleHandleW(nullptr),
                                          nullptr)};
};

HWND g_keyTarget = nullptr;
std::vector<WPARAM> g_keys;

void CALLBACK PressKeys(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    for (const WPARAM key : g_keys) {
        PostMessageW(g_keyTarget, WM_KEYDOWN, key, 1);
        PostMessageW(g_keyTarget, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
    }
}

std::optional<MenuCommand> TrackWithKeys(const PopupMenu& menu, std::vector<WPARAM> keys) {
    MenuOwner owner;
    g_keyTarget = owner.Handle();
    g_keys = std::move(keys);
    SetTimer(nullptr, 0, 200, PressKeys);
    return menu.Track(owner.Handle(), POINT{20, 20});
}

TEST(PopupMenu, TrackReturnsTheChosenCommand) {
    const PopupMenu menu(OptionsTree());
    // Down to "Optionen", right into its submenu, down to "Textdatei", Enter.
    EXPECT_EQ(TrackWithKeys(menu, {VK_DOWN, VK_RIGHT, VK_DOWN, VK_RETURN}),
              MenuCommand::ChooseValueFile);
}

TEST(PopupMenu, TrackReturnsNothingWhenTheMenuIsDismissed) {
    const PopupMenu menu(OptionsTree());
    EXPECT_EQ(TrackWithKeys(menu, {VK_ESCAPE}), std::nullopt);
}

} // namespace
} // namespace psm
