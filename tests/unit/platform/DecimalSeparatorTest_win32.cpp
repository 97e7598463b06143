#include "platform/DecimalSeparator_win32.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace psm {
namespace {

TEST(UserDecimalSeparator, IsTheSecondCharacterOfOnePointFiveInTheUsersFormat) {
    wchar_t formatted[32] = {};
    ASSERT_GT(GetNumberFormatEx(LOCALE_NAME_USER_DEFAULT, 0, L"1.5", nullptr, formatted, 32), 2);
    EXPECT_EQ(static_cast<wchar_t>(UserDecimalSeparator()), formatted[1]);
}

} // namespace
} // namespace psm
