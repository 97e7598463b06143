#pragma once

// Resource identifiers shared by psm.rc and the shell (plain defines: the
// resource compiler reads this file too).

#define IDI_PSM 1

// Button pictures: IDB_PICTURES + 10 * button (cmdWrite 0 ... cmdEnd 4)
// + size index (24, 30, 36, 48 pixels: 0 ... 3).
#define IDB_PICTURES 100
