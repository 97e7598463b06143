#include "tables/MemorySettingsStore.h"

namespace psm {
namespace {

std::string AsciiLower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

} // namespace

MemorySettingsStore::Address MemorySettingsStore::MakeAddress(const std::string& appName,
                                                              const std::string& section,
                                                              const std::string& key) {
    return {AsciiLower(appName), AsciiLower(section), AsciiLower(key)};
}

std::string MemorySettingsStore::Read(const std::string& appName, const std::string& section,
                                      const std::string& key) const {
    const auto found = m_values.find(MakeAddress(appName, section, key));
    return found == m_values.end() ? std::string() : found->second;
}

void MemorySettingsStore::Write(const std::string& appName, const std::string& section,
                                const std::string& key, const std::string& value) {
    m_values[MakeAddress(appName, section, key)] = value;
    ++m_writeCount;
}

} // namespace psm
