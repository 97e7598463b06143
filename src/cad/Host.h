#pragma once

// What the CAD procedures need from the window they run under.

#include <string>

namespace psm {

enum class MousePointerShape { Default, Wait };

// The application-wide mouse pointer.
class MousePointer {
  public:
    virtual ~MousePointer() = default;
    virtual void SetMousePointer(MousePointerShape shape) = 0;
};

// Lets the user interface handle its pending events once (timer ticks
// included) and returns.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void ProcessPendingEvents() = 0;
};

// Where the program itself lives.
class ProgramLocation {
  public:
    virtual ~ProgramLocation() = default;
    virtual std::string ProgramFolder() const = 0;      // without or with a trailing backslash
    virtual std::string ExecutableFileName() const = 0; // such as "psm.exe"
};

} // namespace psm
