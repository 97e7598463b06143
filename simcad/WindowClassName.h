#pragma once

// The window class of simcad's window, apart from the window itself, so that
// the programs driving simcad find the window without its world.

namespace psm::simcad {

inline constexpr wchar_t WindowClassName[] = L"SimCadWindow";

} // namespace psm::simcad
