// psm's window as a user meets it without a CAD program: caption, on-top
// frame and size, its buttons by name, the hints in the status bar, the
// popup menu, and the start with no value file.

#include "EndToEnd_win32.h"
#include "app/Twips_win32.h"

#include <cstdlib>

namespace psm::e2e {
namespace {

UINT SystemDpi() {
    const UINT dpi = GetDpiForSystem();
    return dpi != 0 ? dpi : 96;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &result) == 0) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

void PostKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

// The texts of a menu's items, read through its handle from this process.
std::vector<std::wstring> MenuTexts(HMENU menu) {
    std::vector<std::wstring> texts;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[128] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
        texts.emplace_back(text);
    }
    return texts;
}

// --- The window ------------------------------------------------------------------------------

using MainWindowAlone = EndToEnd;

TEST_F(MainWindowAlone, ShowsCaptionOnTopAtItsDesignedSizeWithNothingChosen) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Caption(), L"ORNA  Raziv");
    EXPECT_NE(GetWindowLongPtrW(psm.Main(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);

    const RECT frame = psm.WindowRect();
    const int dpi = static_cast<int>(SystemDpi());
    EXPECT_LE(std::abs((frame.right - frame.left) - MulDiv(MainWindowWidth, dpi, 1440)), 1)
        << "width " << frame.right - frame.left;
    EXPECT_LE(std::abs((frame.bottom - frame.top) - MulDiv(MainWindowHeight, dpi, 1440)), 1)
        << "height " << frame.bottom - frame.top;

    EXPECT_EQ(psm.Items(MainControl::TableList), (std::vector<std::wstring>{L"Stahl", L"Alu"}));
    EXPECT_EQ(psm.Selection(MainControl::TableList), -1);
    EXPECT_TRUE(psm.Items(MainControl::TypeList).empty());
    EXPECT_EQ(psm.Selection(MainControl::TypeList), -1);
    EXPECT_EQ(psm.Label(), L"");
    EXPECT_EQ(psm.Status(), L"");
}

TEST_F(MainWindowAlone, ButtonsAreFoundByTheirAccessibleNames) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    const std::pair<MainControl, const wchar_t*> buttons[] = {
        {MainControl::WriteButton, L"gewählten Blechtyp übernehmen"},
        {MainControl::ResetListButton, L"ursprünglichen Blechtyp anzeigen"},
        {MainControl::ResetButton, L"auf ursprünglichen Blechtyp rücksetzen"},
        {MainControl::PropertiesButton, L"Teileeigenschaften anzeigen"},
        {MainControl::ExitButton, L"Beenden"},
    };
    for (const auto& [control, name] : buttons) {
        HWND found = FindWindowExW(psm.Main(), nullptr, L"Button", name);
        ASSERT_NE(found, nullptr) << Narrow(name);
        EXPECT_EQ(found, psm.Control(control)) << Narrow(name);
        EXPECT_EQ(TextOf(found), name);
    }
}

// --- Hints -----------------------------------------------------------------------------------

using Hints = EndToEnd;

TEST_F(Hints, MouseMovesPutEachAreasTextIntoTheStatusBar) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    const std::pair<MainControl, const wchar_t*> areas[] = {
        {MainControl::WriteButton, L"gewählten Blechtyp übernehmen"},
        {MainControl::ResetListButton, L"ursprünglichen Blechtyp anzeigen"},
        {MainControl::ResetButton, L"auf ursprünglichen Blechtyp rücksetzen"},
        {MainControl::PropertiesButton, L"Teileeigenschaften anzeigen"},
        {MainControl::ExitButton, L"Beenden"},
        {MainControl::DocumentLabel, L"Aktives Dokument"},
        {MainControl::ListPanel, L"Tabelle und Blechtyp auswählen"},
    };
    for (const auto& [control, hint] : areas) {
        PostMessageW(psm.Control(control), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        EXPECT_TRUE(WaitUntil([&] { return psm.Status() == hint; }, NoticeMs))
            << Narrow(hint) << ", status shows " << Narrow(psm.Status());
    }
    // The free area clears the hint.
    PostMessageW(psm.Main(), WM_MOUSEMOVE, 0, MAKELPARAM(TwipsToPixels(3200, SystemDpi()), 3));
    EXPECT_TRUE(WaitUntil([&] { return psm.Status().empty(); }, NoticeMs))
        << "status shows " << Narrow(psm.Status());
}

TEST_F(Hints, TheListsLeaveTheLastHint) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    PostMessageW(psm.Control(MainControl::ExitButton), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
    ASSERT_TRUE(WaitUntil([&] { return psm.Status() == L"Beenden"; }, NoticeMs));
    for (const MainControl list : {MainControl::TableList, MainControl::TypeList}) {
        PostMessageW(psm.Control(list), WM_MOUSEMOVE, 0, MAKELPARAM(3, 3));
        // A round trip to psm's thread: the posted move has been handled after it.
        Ask(psm.Control(list), WM_GETTEXTLENGTH);
        WaitUntil([] { return false; }, 300);
        EXPECT_EQ(psm.Status(), L"Beenden");
    }
}

