#pragma once

// The fixture of the end-to-end suite: psm.exe and simcad.exe under the same
// Wine, psm's settings pointing at the suite's own value file, and the
// scenarios the groups share.

#include "Psm_win32.h"
#include "SimCad_win32.h"
#include "platform/Utf16_win32.h"

#include <gtest/gtest.h>
#include <string>

namespace psm::e2e {

// Types (rows): 1 St 1,0  2 St 1,5  3 St 2,0 | 4 Al 1,0  5 Al 2,0
inline constexpr const char* ValueFile = "Unit: mm\r\n"
                                         "Begin: Stahl\r\n"
                                         "St 1,0;1;1;0.42;2;1\r\n"
                                         "St 1,5;1.5;1.5;0.43;3;1.5\r\n"
                                         "St 2,0;2;2;0.44;4;2\r\n"
                                         "End:\r\n"
                                         "Begin: Alu\r\n"
                                         "Al 1,0;1;1.5;0.38;2;1\r\n"
                                         "Al 2,0;2;3;0.4;4;2\r\n"
                                         "End:\r\n";

// Halter: St 1,5, a radius below 1.2 mm fails Flansch 2. Deckel: Al 2,0,
// already failing. Winkel: no type. Gehäuse: one component leading to a
// part of type Al 1,0. Kopiert: one component leading to a part with a
// copied-part feature. Zwei: two components. Teil: a part.
inline constexpr const char* Workshop = R"(
sheetmetal Halter.psm
  values 0.0015 0.0015 0.43 0.003 0.0015
  feature flange Flansch 1
  feature flange Flansch 2
  rule Flansch 2 fails when BendRadius < 0.0012
sheetmetal Deckel.psm
  values 0.002 0.003 0.4 0.004 0.002
  feature flange Lasche 1
  status Lasche 1 failed
  feature flange Lasche 2
  rule Lasche 2 fails when MaterialThickness < 0.0015
sheetmetal Winkel.psm
  values 0.0012 0.0012 0.33 0.002 0.001
linked sheetmetal Gehäuseblech.psm
  values 0.001 0.0015 0.38 0.002 0.001
  feature flange Flansch 1
assembly Gehäuse.asm
  component direct Blech 1 -> Gehäuseblech.psm
linked sheetmetal Kopie.psm
  values 0.002 0.002 0.44 0.004 0.002
  feature copiedpart Teilekopie 1
  feature flange Flansch 1
  status Flansch 1 warned
assembly Kopiert.asm
  component direct Kopie 1 -> Kopie.psm
assembly Zwei.asm
  component direct A -> Gehäuseblech.psm
  component direct B -> Gehäuseblech.psm
part Teil.par
active Halter.psm
)";

// How long psm may take to notice what happened in the CAD program: a few of
// its 100 ms ticks, generously, for a slow machine.
inline constexpr DWORD NoticeMs = 5000;

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
