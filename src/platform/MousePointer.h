#pragma once

namespace psm {

enum class MousePointerShape { Default, Wait };

// The application-wide mouse pointer.
class MousePointer {
  public:
    virtual ~MousePointer() = default;
    virtual void SetMousePointer(MousePointerShape shape) = 0;
};

} // namespace psm
