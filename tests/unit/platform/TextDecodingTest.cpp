#include "platform/TextDecoding.h"

#include "platform/TextLines.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace psm {
namespace {

constexpr const char* BlechstaerkeUtf8 = "Blechst\xC3\xA4rke";
constexpr const char* BlechstaerkeAnsi = "Blechst\xE4rke";

std::vector<std::string> Lines(std::string_view text) {
    std::vector<std::string> lines;
    TextLines reader(text);
    std::string_view line;
    while (reader.Next(line)) {
        lines.emplace_back(line);
    }
    return lines;
}

using Strings = std::vector<std::string>;

TEST(TextLines, SplitsAtCrLfLfAndLoneCr) {
    EXPECT_EQ(Lines("a\r\nb\nc\rd"), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(Lines("a\r\n\r\nb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Lines("a\n\rb"), (Strings{"a", "", "b"}));
    EXPECT_EQ(Lines("a\r\rb"), (Strings{"a", "", "b"}));
}

TEST(TextLines, TerminatorAtTheEndStartsNoLine) {
    EXPECT_EQ(Lines(""), Strings{});
    EXPECT_EQ(Lines("a\r\n"), Strings{"a"});
    EXPECT_EQ(Lines("a\r"), Strings{"a"});
    EXPECT_EQ(Lines("a\n\n"), (Strings{"a", ""}));
    EXPECT_EQ(Lines("\r\n"), Strings{""});
    EXPECT_EQ(Lines("last line without end"), Strings{"last line without end"});
}

TEST(TextLines, KeepsTabsBlanksAndOtherControlCharacters) {
    EXPECT_EQ(Lines(" \ta\tb \x0C\n"), Strings{" \ta\tb \x0C"});
    EXPECT_EQ(Lines(std::string("a\0b\n", 4)), Strings{std::string("a\0b", 3)});
}

TEST(IsValidUtf8, AcceptsWellFormedText) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain ASCII text that is longer than eight bytes"));
    EXPECT_TRUE(IsValidUtf8(BlechstaerkeUtf8));
    EXPECT_TRUE(IsValidUtf8("\xE2\x82\xAC 12345678")); // euro sign
    EXPECT_TRUE(IsValidUtf8("\xF0\x9F\x98\x80"));      // U+1F600
    EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));      // U+10FFFF
    EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF"));          // U+D7FF
    EXPECT_TRUE(IsValidUtf8("12345678\xC3\xA4"
                            "12345678")); // non-ASCII between blocks
}

TEST(IsValidUtf8, RejectsMalformedText) {
    EXPECT_FALSE(IsValidUtf8(BlechstaerkeAnsi));
    EXPECT_FALSE(IsValidUtf8("\x80"));
    EXPECT_FALSE(IsValidUtf8("\xC3"));             // cut off
    EXPECT_FALSE(IsValidUtf8("abcdefgh\xE2\x82")); // cut off after a block
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));         // overlong
    EXPECT_FALSE(IsValidUtf8("\xE0\x80\xAF"));     // overlong
    EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\xAF")); // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));     // surrogate
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80")); // beyond U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"));
    EXPECT_FALSE(IsValidUtf8("\xE2\x28\xA1")); // bad continuation
    EXPECT_FALSE(IsValidUtf8("\xFF"));
}

TEST(DecodeWindows1252, MapsEveryHighByte) {
    EXPECT_EQ(DecodeWindows1252(BlechstaerkeAnsi), BlechstaerkeUtf8);
    EXPECT_EQ(DecodeWindows1252("\x80"), "\xE2\x82\xAC"); // euro sign
    EXPECT_EQ(DecodeWindows1252("\x96"), "\xE2\x80\x93"); // en dash
    EXPECT_EQ(DecodeWindows1252("\x9F"), "\xC5\xB8");     // Y with diaeresis
    EXPECT_EQ(DecodeWindows1252("\x81"), "\xC2\x81");     // unassigned
    EXPECT_EQ(DecodeWindows1252("\xA0\xDF\xFF"), "\xC2\xA0\xC3\x9F\xC3\xBF");
    EXPECT_EQ(DecodeWindows1252("Unit: mm"), "Unit: mm");
    for (int b = 0x80; b <= 0xFF; ++b) {
        EXPECT_TRUE(IsValidUtf8(DecodeWindows1252(std::string(1, static_cast<char>(b))))) << b;
    }
}

TEST(DecodeText, Utf8StaysUtf8WithOrWithoutMark) {
    const AnsiDecoder portable;
    EXPECT_EQ(DecodeText(std::string("Begin: ") + BlechstaerkeUtf8, portable),
              std::string("Begin: ") + BlechstaerkeUtf8);
    EXPECT_EQ(DecodeText(std::string("\xEF\xBB\xBFUnit: mm\r\n") + BlechstaerkeUtf8, portable),
              std::string("Unit: mm\r\n") + BlechstaerkeUtf8);
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF", portable), "");
    EXPECT_EQ(DecodeText("", portable), "");
}

TEST(DecodeText, OtherBytesAreAnsiText) {
    EXPECT_EQ(DecodeText(BlechstaerkeAnsi, AnsiDecoder{}), BlechstaerkeUtf8);
    // The injected decoder gets the whole text, not the portable table.
    std::string seen;
    const AnsiDecoder recording = [&seen](std::string_view bytes) {
        seen = bytes;
        return std::string("decoded");
    };
    EXPECT_EQ(DecodeText(BlechstaerkeAnsi, recording), "decoded");
    EXPECT_EQ(seen, BlechstaerkeAnsi);
    // Valid UTF-8 never reaches the ANSI decoder.
    seen.clear();
    EXPECT_EQ(DecodeText(BlechstaerkeUtf8, recording), BlechstaerkeUtf8);
    EXPECT_EQ(seen, "");
}

TEST(DecodeText, BrokenTextAfterAMarkStaysUtf8WithReplacements) {
    EXPECT_EQ(DecodeText("\xEF\xBB\xBF"
                         "Unit: mm\n\xE4x\xC3\xA4",
                         AnsiDecoder{}),
              "Unit: mm\n\xEF\xBF\xBDx\xC3\xA4");
}

} // namespace
} // namespace psm
