#pragma once

namespace psm {

// The decimal separator of the user's number format (not the system's).
char UserDecimalSeparator();

} // namespace psm
