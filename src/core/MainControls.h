#pragma once

// The main window's controls as the core names them, a place in twips
// (1/1440 inch), and the window's designed size. Their identifiers and places
// are the shell's: app/MainWindowDesign_win32.h.

#include <array>
#include <cstddef>
#include <cstdint>

namespace psm {

struct TwipsRect {
    int32_t Left = 0;
    int32_t Top = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The controls of the main window, and FreeArea, the window's free area.
enum class MainControl {
    WriteButton,      // writes the chosen type into the document
    ResetListButton,  // shows the document's own type in the lists again
    ResetButton,      // writes the document's earlier values back
    PropertiesButton, // opens the properties window
    ExitButton,
    DocumentLabel, // the name of the document shown
    ListPanel,     // the frame around the two lists
    TableList,
    TypeList,
    StatusBar,
    FreeArea,
};

inline constexpr std::size_t MainControlCount = 10; // the controls, without FreeArea

// The picture buttons, left to right.
inline constexpr std::array<MainControl, 5> PictureButtons{
    MainControl::WriteButton, MainControl::ResetListButton, MainControl::ResetButton,
    MainControl::PropertiesButton, MainControl::ExitButton};

// The outer frame size that start-up gives the window.
inline constexpr int32_t MainWindowWidth = 3555;
inline constexpr int32_t MainWindowHeight = 2355;
// The rows of the properties window: one for each of the five values.
inline constexpr int PropertiesRows = 5;

} // namespace psm
