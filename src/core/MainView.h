#pragma once

// The main window as the core sees it. The Win32 shell implements MainView
// (it draws what it is told) and calls MainWindowEvents (it forwards what the
// user does). All geometry is in twips (1/1440 inch), screen coordinates.

#include "core/MainWindowDesign.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace psm {

// The two drop-down lists: Combo1 holds the tables, Combo2 the types of one table.
enum class ListId { Combo1, Combo2 };

// The control that shows a list.
constexpr MainControl ControlOf(ListId list) {
    return list == ListId::Combo1 ? MainControl::Combo1 : MainControl::Combo2;
}

// Commands of the popup menu that have a handler.
enum class MenuCommand {
    MnuIcon,
    MnuTextFile,
    MnuScaleFactor,
    MnuLang0,
    MnuLang1,
    MnuHelp,
    MnuJournal,
    MnuCheckFile,
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

class MainView {
  public:
    virtual ~MainView() = default;

    virtual void SetCaption(const std::string& text) = 0;
    virtual void SetDocumentLabel(const std::string& text) = 0; // Label1
    virtual void SetStatusText(const std::string& text) = 0;    // StatusBar1
    // A picture button's name: not drawn, but read by screen readers.
    virtual void SetButtonName(MainControl button, const std::string& text) = 0;

    // The lists mirror the core's list model. Setting the selection here must
    // not notify the core back: the core raises its own selection reaction.
    virtual void ClearList(ListId list) = 0;
    virtual void AddListItem(ListId list, const std::string& text) = 0;
    virtual void SetListSelection(ListId list, int position) = 0; // -1: no selection

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

// The properties window (frmInfo): three columns of five labels.
class InfoView {
  public:
    virtual ~InfoView() = default;

    virtual bool Exists() const = 0;
    virtual bool Visible() const = 0;
    virtual void CreateHidden() = 0; // no-op when it exists
    virtual void Show() = 0;
    virtual void SetCaption(const std::string& text) = 0;
    // Outer width in screen twips, as the window is on the main window's monitor.
    virtual int32_t Width() const = 0;
    // Position and size in screen twips.
    virtual void MoveWindow(const TwipsRect& rect) = 0;
    // column 1 = value name, 2 = value, 3 = unit, 4 = the compared value,
    // 5 = the mark where the two differ; row 1..5
    virtual void SetLabel(int column, int row, const std::string& text) = 0;
    // What the comparison compares, a few lines.
    virtual void SetNote(const std::string& text) = 0;
    virtual void Destroy() = 0;
};

// What the shell forwards to the core.
class MainWindowEvents {
  public:
    virtual ~MainWindowEvents() = default;

    virtual void OnLoad() = 0;
    virtual void OnActivate() = 0;
    virtual void OnMouseDown(MouseButton button) = 0;  // free area only
    virtual void OnMouseMove(MainControl control) = 0; // a control with a hint, or Form

    virtual void OnListSelected(ListId list, int position) = 0; // by the user
    virtual void OnButtonClick(MainControl button) = 0;         // one of the picture buttons
    virtual void OnMenuCommand(MenuCommand command) = 0;
    virtual void OnTimer(bool mainWindowIsActive) = 0;
    virtual void OnCloseRequest() = 0; // title-bar close box, Alt+F4
    virtual void OnInfoClick() = 0;    // a click anywhere on the properties window
    // An exception reached a window procedure: the program tells the user
    // and ends; no event is handled afterwards.
    virtual void OnUnexpectedFailure() noexcept = 0;
};

} // namespace psm
