#pragma once

// The workshop the end-to-end suite and the measuring program work in: a
// value file of two tables and the CAD scenario whose documents match it.

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

} // namespace psm::e2e
