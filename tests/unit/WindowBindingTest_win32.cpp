// The window procedure that binds a window object: an exception thrown while
// a message is handled stops there and ends the program through the object.

#include "platform/WindowBinding_win32.h"

#include <gtest/gtest.h>
#include <stdexcept>

namespace psm {
namespace {

constexpr UINT FailingMessage = WM_APP + 1;

class ThrowingWindow {
  public:
    explicit ThrowingWindow(HINSTANCE instance) {
        WNDCLASSEXW windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = BoundWindowProc<ThrowingWindow>;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = L"psmThrowingWindowTest";
        RegisterClassExW(&windowClass);
        CreateWindowExW(0, windowClass.lpszClassName, L"", WS_OVERLAPPED, 0, 0, 10, 10, nullptr,
                        nullptr, instance, this);
    }
    ~ThrowingWindow() { DestroyWindow(m_window); }
    ThrowingWindow(const ThrowingWindow&) = delete;
    ThrowingWindow& operator=(const ThrowingWindow&) = delete;

    HWND m_window = nullptr;
    int Failures = 0;

  private:
    friend LRESULT CALLBACK BoundWindowProc<ThrowingWindow>(HWND, UINT, WPARAM, LPARAM);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == FailingMessage) {
            throw std::length_error("a list grew beyond its limit");
        }
        return DefWindowProcW(m_window, message, wParam, lParam);
    }
    void OnUnexpectedFailure() noexcept { ++Failures; }
};

TEST(WindowBinding, ExceptionInAHandlerReachesTheWindowsFailureHandlerNotTheSystem) {
    ThrowingWindow window(GetModuleHandleW(nullptr));
    ASSERT_NE(window.m_window, nullptr);
    EXPECT_EQ(SendMessageW(window.m_window, FailingMessage, 0, 0), 0);
    EXPECT_EQ(window.Failures, 1);
    EXPECT_EQ(SendMessageW(window.m_window, WM_GETTEXTLENGTH, 0, 0), 0) << "still serving";
    EXPECT_EQ(window.Failures, 1);
}

} // namespace
} // namespace psm
