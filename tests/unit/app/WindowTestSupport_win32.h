#pragma once

// Helpers for the tests of the Win32 windows: a mock of the core's events, a
// fixture with a created (hidden) main window, and window lookups.

#include "app/MainWindow_win32.h"
#include "core/MainView.h"

#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <windows.h>

namespace psm {

class MockEvents : public MainWindowEvents {
  public:
    MOCK_METHOD(void, OnLoad, (), (override));
    MOCK_METHOD(void, OnActivate, (), (override));
    MOCK_METHOD(void, OnMouseDown, (MouseButton button), (override));
    MOCK_METHOD(void, OnMouseMove, (MainControl area), (override));
    MOCK_METHOD(void, OnListChosen, (ListId list, int position), (override));
    MOCK_METHOD(void, OnCommand, (MainCommand command), (override));
    MOCK_METHOD(void, OnMenuCommand, (MenuCommand command), (override));
    MOCK_METHOD(void, OnTimer, (bool mainWindowIsActive), (override));
    MOCK_METHOD(void, OnCloseRequest, (), (override));
    MOCK_METHOD(void, OnPropertiesClick, (), (override));
    MOCK_METHOD(void, OnPropertiesCommand, (PropertiesCommand command), (override));
    MOCK_METHOD(void, OnUnexpectedFailure, (), (noexcept, override));
};

// Waits for a top-level window of the given class and caption (any caption
// when title is null). Safe to call from another thread.
inline HWND WaitForWindow(const wchar_t* className, const wchar_t* title,
                          int milliseconds = 10000) {
    for (int waited = 0; waited <= milliseconds; waited += 20) {
        HWND found = FindWindowW(className, title);
        if (found != nullptr && IsWindowVisible(found)) {
            return found;
        }
        Sleep(20);
    }
    return nullptr;
}

// Handles this thread's messages until done() holds or the time is up.
inline bool PumpUntil(const std::function<bool()>& done, int milliseconds = 5000) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(milliseconds);
    while (!done()) {
        if (GetTickCount64() > end) {
            return false;
        }
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    }
    return true;
}

// Removes the WM_QUIT that ending the program posts; true when there was one.
inline bool DrainQuitMessage() {
    MSG message;
    bool found = false;
    while (PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        found = true;
    }
    return found;
}

// A window's place in its parent's client area.
inline RECT PlaceInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

inline std::wstring TextOf(HWND window) {
    wchar_t text[512] = {};
    GetWindowTextW(window, text, 512);
    return text;
}

// A created, hidden main window whose events go to a mock.
class MainWindowFixture : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(window.Create(events)); }
    void TearDown() override { DrainQuitMessage(); }

    HWND ControlOf(MainControl control) const { return window.Control(control); }

    ::testing::NiceMock<MockEvents> events;
    MainWindow window{GetModuleHandleW(nullptr)};
};

} // namespace psm
