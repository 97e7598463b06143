#pragma once

// The fixture of the end-to-end suite: psm.exe and simcad.exe under the same
// Wine, psm's settings pointing at the workshop's value file, simcad with the
// workshop scenario unless a test brings its own.

#include "platform/Utf16_win32.h"
#include "tools/driver/Files_win32.h"
#include "tools/driver/PsmSettings_win32.h"
#include "tools/driver/Psm_win32.h"
#include "tools/driver/SimCad_win32.h"
#include "tools/driver/WaitUntil_win32.h"
#include "tools/driver/Workshop.h"

#include <gtest/gtest.h>
#include <string>

namespace psm::e2e {

class EndToEnd : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // Starts simcad with the scenario and psm beside it.
    void Start(const char* scenario = Workshop);
    void StartCad(const char* scenario = Workshop);
    void StartPsm();

    // Makes a document active in simcad, as a click into its window would:
    // psm's window is then no longer the active one, and its watch polls.
    void Switch(const std::string& document);
    // Clicks into the driver's own window: neither psm nor simcad is active.
    void ClickElsewhere();

    std::wstring ValueFilePath() const { return m_folder + L"e2e_mm.txt"; }
    const std::wstring& Folder() const { return m_folder; }

    SimCad simcad;
    Psm psm;

  private:
    std::wstring m_folder;
};

std::wstring Wide(const std::string& utf8);

// A number text written with "." in the user's own number format, as psm
// shows it.
std::wstring LocalNumber(std::wstring text);

} // namespace psm::e2e
