#include "platform/TextDecoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace psm {
namespace {

constexpr std::string_view ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view ReplacementCharacter = "\xEF\xBF\xBD";

// Length of the valid UTF-8 sequence that starts at text[i], or 0 when none
// does (stray continuation byte, overlong form, surrogate, beyond U+10FFFF,
// or cut off by the end).
size_t Utf8SequenceLength(std::string_view text, size_t i) {
    const auto byte = [&](size_t k) { return static_cast<uint8_t>(text[k]); };
    const uint8_t lead = byte(i);
    if (lead < 0x80) {
        return 1;
    }
    size_t length = 0;
    uint8_t low = 0x80; // allowed range of the second byte
    uint8_t high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (text.size() - i < length) {
        return 0;
    }
    if (byte(i + 1) < low || byte(i + 1) > high) {
        return 0;
    }
    for (size_t k = 2; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) {
            return 0;
        }
    }
    return length;
}

void AppendUtf8(std::string& out, uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// 0x80..0x9F of Windows-1252. The five unassigned bytes map to the C1 control
// of the same number, as the platform's own conversion does.
constexpr std::array<uint16_t, 32> Windows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string RepairUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    size_t i = 0;
    while (i < text.size()) {
        const size_t length = Utf8SequenceLength(text, i);
        if (length == 0) {
            out += ReplacementCharacter;
            ++i;
        } else {
            out.append(text.substr(i, length));
            i += length;
        }
    }
    return out;
}

} // namespace

bool IsValidUtf8(std::string_view bytes) {
    size_t i = 0;
    while (i < bytes.size()) {
        // Most of a value file is ASCII: skip it eight bytes at a time.
        while (bytes.size() - i >= 8) {
            uint64_t block = 0;
            std::memcpy(&block, bytes.data() + i, sizeof block);
            if ((block & 0x8080808080808080ULL) != 0) {
                break;
            }
            i += 8;
        }
        if (i == bytes.size()) {
            break;
        }
        if (static_cast<uint8_t>(bytes[i]) < 0x80) {
            ++i;
            continue;
        }
        const size_t length = Utf8SequenceLength(bytes, i);
        if (length == 0) {
            return false;
        }
        i += length;
    }
    return true;
}

std::string DecodeWindows1252(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 4);
    for (const char c : bytes) {
        const auto b = static_cast<uint8_t>(c);
        if (b < 0x80) {
            out.push_back(c);
        } else if (b < 0xA0) {
            AppendUtf8(out, Windows1252High[b - 0x80]);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

std::string DecodeText(std::string bytes, const AnsiDecoder& decodeAnsi) {
    const bool marked = std::string_view(bytes).substr(0, ByteOrderMark.size()) == ByteOrderMark;
    const std::string_view body = std::string_view(bytes).substr(marked ? ByteOrderMark.size() : 0);
    if (IsValidUtf8(body)) {
        if (marked) {
            bytes.erase(0, ByteOrderMark.size());
        }
        return bytes;
    }
    if (marked) {
        return RepairUtf8(body);
    }
    return decodeAnsi ? decodeAnsi(bytes) : DecodeWindows1252(bytes);
}

} // namespace psm
