#pragma once

// The files a driver works with: the folder it runs from, a fresh folder for
// each run, and the text files (value files, scenarios) it writes there.

#include <string>

namespace psm::e2e {

// The folder of the driving program, with a trailing backslash.
std::wstring ProgramFolder();

// A fresh folder for one run's files, below the temporary folder.
std::wstring NewTempFolder(const std::wstring& name);

bool WriteTextFile(const std::wstring& path, const std::string& utf8);

} // namespace psm::e2e
