#pragma once

#include "platform/Workstation.h"

namespace psm {

// The Windows user, the computer's name, the system clock and time zone, the
// known folder for local application data, the system's version, and the
// shell's "open".
class WindowsWorkstation final : public Workstation {
  public:
    std::string UserName() const override;
    std::string ComputerName() const override;
    std::string LocalTime() const override;
    std::string LocalAppDataFolder() const override;
    std::string SystemVersion() const override;
    bool OpenInEditor(const std::string& path) override;
};

} // namespace psm
