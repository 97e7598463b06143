#pragma once

#include <string>

namespace psm {

// The PC psm runs on and the user at it: who, where and when a change is
// made, where the user's own files go, and the user's programs for files.
class Workstation {
  public:
    virtual ~Workstation() = default;
    virtual std::string UserName() const = 0;
    virtual std::string ComputerName() const = 0;
    // Now, as local time with its offset from UTC in ISO 8601, such as
    // 2026-12-07T16:30:05+01:00.
    virtual std::string LocalTime() const = 0;
    // The user's folder for local application data; empty when unknown.
    virtual std::string LocalAppDataFolder() const = 0;
    // The system's version, such as "Windows 10.0.19045".
    virtual std::string SystemVersion() const = 0;
    // Opens a text file in the user's editor for text files; false when
    // none could be started.
    virtual bool OpenInEditor(const std::string& path) = 0;
};

} // namespace psm
