#pragma once

// The survey window as the core sees it: it draws a view model in one call
// and reports what the user does as named commands.

#include <cstddef>
#include <string>
#include <vector>

namespace psm {

// What the survey window's buttons ask for.
enum class SurveyCommand {
    Refresh, // read every part again
    Write,   // the main window's type into every checked part
    Copy,    // the table to the clipboard
    Cancel,  // stop reading
    // Every checked part of no type to its own nearest type.
    SetToStandard,
};

struct SurveyRowModel {
    std::vector<std::string> Cells;
    bool Checkable = false; // a sheet-metal part, read completely
    bool Checked = false;
    // The survey's part the row shows: what a check box reports, so that a
    // row sorted elsewhere meanwhile never checks another part.
    std::size_t Part = 0;
    friend bool operator==(const SurveyRowModel&, const SurveyRowModel&) = default;
};

// Everything the survey window shows.
struct SurveyViewModel {
    std::string Caption;
    std::vector<std::string> Columns;
    std::vector<bool> RightAligned;   // a column of numbers, at Columns' places
    std::vector<SurveyRowModel> Rows; // in the order shown
    int SortColumn = -1;              // -1: as the components come
    bool Descending = false;
    std::string Progress; // "12 von 50", or what stops the survey
    int PartsRead = 0;
    int Parts = 0;
    std::string ChosenType; // the type a write would put
    std::string RefreshCaption, WriteCaption, CopyCaption, CancelCaption, StandardCaption;
    bool CanWrite = false;
    bool CanSetToStandard = false;
    bool CanCancel = false;
    friend bool operator==(const SurveyViewModel&, const SurveyViewModel&) = default;
};

class SurveyView {
  public:
    virtual ~SurveyView() = default;
    // Creates the window, or brings it to the front when it is open.
    virtual void Open() = 0;
    virtual void Show(const SurveyViewModel& model) = 0;
    virtual void Close() = 0;
    // While a command runs the window takes no input: the command's boxes are
    // modal to the main window only.
    virtual void EnableInput(bool enabled) = 0;
    // The next step of the survey is due after `milliseconds`, once the
    // window's messages are handled.
    virtual void ScheduleStep(int milliseconds) = 0;
    // False when the clipboard could not be had.
    virtual bool CopyToClipboard(const std::string& text) = 0;
};

// What the survey window forwards to the core.
class SurveyEvents {
  public:
    virtual ~SurveyEvents() = default;
    virtual void OnSurveyCommand(SurveyCommand command) = 0;
    virtual void OnSurveyChecked(std::size_t part, bool checked) = 0; // the row's Part
    virtual void OnSurveySort(int column) = 0;
    virtual void OnSurveyStep() = 0;
    // The window is gone already; its parts are let go once no command runs.
    virtual void OnSurveyClosed() = 0;
};

} // namespace psm
