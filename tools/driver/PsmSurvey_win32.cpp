#include "tools/driver/PsmSurvey_win32.h"

#include "tools/driver/WaitUntil_win32.h"

#include <commctrl.h>

namespace psm::e2e {
namespace {

constexpr UINT ReplyTimeoutMs = 5000;

LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, ReplyTimeoutMs,
                            &result) == 0) {
        return 0;
    }
    return static_cast<LRESULT>(result);
}

void PressKey(HWND window, WPARAM key) {
    PostMessageW(window, WM_KEYDOWN, key, 1);
    PostMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001));
}

} // namespace

bool PsmSurvey::WaitForWindow(DWORD milliseconds) {
    return WaitUntil(
        [&] {
            const auto windows = m_psm.WindowsOfProcess(SurveyWindowClassName);
            m_window = windows.empty() ? nullptr : windows.front();
            return m_window != nullptr;
        },
        milliseconds);
}

bool PsmSurvey::WaitUntilRead(DWORD milliseconds) const {
    HWND bar = GetDlgItem(m_window, SurveyProgressBarId);
    return WaitUntil(
        [&] {
            const auto done = Ask(bar, PBM_GETPOS);
            const auto all = Ask(bar, PBM_GETRANGE, FALSE, 0);
            return !Enabled(SurveyCancelId) && Rows() > 0 && done == all;
        },
        milliseconds);
}

std::wstring PsmSurvey::Caption() const {
    return TextOf(m_window);
}

std::wstring PsmSurvey::Progress() const {
    return TextOf(GetDlgItem(m_window, SurveyProgressTextId));
}

std::wstring PsmSurvey::ChosenType() const {
    return TextOf(GetDlgItem(m_window, SurveyChosenTypeId));
}

int PsmSurvey::Rows() const {
    return static_cast<int>(Ask(GetDlgItem(m_window, SurveyListId), LVM_GETITEMCOUNT));
}

void PsmSurvey::ToggleRow(int row) const {
    HWND list = GetDlgItem(m_window, SurveyListId);
    PressKey(list, VK_HOME);
    for (int i = 0; i < row; ++i) {
        PressKey(list, VK_DOWN);
    }
    PressKey(list, VK_SPACE);
    Ask(list, WM_NULL); // the keys are handled once this returns
}

void PsmSurvey::Click(int buttonId) const {
    PostMessageW(GetDlgItem(m_window, buttonId), BM_CLICK, 0, 0);
}

bool PsmSurvey::Enabled(int controlId) const {
    return IsWindowEnabled(GetDlgItem(m_window, controlId)) != FALSE;
}

std::wstring ClipboardText() {
    std::wstring text;
    for (int attempt = 0; attempt < 20 && text.empty(); ++attempt) {
        if (OpenClipboard(nullptr)) {
            if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
                if (const auto* locked = static_cast<const wchar_t*>(GlobalLock(data))) {
                    text = locked;
                    GlobalUnlock(data);
                }
            }
            CloseClipboard();
        }
        if (text.empty()) {
            Sleep(50);
        }
    }
    return text;
}

} // namespace psm::e2e
