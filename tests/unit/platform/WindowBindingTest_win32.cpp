// The base of the bound windows: one class registration for every window of
// a kind, the binding cleared when the window goes, and an exception thrown
// while a message is handled stopping there and ending the program through
// the object.

#include "platform/WindowBinding_win32.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace psm {
namespace {

constexpr UINT FailingMessage = WM_APP + 1;

class ThrowingWindow final : public BoundWindow<ThrowingWindow> {
  public:
    ThrowingWindow() {
        CreateBound(GetModuleHandleW(nullptr), {.Name = L"psmThrowingWindowTest"}, 0, L"",
                    WS_OVERLAPPED, 0, 0, 10, 10, nullptr);
    }
    ~ThrowingWindow() { DestroyBound(); }

    int Failures = 0;
    int Destroyed = 0;

  private:
    friend class BoundWindow<ThrowingWindow>;
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == FailingMessage) {
            throw std::length_error("a list grew beyond its limit");
        }
        if (message == WM_NCDESTROY) {
            ++Destroyed;
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
    void OnUnexpectedFailure() noexcept { ++Failures; }
};

TEST(WindowBinding, ExceptionInAHandlerReachesTheWindowsFailureHandlerNotTheSystem) {
    ThrowingWindow window;
    ASSERT_NE(window.Handle(), nullptr);
    EXPECT_EQ(SendMessageW(window.Handle(), FailingMessage, 0, 0), 0);
    EXPECT_EQ(window.Failures, 1);
    EXPECT_EQ(SendMessageW(window.Handle(), WM_GETTEXTLENGTH, 0, 0), 0) << "still serving";
    EXPECT_EQ(window.Failures, 1);
}

TEST(WindowBinding, TwoWindowsShareTheClassAndEachIsUnboundWhenItGoes) {
    ThrowingWindow first;
    ThrowingWindow second;
    ASSERT_NE(first.Handle(), nullptr);
    ASSERT_NE(second.Handle(), nullptr);
    HWND handle = first.Handle();
    DestroyWindow(handle);
    EXPECT_EQ(first.Destroyed, 1) << "the object saw its last message";
    EXPECT_EQ(first.Handle(), nullptr);
    EXPECT_FALSE(IsWindow(handle));
    EXPECT_NE(second.Handle(), nullptr);
}

} // namespace
} // namespace psm
