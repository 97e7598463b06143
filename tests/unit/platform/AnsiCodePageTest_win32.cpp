#include "platform/AnsiCodePage_win32.h"
#include "platform/TextDecoding.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace psm {
namespace {

TEST(DecodeAnsiCodePage, AgreesWithThePortableTableOnWesternSystems) {
    if (GetACP() != 1252) {
        GTEST_SKIP() << "ANSI code page " << GetACP();
    }
    for (int b = 1; b <= 0xFF; ++b) {
        const std::string byte(1, static_cast<char>(b));
        EXPECT_EQ(DecodeAnsiCodePage(byte), DecodeWindows1252(byte)) << "byte " << b;
    }
    EXPECT_EQ(DecodeAnsiCodePage("Blechst\xE4rke"), "Blechst\xC3\xA4rke");
}

TEST(DecodeAnsiCodePage, EmptyStaysEmpty) {
    EXPECT_EQ(DecodeAnsiCodePage(""), "");
}

} // namespace
} // namespace psm
