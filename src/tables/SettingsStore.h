#pragma once

#include <string>

namespace psm {

// The per-user settings, addressed by application name, section and key; every
// value is text. A missing value reads as the empty text.
class SettingsStore {
  public:
    virtual ~SettingsStore() = default;
    virtual std::string Read(const std::string& appName, const std::string& section,
                             const std::string& key) const = 0;
    // Creates what is missing and replaces an existing value. A failing write is not reported.
    virtual void Write(const std::string& appName, const std::string& section,
                       const std::string& key, const std::string& value) = 0;
};

std::string ReadSetting(const SettingsStore& store, const std::string& appName,
                        const std::string& section, const std::string& key);
void WriteSetting(SettingsStore& store, const std::string& appName, const std::string& section,
                  const std::string& key, const std::string& value);

} // namespace psm
