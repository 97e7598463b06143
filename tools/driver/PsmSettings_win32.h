#pragma once

// psm's stored settings, HKCU\Software\VB and VBA Program Settings\ORNA\psm\general,
// as a driver prepares and reads them from outside the program.

#include <optional>
#include <string>

namespace psm::e2e::settings {

void Clear();
void Set(const std::wstring& key, const std::wstring& value);
std::optional<std::wstring> Get(const std::wstring& key);

// Writes the value file to `path` and leaves psm no settings but that file's
// name, so that psm.exe starts with it. False when the file cannot be written.
bool PrepareValueFile(const std::wstring& path, const std::string& content);

} // namespace psm::e2e::settings
