#pragma once

#include "tables/SettingsStore.h"

#include <map>
#include <tuple>

namespace psm {

// The settings in memory, for tests. Names compare without regard to ASCII
// case, as the registry does.
class MemorySettingsStore : public SettingsStore {
  public:
    std::string Read(const std::string& appName, const std::string& section,
                     const std::string& key) const override;
    void Write(const std::string& appName, const std::string& section, const std::string& key,
               const std::string& value) override;

    // Number of writes so far, so that tests can tell a write of the same value from none.
    int WriteCount() const { return m_writeCount; }

  private:
    using Address = std::tuple<std::string, std::string, std::string>;
    static Address MakeAddress(const std::string& appName, const std::string& section,
                               const std::string& key);

    std::map<Address, std::string> m_values;
    int m_writeCount = 0;
};

} // namespace psm
