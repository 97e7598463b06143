#include "app/MessageBoxes_win32.h"

#include "app/MainWindow_win32.h"
#include "platform/Utf16_win32.h"

namespace psm {

UINT MessageBoxStyle(MessageButtons buttons, MessageIcon icon) {
    UINT style = MB_APPLMODAL;
    switch (buttons) {
    case MessageButtons::Ok:
        style |= MB_OK;
        break;
    case MessageButtons::OkCancel:
        style |= MB_OKCANCEL;
        break;
    case MessageButtons::YesNo:
        style |= MB_YESNO;
        break;
    }
    switch (icon) {
    case MessageIcon::Critical:
        style |= MB_ICONSTOP;
        break;
    case MessageIcon::Exclamation:
        style |= MB_ICONEXCLAMATION;
        break;
    case MessageIcon::Information:
        style |= MB_ICONINFORMATION;
        break;
    }
    return style;
}

MessageAnswer AnswerOf(int result, MessageButtons buttons) {
    switch (result) {
    case IDOK:
        return MessageAnswer::Ok;
    case IDCANCEL:
        return MessageAnswer::Cancel;
    case IDYES:
        return MessageAnswer::Yes;
    case IDNO:
        return MessageAnswer::No;
    default:
        return CautiousAnswer(buttons);
    }
}

MessageAnswer Win32MessageBoxes::ShowMessage(const std::string& text, const std::string& title,
                                             MessageButtons buttons, MessageIcon icon) {
    const std::wstring wideText = Widen(text);
    const std::wstring wideTitle = Widen(title);
    const int result = MessageBoxW(m_owner.Handle(), wideText.c_str(), wideTitle.c_str(),
                                   MessageBoxStyle(buttons, icon));
    return AnswerOf(result, buttons);
}

} // namespace psm
