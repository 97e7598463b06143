#include "platform/DecimalSeparator_win32.h"

#include "platform/NumberText.h"
#include "platform/Utf16_win32.h"

#include <iterator>
#include <string_view>
#include <windows.h>

namespace psm {

char UserDecimalSeparator() {
    // LOCALE_SDECIMAL holds at most three characters plus the terminator.
    wchar_t buffer[8] = {};
    const int length = GetLocaleInfoEx(LOCALE_NAME_USER_DEFAULT, LOCALE_SDECIMAL, buffer,
                                       static_cast<int>(std::size(buffer)));
    if (length <= 1) {
        return '.';
    }
    return DecimalSeparatorFromLocaleText(Narrow(std::wstring_view(buffer, length - 1)));
}

} // namespace psm
