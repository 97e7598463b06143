#pragma once

#include <windows.h>

namespace psm {

// The window procedure of a window class whose object is passed as the
// creation parameter: the object is bound to the window at WM_NCCREATE
// (Window::m_window and GWLP_USERDATA) and receives every message from then on
// through Window::HandleMessage. No exception passes through the system's code
// above the procedure: Window::OnUnexpectedFailure (noexcept) ends the program
// instead. A class using it declares
//   friend LRESULT CALLBACK BoundWindowProc<Window>(HWND, UINT, WPARAM, LPARAM);
template <class Window>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->m_window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (...) {
        self->OnUnexpectedFailure();
        return 0;
    }
}

} // namespace psm
