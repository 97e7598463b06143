#include "app/ComboBox_win32.h"

#include "platform/Utf16_win32.h"

#include <commctrl.h>

namespace psm {

void ComboBox::Reset() const {
    SendMessageW(m_control, CB_RESETCONTENT, 0, 0);
}

void ComboBox::Add(std::string_view utf8) const {
    const std::wstring text = Widen(utf8);
    SendMessageW(m_control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void ComboBox::Select(int position) const {
    SendMessageW(m_control, CB_SETCURSEL, static_cast<WPARAM>(position), 0);
}

int ComboBox::Selection() const {
    return static_cast<int>(SendMessageW(m_control, CB_GETCURSEL, 0, 0));
}

void ComboBox::SetVisibleEntries(int count) const {
    SendMessageW(m_control, CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
}

int ComboBox::EntryHeight() const {
    const auto height = static_cast<int>(SendMessageW(m_control, CB_GETITEMHEIGHT, 0, 0));
    return height > 0 ? height : 0;
}

} // namespace psm
