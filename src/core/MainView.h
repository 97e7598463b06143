#pragma once

// The windows as the core sees them. The presenter turns the program's state
// into view models; the Win32 shell draws a view model in one call (MainView,
// PropertiesView) and reports what the user does as named commands
// (MainWindowEvents). All geometry is in twips (1/1440 inch), screen
// coordinates.

#include "core/MainControls.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// The two drop-down lists: the tables, and the types of one table.
enum class ListId { Tables, Types };

// The control that shows a list.
constexpr MainControl ControlOf(ListId list) {
    return list == ListId::Tables ? MainControl::TableList : MainControl::TypeList;
}

// What the picture buttons ask for.
enum class MainCommand {
    WriteChosenType, // the write button
    ResetLists,      // the "reset list" button: the lists show the document's type again
    ResetDocument,   // the reset button: the document's earlier values go back
    ShowProperties,  // the properties button
    Exit,            // the exit button
};

// The command of a picture button.
constexpr std::optional<MainCommand> CommandOf(MainControl button) {
    switch (button) {
    case MainControl::WriteButton:
        return MainCommand::WriteChosenType;
    case MainControl::ResetListButton:
        return MainCommand::ResetLists;
    case MainControl::ResetButton:
        return MainCommand::ResetDocument;
    case MainControl::PropertiesButton:
        return MainCommand::ShowProperties;
    case MainControl::ExitButton:
        return MainCommand::Exit;
    default:
        return std::nullopt;
    }
}

// The commands of the popup menu's items.
enum class MenuCommand {
    InstallButton,   // a button for psm in the CAD program
    ChooseValueFile, // another value file, read at the next start
    CheckValueFile,  // the check of the value file
    CheckAssembly,   // the survey of the active assembly's parts
    OpenJournal,
    German,
    English,
    ToggleTrace, // the trace of the CAD calls, on or off
};

// One item of the popup menu, with the visibility and state the core decided.
struct MenuItem {
    std::string Caption;
    bool Visible = true;
    bool Enabled = true;
    bool Checked = false;
    std::optional<MenuCommand> Command; // none for a submenu or an item without action
    std::vector<MenuItem> Children;
};

enum class MouseButton { Left = 1, Right = 2, Middle = 4 };

// One drop-down list: its entries and the one selected (-1: none).
struct ListModel {
    std::vector<std::string> Items;
    int Selection = -1;
    friend bool operator==(const ListModel&, const ListModel&) = default;
};

// Everything the main window shows.
struct MainViewModel {
    std::string Caption;
    std::string DocumentLabel;
    ListModel Tables;
    ListModel Types;
    std::string Status;
    // The picture buttons' names: not drawn, but read by screen readers.
    std::array<std::string, PictureButtons.size()> ButtonNames;
    friend bool operator==(const MainViewModel&, const MainViewModel&) = default;
};

class MainView {
  public:
    virtual ~MainView() = default;

    // Draws the model; what did not change since the last one is left alone.
    // Setting a list's selection here does not report a choice of the user.
    virtual void Show(const MainViewModel& model) = 0;

    // Window placement (outer frame), its normal state and kept-on-top.
    // Positions are screen twips (at the system DPI, the same on every run);
    // sizes are twips at the window's own DPI, so that it holds its design.
    virtual TwipsRect WindowRect() const = 0;
    // The outer frame with its size in screen twips too: the one unit in which
    // windows on monitors of different DPI can be placed beside each other.
    virtual TwipsRect ScreenFrame() const = 0;
    virtual void MoveWindow(const TwipsRect& rect) = 0;
    virtual void RestoreNormalState() = 0;
    virtual void KeepOnTop() = 0;
    virtual int32_t ScreenWidth() const = 0;                 // primary screen, twips
    virtual std::vector<TwipsRect> MonitorAreas() const = 0; // every monitor, twips
    // The dots per inch the window is drawn at.
    virtual int Dpi() const = 0;

    virtual void StartTimer(int intervalMilliseconds) = 0;

    // Opens the popup menu at the mouse position; returns the chosen command.
    virtual std::optional<MenuCommand> ShowPopupMenu(const std::vector<MenuItem>& items) = 0;

    // The standard open-file dialog, no filter. Returns the chosen file, or
    // nothing when the user cancels. It opens on initialFile; without one, or
    // when the dialog refuses it, in that file's folder if it exists, else in
    // initialFolder.
    virtual std::optional<std::string> ChooseFile(const std::string& title,
                                                  const std::string& initialFile,
                                                  const std::string& initialFolder) = 0;

    // Gives the keyboard focus back to the main window.
    virtual void Focus() = 0;

    // Closes every window of the program and ends it; no further event is handled.
    virtual void EndProgram() = 0;
};

// One row of the properties window: a value's name, the value, its unit,
// beside them the value compared with it and the mark where the two differ.
struct PropertiesRowModel {
    std::string Name;
    std::string Value;
    std::string Unit;
    std::string Compared;
    std::string Mark;
    friend bool operator==(const PropertiesRowModel&, const PropertiesRowModel&) = default;
};

// Everything the properties window shows.
struct PropertiesViewModel {
    std::string Caption;
    std::array<PropertiesRowModel, PropertiesRows> Rows;
    std::string Note; // what the comparison compares, a few lines
    // The caption of the button that chooses the nearest type the note
    // names; empty while it names none, and the button is hidden.
    std::string ChooseNearest;
    friend bool operator==(const PropertiesViewModel&, const PropertiesViewModel&) = default;
};

// What the properties window's button asks for.
enum class PropertiesCommand {
    ChooseNearestType, // the lists show the nearest type, as if the user had chosen it
};

// The properties window.
class PropertiesView {
  public:
    virtual ~PropertiesView() = default;

    virtual bool Exists() const = 0;
    virtual bool Visible() const = 0;
    virtual void CreateHidden() = 0; // no-op when it exists
    // Makes it visible with the model's texts.
    virtual void Show(const PropertiesViewModel& model) = 0;
    // Outer width in screen twips, as the window is on the main window's monitor.
    virtual int32_t Width() const = 0;
    // Position and size in screen twips.
    virtual void MoveWindow(const TwipsRect& rect) = 0;
    virtual void Destroy() = 0;
};

// What the shell forwards to the core.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;

    virtual void OnLoad() = 0;
    virtual void OnActivate() = 0;
    virtual void OnMouseDown(MouseButton button) = 0;  // free area only
    virtual void OnMouseMove(MainControl control) = 0; // a control with a hint, or FreeArea

    virtual void OnListChosen(ListId list, int position) = 0; // by the user
    virtual void OnCommand(MainCommand command) = 0;          // a picture button
    virtual void OnMenuCommand(MenuCommand command) = 0;
    virtual void OnTimer(bool mainWindowIsActive) = 0;
    virtual void OnCloseRequest() = 0; // title-bar close box, Alt+F4
    // A click anywhere on the properties window but its button.
    virtual void OnPropertiesClick() = 0;
    virtual void OnPropertiesCommand(PropertiesCommand command) = 0; // its button
    // An exception reached a window procedure: the program tells the user
    // and ends; no event is handled afterwards.
    virtual void OnUnexpectedFailure() noexcept = 0;
};

} // namespace psm
