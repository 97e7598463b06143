// Message boxes: flags, answers, and the real box modal to the main window.

#include "WindowTestSupport_win32.h"
#include "app/MainWindow_win32.h"
#include "app/MessageBoxes_win32.h"

#include <atomic>
#include <gtest/gtest.h>
#include <thread>

namespace psm {
namespace {

TEST(MessageBoxStyle, MapsButtonsAndIcons) {
    EXPECT_EQ(MessageBoxStyle(MessageButtons::Ok, MessageIcon::Exclamation),
              static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(MessageBoxStyle(MessageButtons::OkCancel, MessageIcon::Critical),
              static_cast<UINT>(MB_OKCANCEL | MB_ICONSTOP));
    EXPECT_EQ(MessageBoxStyle(MessageButtons::YesNo, MessageIcon::Exclamation),
              static_cast<UINT>(MB_YESNO | MB_ICONEXCLAMATION));
    EXPECT_EQ(MessageBoxStyle(MessageButtons::Ok, MessageIcon::Information),
              static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    EXPECT_EQ(MB_ICONSTOP, MB_ICONERROR);
}

TEST(AnswerOf, MapsThePressedButton) {
    EXPECT_EQ(AnswerOf(IDOK, MessageButtons::OkCancel), MessageAnswer::Ok);
    EXPECT_EQ(AnswerOf(IDCANCEL, MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_EQ(AnswerOf(IDYES, MessageButtons::YesNo), MessageAnswer::Yes);
    EXPECT_EQ(AnswerOf(IDNO, MessageButtons::YesNo), MessageAnswer::No);
}

TEST(AnswerOf, ABoxThatCouldNotBeShownGivesTheCautiousAnswer) {
    EXPECT_EQ(AnswerOf(0, MessageButtons::Ok), MessageAnswer::Ok);
    EXPECT_EQ(AnswerOf(0, MessageButtons::OkCancel), MessageAnswer::Cancel);
    EXPECT_EQ(AnswerOf(0, MessageButtons::YesNo), MessageAnswer::No);
}

struct SeenBox {
    std::wstring Text;
    bool OwnerDisabled = false;
    bool OwnedByMain = false;
    bool HasYes = false;
    bool HasNo = false;
};

TEST_F(MainWindowFixture, MessageBoxIsModalToTheMainWindowAndReturnsThePressedButton) {
    Win32MessageBoxes boxes(window);
    HWND main = window.Handle();
    SeenBox seen;
    std::thread user([&] {
        HWND box = WaitForWindow(L"#32770", L"ORNA Raziv");
        if (box == nullptr) {
            return;
        }
        wchar_t text[256] = {};
        GetDlgItemTextW(box, 0xFFFF, text, 256);
        seen.Text = text;
        seen.OwnerDisabled = !IsWindowEnabled(main);
        seen.OwnedByMain = GetWindow(box, GW_OWNER) == main;
        seen.HasYes = GetDlgItem(box, IDYES) != nullptr;
        seen.HasNo = GetDlgItem(box, IDNO) != nullptr;
        PostMessageW(box, WM_COMMAND, IDNO, 0);
    });
    const MessageAnswer answer =
        boxes.ShowMessage("Fehler bei:  Flansch\r\nRücksetzen?", "ORNA Raziv",
                          MessageButtons::YesNo, MessageIcon::Critical);
    user.join();
    EXPECT_EQ(answer, MessageAnswer::No);
    EXPECT_EQ(seen.Text, L"Fehler bei:  Flansch\r\nRücksetzen?");
    EXPECT_TRUE(seen.OwnerDisabled);
    EXPECT_TRUE(seen.OwnedByMain);
    EXPECT_TRUE(seen.HasYes);
    EXPECT_TRUE(seen.HasNo);
    EXPECT_TRUE(IsWindowEnabled(main));
}

} // namespace
} // namespace psm
