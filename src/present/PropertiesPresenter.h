#pragma once

// The properties window's presenter: the five values of the type the lists
// show, with names and units, beside them the document's own values; while
// the lists show no type, the document's values and the nearest type.

#include "core/MainView.h"
#include "core/States.h"

#include <optional>

namespace psm {

// What the window shows for the main window as it is now, in the current
// language; nothing when there is neither a type nor a document's values.
std::optional<PropertiesViewModel> PresentProperties(const ProgramContext& program,
                                                     const ShownDocument& document,
                                                     const ListsState& lists);

// The nearest type the window names while the lists show no type (a row of
// the tables); 0 while it names none.
int NearestTypeNamed(const ProgramContext& program, const ShownDocument& document,
                     const ListsState& lists);

} // namespace psm
