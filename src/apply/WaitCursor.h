#pragma once

#include "platform/MousePointer.h"

namespace psm {

// The wait cursor for the life of a command; the default cursor on every way out.
class WaitCursor {
  public:
    explicit WaitCursor(MousePointer& pointer) : m_pointer(pointer) {
        m_pointer.SetMousePointer(MousePointerShape::Wait);
    }
    ~WaitCursor() { m_pointer.SetMousePointer(MousePointerShape::Default); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    MousePointer& m_pointer;
};

} // namespace psm
