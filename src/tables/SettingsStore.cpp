#include "tables/SettingsStore.h"

namespace psm {

std::string ReadSetting(const SettingsStore& store, const std::string& appName,
                        const std::string& section, const std::string& key) {
    return store.Read(appName, section, key);
}

void WriteSetting(SettingsStore& store, const std::string& appName, const std::string& section,
                  const std::string& key, const std::string& value) {
    store.Write(appName, section, key, value);
}

} // namespace psm
