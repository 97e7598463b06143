#include "app/SurveyWindow_win32.h"

#include "app/Clipboard_win32.h"
#include "app/MainWindowDesign_win32.h"
#include "app/MainWindow_win32.h"
#include "app/Screen_win32.h"
#include "platform/Utf16_win32.h"

#include <algorithm>
#include <commctrl.h>

namespace psm {
namespace {

constexpr DWORD SurveyStyle = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
constexpr UINT_PTR StepTimerId = 1;
constexpr std::array ButtonIds{SurveyRefreshId, SurveyWriteId, SurveyStandardId, SurveyCopyId,
                               SurveyCancelId};

// Design sizes in pixels at 96 DPI.
constexpr int Margin = 8;
constexpr int LineHeight = 20;
constexpr int ButtonWidth = 120;
constexpr int ButtonHeight = 26;
constexpr int ProgressWidth = 200;
constexpr SIZE DesignSize{960, 420};
constexpr SIZE SmallestSize{480, 240};
constexpr int FirstColumnWidth = 160;
constexpr int ColumnWidth = 90;

void SetText(HWND control, const std::string& text) {
    SetWindowTextW(control, Widen(text).c_str());
}

// The check box an item shows: none (0), unchecked (1) or checked (2).
UINT CheckImage(const SurveyRowModel& row) {
    return row.Checkable ? (row.Checked ? 2u : 1u) : 0u;
}

} // namespace

SurveyWindow::SurveyWindow(HINSTANCE instance, const MainWindow& owner)
    : m_instance(instance), m_owner(owner) {}

SurveyWindow::~SurveyWindow() {
    DestroyBound();
}

bool SurveyWindow::TranslateDialogMessage(MSG& message) {
    return m_window != nullptr && IsChild(m_window, message.hwnd) &&
           IsDialogMessageW(m_window, &message);
}

void SurveyWindow::Open() {
    if (m_window == nullptr) {
        const UINT dpi = WindowDpi(m_owner.Handle());
        m_shown = {};
        m_columnsFitted = false;
        if (!CreateBound(m_instance, {.Name = SurveyWindowClassName}, WS_EX_CONTROLPARENT, L"",
                         SurveyStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                         ScaledPixels(DesignSize.cx, dpi), ScaledPixels(DesignSize.cy, dpi),
                         m_owner.Handle())) {
            return;
        }
    }
    ShowWindow(m_window, IsIconic(m_window) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(m_window);
}

void SurveyWindow::Close() {
    if (m_window != nullptr) {
        DestroyWindow(m_window);
    }
}

void SurveyWindow::EnableInput(bool enabled) {
    if (m_window == nullptr) {
        return;
    }
    if (!enabled) {
        m_hadFocus = GetFocus() == m_window;
        EnableWindow(m_window, FALSE);
        return;
    }
    EnableWindow(m_window, TRUE);
    // Disabling took the focus from the window itself (a control keeps its own).
    if (m_hadFocus && GetFocus() == nullptr && GetActiveWindow() == m_window) {
        SetFocus(m_window);
    }
    m_hadFocus = false;
}

void SurveyWindow::ScheduleStep(int milliseconds) {
    if (m_window != nullptr) {
        // A timer message comes only once the window's input is handled.
        SetTimer(m_window, StepTimerId,
                 static_cast<UINT>(std::max(milliseconds, static_cast<int>(USER_TIMER_MINIMUM))),
                 nullptr);
    }
}

bool SurveyWindow::CopyToClipboard(const std::string& text) {
    return m_window != nullptr && PutTextOnClipboard(m_window, text);
}

void SurveyWindow::Show(const SurveyViewModel& model) {
    if (m_window == nullptr) {
        return;
    }
    m_drawing = true;
    // Shown again after every tick: only what changed is drawn.
    const auto text = [&](HWND control, const std::string& now, const std::string& before) {
        if (now != before || m_shown.Columns.empty()) {
            SetText(control, now);
        }
    };
    text(m_window, model.Caption, m_shown.Caption);
    text(Control(SurveyChosenTypeId), model.ChosenType, m_shown.ChosenType);
    text(Control(SurveyProgressTextId), model.Progress, m_shown.Progress);
    text(Control(SurveyRefreshId), model.RefreshCaption, m_shown.RefreshCaption);
    text(Control(SurveyWriteId), model.WriteCaption, m_shown.WriteCaption);
    text(Control(SurveyStandardId), model.StandardCaption, m_shown.StandardCaption);
    text(Control(SurveyCopyId), model.CopyCaption, m_shown.CopyCaption);
    text(Control(SurveyCancelId), model.CancelCaption, m_shown.CancelCaption);
    if (model.Parts != m_shown.Parts || model.PartsRead != m_shown.PartsRead) {
        HWND bar = Control(SurveyProgressBarId);
        SendMessageW(bar, PBM_SETRANGE32, 0, std::max(model.Parts, 1));
        SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(model.PartsRead), 0);
    }
    EnableWindow(Control(SurveyWriteId), model.CanWrite);
    EnableWindow(Control(SurveyStandardId), model.CanSetToStandard);
    EnableWindow(Control(SurveyCancelId), model.CanCancel);
    ShowColumns(model);
    ShowRows(model);
    ShowSortMark(model);
    if (m_shown.CanCancel && !model.CanCancel) {
        FitColumns(model); // read to the end
    }
    m_shown = model;
    m_drawing = false;
}

void SurveyWindow::ShowColumns(const SurveyViewModel& model) {
    if (model.Columns == m_shown.Columns) {
        return;
    }
    HWND list = Control(SurveyListId);
    if (model.Columns.size() == m_shown.Columns.size()) {
        // Other titles (another language): the rows stay, the widths follow the titles.
        for (std::size_t i = 0; i < model.Columns.size(); ++i) {
            std::wstring title = Widen(model.Columns[i]);
            LVCOLUMNW column{};
            column.mask = LVCF_TEXT;
            column.pszText = title.data();
            ListView_SetColumn(list, static_cast<int>(i), &column);
        }
        SizeColumns(model);
        return;
    }
    while (ListView_DeleteColumn(list, 0)) {
    }
    m_shown.Rows.clear(); // the rows go with their columns
    ListView_DeleteAllItems(list);
    m_columnsFitted = false;
    for (std::size_t i = 0; i < model.Columns.size(); ++i) {
        std::wstring title = Widen(model.Columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM | LVCF_FMT;
        column.pszText = title.data();
        column.cx = DesignedColumnWidth(i);
        // Numbers stand right-aligned; a list view keeps its first column left.
        const bool right = i > 0 && i < model.RightAligned.size() && model.RightAligned[i];
        column.fmt = right ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.iSubItem = static_cast<int>(i);
        ListView_InsertColumn(list, static_cast<int>(i), &column);
    }
}

int SurveyWindow::DesignedColumnWidth(std::size_t column) const {
    return m_scale.ScaledPixels(column == 0 ? FirstColumnWidth : ColumnWidth);
}

void SurveyWindow::SizeColumns(const SurveyViewModel& model) {
    if (m_columnsFitted) {
        FitColumns(model);
        return;
    }
    for (std::size_t column = 0; column < model.Columns.size(); ++column) {
        ListView_SetColumnWidth(Control(SurveyListId), static_cast<int>(column),
                                DesignedColumnWidth(column));
    }
}

void SurveyWindow::ShowRows(const SurveyViewModel& model) {
    HWND list = Control(SurveyListId);
    if (model.Rows.size() != m_shown.Rows.size()) {
        ListView_DeleteAllItems(list);
        m_shown.Rows.assign(model.Rows.size(), SurveyRowModel{});
        for (std::size_t i = 0; i < model.Rows.size(); ++i) {
            LVITEMW item{};
            item.mask = LVIF_TEXT;
            item.iItem = static_cast<int>(i);
            item.pszText = const_cast<wchar_t*>(L"");
            ListView_InsertItem(list, &item);
            m_shown.Rows[i].Cells.assign(model.Rows[i].Cells.size(), std::string());
        }
    }
    for (std::size_t i = 0; i < model.Rows.size(); ++i) {
        const SurveyRowModel& row = model.Rows[i];
        SurveyRowModel& shown = m_shown.Rows[i];
        const int index = static_cast<int>(i);
        for (std::size_t cell = 0; cell < row.Cells.size(); ++cell) {
            if (cell >= shown.Cells.size() || row.Cells[cell] != shown.Cells[cell]) {
                std::wstring text = Widen(row.Cells[cell]);
                ListView_SetItemText(list, index, static_cast<int>(cell), text.data());
            }
        }
        // Against the control itself: a click the core did not take is taken back.
        const UINT image =
            (ListView_GetItemState(list, index, LVIS_STATEIMAGEMASK) & LVIS_STATEIMAGEMASK) >> 12;
        if (image != CheckImage(row)) {
            ListView_SetItemState(list, index, INDEXTOSTATEIMAGEMASK(CheckImage(row)),
                                  LVIS_STATEIMAGEMASK);
        }
        shown = row;
    }
}

void SurveyWindow::FitColumns(const SurveyViewModel& model) {
    // Measured here rather than by the list's own autosize, which leaves a
    // title cut short on some systems.
    HWND list = Control(SurveyListId);
    const auto measure = [&](const std::string& text) {
        const std::wstring wide = Widen(text);
        return ListView_GetStringWidth(list, wide.c_str());
    };
    const int cellMargin = m_scale.ScaledPixels(12);
    const int titleMargin = m_scale.ScaledPixels(28); // the title's padding and the sort mark
    const int checkBox = m_scale.ScaledPixels(20);
    for (std::size_t column = 0; column < model.Columns.size(); ++column) {
        int width = measure(model.Columns[column]) + titleMargin;
        for (const SurveyRowModel& row : model.Rows) {
            if (column < row.Cells.size()) {
                width = std::max(width, measure(row.Cells[column]) + cellMargin +
                                            (column == 0 ? checkBox : 0));
            }
        }
        ListView_SetColumnWidth(list, static_cast<int>(column), width);
    }
    m_columnsFitted = true;
}

void SurveyWindow::ShowSortMark(const SurveyViewModel& model) {
    HWND header = ListView_GetHeader(Control(SurveyListId));
    const int count = Header_GetItemCount(header);
    for (int column = 0; column < count; ++column) {
        HDITEMW item{};
        item.mask = HDI_FORMAT;
        Header_GetItem(header, column, &item);
        item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
        if (column == model.SortColumn) {
            item.fmt |= model.Descending ? HDF_SORTDOWN : HDF_SORTUP;
        }
        Header_SetItem(header, column, &item);
    }
}

LRESULT SurveyWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate() ? 0 : -1;
    case WM_SIZE:
        Layout();
        return 0;
    case WM_GETMINMAXINFO: {
        auto& limits = *reinterpret_cast<MINMAXINFO*>(lParam);
        limits.ptMinTrackSize = {m_scale.ScaledPixels(SmallestSize.cx),
                                 m_scale.ScaledPixels(SmallestSize.cy)};
        return 0;
    }
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED) {
            OnCommand(LOWORD(wParam));
        }
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_TIMER:
        if (wParam == StepTimerId) {
            KillTimer(m_window, StepTimerId);
            if (m_events != nullptr) {
                m_events->OnSurveyStep();
            }
        }
        return 0;
    case WM_DPICHANGED:
        ApplyDpi(ChangedDpi(wParam));
        MoveToSuggested(m_window, lParam, SuggestedSize(lParam));
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, StepTimerId);
        if (m_events != nullptr) {
            m_events->OnSurveyClosed();
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

bool SurveyWindow::OnCreate() {
    const auto child = [&](const wchar_t* className, DWORD style, int id, DWORD extended = 0) {
        return CreateWindowExW(extended, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0,
                               m_window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                               m_instance, nullptr) != nullptr;
    };
    bool created = child(WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, SurveyChosenTypeId) &&
                   child(WC_LISTVIEWW, WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_SINGLESEL,
                         SurveyListId, WS_EX_CLIENTEDGE) &&
                   child(PROGRESS_CLASSW, 0, SurveyProgressBarId) &&
                   child(WC_STATICW, SS_LEFTNOWORDWRAP | SS_NOPREFIX, SurveyProgressTextId);
    for (const int id : ButtonIds) {
        created = created && child(WC_BUTTONW, WS_TABSTOP | BS_PUSHBUTTON, id);
    }
    if (!created) {
        return false;
    }
    ListView_SetExtendedListViewStyle(Control(SurveyListId),
                                      LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES |
                                          LVS_EX_DOUBLEBUFFER);
    ApplyDpi(WindowDpi(m_window));
    return true;
}

void SurveyWindow::OnUnexpectedFailure() noexcept {
    if (m_failures != nullptr) {
        m_failures->OnUnexpectedFailure();
    }
}

void SurveyWindow::OnCommand(int id) {
    if (m_events == nullptr) {
        return;
    }
    switch (id) {
    case SurveyRefreshId:
        m_events->OnSurveyCommand(SurveyCommand::Refresh);
        return;
    case SurveyWriteId:
        m_events->OnSurveyCommand(SurveyCommand::Write);
        return;
    case SurveyStandardId:
        m_events->OnSurveyCommand(SurveyCommand::SetToStandard);
        return;
    case SurveyCopyId:
        m_events->OnSurveyCommand(SurveyCommand::Copy);
        return;
    case SurveyCancelId:
        m_events->OnSurveyCommand(SurveyCommand::Cancel);
        return;
    case IDCANCEL: // Esc
        Close();
        return;
    default:
        return;
    }
}

LRESULT SurveyWindow::OnNotify(const NMHDR& header) {
    if (m_events == nullptr || header.idFrom != SurveyListId) {
        return 0;
    }
    if (header.code == LVN_COLUMNCLICK) {
        m_events->OnSurveySort(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    } else if (header.code == LVN_ITEMCHANGED && !m_drawing) {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
        const UINT before = (change.uOldState & LVIS_STATEIMAGEMASK) >> 12;
        const UINT after = (change.uNewState & LVIS_STATEIMAGEMASK) >> 12;
        if ((change.uChanged & LVIF_STATE) && before != 0 && after != 0 && before != after) {
            const auto row = static_cast<std::size_t>(change.iItem);
            if (row < m_shown.Rows.size()) {
                m_events->OnSurveyChecked(m_shown.Rows[row].Part, after == 2);
            }
        }
    }
    return 0;
}

void SurveyWindow::ApplyDpi(UINT dpi) {
    const UINT before = m_scale.Dpi();
    m_scale.Apply(m_window, dpi);
    Layout();
    // Each column keeps its width, also one the user dragged, at the new DPI.
    HWND list = Control(SurveyListId);
    for (int column = 0; column < static_cast<int>(m_shown.Columns.size()); ++column) {
        ListView_SetColumnWidth(list, column,
                                MulDiv(ListView_GetColumnWidth(list, column), static_cast<int>(dpi),
                                       static_cast<int>(before)));
    }
}

void SurveyWindow::Layout() {
    RECT client{};
    GetClientRect(m_window, &client);
    const int margin = m_scale.ScaledPixels(Margin);
    const int line = m_scale.ScaledPixels(LineHeight);
    const int buttonWidth = m_scale.ScaledPixels(ButtonWidth);
    const int buttonHeight = m_scale.ScaledPixels(ButtonHeight);
    const int width = std::max(0, static_cast<int>(client.right) - 2 * margin);
    const int buttonsTop = client.bottom - margin - buttonHeight;
    const int progressTop = buttonsTop - margin - line;
    const int listTop = margin + line + margin / 2;
    const auto place = [&](int id, int x, int y, int w, int h) {
        SetWindowPos(Control(id), nullptr, x, y, std::max(w, 0), std::max(h, 0),
                     SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(SurveyChosenTypeId, margin, margin, width, line);
    place(SurveyListId, margin, listTop, width, progressTop - margin / 2 - listTop);
    const int progressWidth = m_scale.ScaledPixels(ProgressWidth);
    place(SurveyProgressBarId, margin, progressTop + line / 6, progressWidth, line * 2 / 3);
    place(SurveyProgressTextId, 2 * margin + progressWidth, progressTop,
          width - margin - progressWidth, line);
    for (std::size_t i = 0; i < ButtonIds.size(); ++i) {
        place(ButtonIds[i], margin + static_cast<int>(i) * (buttonWidth + margin), buttonsTop,
              buttonWidth, buttonHeight);
    }
}

} // namespace psm