// --- Popup menu ------------------------------------------------------------------------------

using OptionsPopup = EndToEnd;

TEST_F(OptionsPopup, RightClickShowsOptionsWithItsSevenEntries) {
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    const UINT dpi = SystemDpi();
    const LPARAM point = MAKELPARAM(TwipsToPixels(3200, dpi), TwipsToPixels(200, dpi));
    PostMessageW(psm.Main(), WM_RBUTTONDOWN, MK_RBUTTON, point);
    PostMessageW(psm.Main(), WM_RBUTTONUP, 0, point);
    std::vector<HWND> popups;
    ASSERT_TRUE(WaitUntil(
        [&] {
            popups = psm.WindowsOfProcess(L"#32768");
            return !popups.empty();
        },
        NoticeMs));
    const HWND topWindow = popups.front();
    const auto top = reinterpret_cast<HMENU>(Ask(topWindow, MN_GETHMENU));
    ASSERT_NE(top, nullptr);
    // Windows lets another process read a menu through its handle; Wine
    // keeps menus in their own process (the count reads -1 there).
    const bool readable = GetMenuItemCount(top) >= 0;
    if (readable) {
        EXPECT_EQ(MenuTexts(top), (std::vector<std::wstring>{L"Optionen"}));
        EXPECT_EQ(MenuTexts(GetSubMenu(top, 0)),
                  (std::vector<std::wstring>{L"Installieren", L"Sprache", L"Textdatei",
                                             L"Textdatei prüfen", L"Journal"}));
    }

    // The first item opens a submenu.
    WaitUntil([] { return false; }, 100);
    PostKey(psm.Main(), VK_DOWN);
    PostKey(psm.Main(), VK_RIGHT);
    HWND subWindow = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            for (HWND popup : psm.WindowsOfProcess(L"#32768")) {
                if (popup != topWindow) {
                    subWindow = popup;
                }
            }
            return subWindow != nullptr;
        },
        NoticeMs));
    WaitUntil([] { return false; }, 200);
    // Item counts by height, which hold where the texts cannot be read: one
    // item above, seven in the submenu, with the same margins around both.
    RECT topArea{};
    RECT subArea{};
    GetClientRect(topWindow, &topArea);
    GetClientRect(subWindow, &subArea);
    const LONG item = (subArea.bottom - topArea.bottom) / 6;
    const LONG margins = topArea.bottom - item;
    EXPECT_GT(item, 8) << "heights " << topArea.bottom << ", " << subArea.bottom;
    EXPECT_GE(margins, 0) << "heights " << topArea.bottom << ", " << subArea.bottom;
    EXPECT_LT(margins, item / 2) << "heights " << topArea.bottom << ", " << subArea.bottom;
    EXPECT_EQ(psm.WindowsOfProcess(L"#32768").size(), 2u);

    PostKey(psm.Main(), VK_ESCAPE);
    PostKey(psm.Main(), VK_ESCAPE);
    if (!WaitUntil([&] { return psm.WindowsOfProcess(L"#32768").empty(); }, 2000)) {
        PostMessageW(psm.Main(), WM_CANCELMODE, 0, 0);
    }
    ASSERT_TRUE(WaitUntil([&] { return psm.WindowsOfProcess(L"#32768").empty(); }, NoticeMs));
    // Closing it chose nothing.
    WaitUntil([] { return false; }, 300);
    EXPECT_TRUE(psm.Running());
    EXPECT_TRUE(psm.WindowsOfProcess(L"#32770").empty());
}

// --- No value file ---------------------------------------------------------------------------

using NoValueFile = EndToEnd;

TEST_F(NoValueFile, AsksForThePathAndLeavesEmptyListsUntilExit) {
    settings::Set(L"filename", Folder() + L"fehlt.txt");
    ASSERT_TRUE(psm.Launch());
    const auto box = psm.WaitForMessageBox(30000);
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->Text, L"Pfad für Textdatei festlegen\r\nOptionen: Textdatei");
    EXPECT_EQ(box->Title, L"ORNA Raziv");
    ASSERT_TRUE(psm.Answer(*box, IDOK));

    ASSERT_TRUE(psm.WaitForMain(NoticeMs));
    EXPECT_TRUE(psm.Items(MainControl::TableList).empty());
    EXPECT_TRUE(psm.Items(MainControl::TypeList).empty());
    WaitUntil([] { return false; }, 1000);
    EXPECT_TRUE(psm.Running());
    EXPECT_TRUE(psm.NoMessageBox());
    // The missing path is kept for the user to replace.
    EXPECT_EQ(settings::Get(L"filename"), Folder() + L"fehlt.txt");

    psm.Click(MainControl::ExitButton);
    EXPECT_TRUE(psm.WaitForExit(NoticeMs));
}

} // namespace
} // namespace psm::e2e
