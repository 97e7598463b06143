#pragma once

// The write command: puts the chosen type's five values into the document,
// checks its features before and after, and offers to write the earlier
// values back when features fail or warn.

#include "core/AppState.h"
#include "core/Services.h"

namespace psm {

void cmdWrite_Click(AppState& state, const Services& services);
void ApplySelectedType(AppState& state, const Services& services);

// Fills NewValues with the chosen type's values in CAD units. True when all
// five were converted; nothing is shown when a value cannot be converted.
bool ConvertSelectedValues(AppState& state, const Services& services);

// The same, telling how many values, from the first on, this call converted
// (5: all; 0 also when no type is chosen).
int ConvertSelectedValueCount(AppState& state, const Services& services);

} // namespace psm
