#pragma once

#include <windows.h>

namespace psm {

// What a window class looks like beyond its procedure.
struct WindowClassStyle {
    const wchar_t* Name = nullptr;
    HBRUSH Background = GetSysColorBrush(COLOR_BTNFACE);
    HICON Icon = nullptr;
};

// Registers a window class unless it is registered already; true when it is.
inline bool RegisterWindowClass(HINSTANCE instance, const WindowClassStyle& style,
                                WNDPROC procedure) {
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (GetClassInfoExW(instance, style.Name, &existing)) {
        return true;
    }
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hIcon = style.Icon;
    windowClass.hbrBackground = style.Background;
    windowClass.lpszClassName = style.Name;
    return RegisterClassExW(&windowClass) != 0;
}

// The base of a window object bound to its window: the class is registered on
// first use, the object is bound at WM_NCCREATE and receives every message
// through Window::HandleMessage until WM_NCDESTROY, after which the binding is
// cleared (Handle() is null again). No exception passes through the system's
// code above the procedure: Window::OnUnexpectedFailure (noexcept) ends the
// program instead. A class using it derives from BoundWindow<Window> and
// declares `friend class BoundWindow<Window>;`.
template <class Window>
class BoundWindow {
  public:
    HWND Handle() const { return m_window; }

  protected:
    BoundWindow() = default;
    ~BoundWindow() = default;
    BoundWindow(const BoundWindow&) = delete;
    BoundWindow& operator=(const BoundWindow&) = delete;

    // Registers the class when it is not yet, and creates the window bound to
    // this object. True when the window exists.
    bool CreateBound(HINSTANCE instance, const WindowClassStyle& style, DWORD extendedStyle,
                     const wchar_t* title, DWORD windowStyle, int x, int y, int width, int height,
                     HWND owner) {
        if (!RegisterWindowClass(instance, style, Procedure)) {
            return false;
        }
        CreateWindowExW(extendedStyle, style.Name, title, windowStyle, x, y, width, height, owner,
                        nullptr, instance, this);
        return m_window != nullptr;
    }

    // For the derived class's destructor: the window must go while the
    // object can still handle its last messages.
    void DestroyBound() {
        if (m_window != nullptr) {
            DestroyWindow(m_window);
        }
    }

    HWND m_window = nullptr;

  private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_NCCREATE) {
            auto* bound =
                static_cast<BoundWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
            bound->m_window = window;
            SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(bound));
        }
        auto* bound = reinterpret_cast<BoundWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (bound == nullptr) {
            return DefWindowProcW(window, message, wParam, lParam);
        }
        auto* self = static_cast<Window*>(bound);
        LRESULT result = 0;
        try {
            result = self->HandleMessage(message, wParam, lParam);
        } catch (...) {
            self->OnUnexpectedFailure();
        }
        if (message == WM_NCDESTROY) {
            SetWindowLongPtrW(window, GWLP_USERDATA, 0);
            bound->m_window = nullptr;
        }
        return result;
    }
};

} // namespace psm
