#pragma once

#include "tables/SettingsStore.h"

#include <string>

namespace psm {

// The settings as REG_SZ values under
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<application>\<section>,
// the per-user place Windows programs have long used for an application name and
// section, so that values a user already has there are honoured.
class RegistrySettingsStore : public SettingsStore {
  public:
    std::string Read(const std::string& appName, const std::string& section,
                     const std::string& key) const override;
    void Write(const std::string& appName, const std::string& section, const std::string& key,
               const std::string& value) override;

    // The key path below HKEY_CURRENT_USER for an application and section.
    static std::wstring KeyPath(const std::string& appName, const std::string& section);
};

} // namespace psm
