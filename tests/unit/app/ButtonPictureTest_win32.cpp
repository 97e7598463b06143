// Decoding, composing and choosing the button pictures.

#include "app/ButtonPicture_win32.h"

#include <cstring>
#include <gtest/gtest.h>

namespace psm {
namespace {

// A bitmap resource block: header and 32-bit pixels given top row first.
std::vector<std::byte> Resource(int width, int height, const std::vector<uint32_t>& topDown,
                                bool bottomUp = true, WORD bits = 32) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = bottomUp ? height : -height;
    header.biPlanes = 1;
    header.biBitCount = bits;
    header.biCompression = BI_RGB;
    std::vector<std::byte> block(sizeof header + topDown.size() * 4);
    std::memcpy(block.data(), &header, sizeof header);
    for (int row = 0; row < height; ++row) {
        const int stored = bottomUp ? height - 1 - row : row;
        std::memcpy(block.data() + sizeof header + static_cast<size_t>(stored * width) * 4,
                    topDown.data() + static_cast<size_t>(row * width),
                    static_cast<size_t>(width) * 4);
    }
    return block;
}

TEST(DecodePicture, ReadsBottomUpRowsTopFirst) {
    const std::vector<uint32_t> pixels = {0xFF000001, 0xFF000002, 0x80000003,
                                          0x00000004, 0xFF000005, 0xFF000006};
    const std::optional<Picture> picture = DecodePicture(Resource(2, 3, pixels));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width, 2);
    EXPECT_EQ(picture->Height, 3);
    EXPECT_EQ(picture->Pixels, pixels);
}

TEST(DecodePicture, ReadsTopDownRows) {
    const std::vector<uint32_t> pixels = {1, 2, 3, 4};
    const std::optional<Picture> picture = DecodePicture(Resource(2, 2, pixels, false));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Pixels, pixels);
}

TEST(DecodePicture, RefusesOtherLayoutsAndShortBlocks) {
    const std::vector<uint32_t> pixels = {1, 2, 3, 4};
    EXPECT_FALSE(DecodePicture(Resource(2, 2, pixels, true, 24)));
    std::vector<std::byte> truncated = Resource(2, 2, pixels);
    truncated.pop_back();
    EXPECT_FALSE(DecodePicture(truncated));
    EXPECT_FALSE(DecodePicture(std::span<const std::byte>()));
    std::vector<std::byte> hugeHeader = Resource(2, 2, pixels);
    const DWORD size = 0xFFFFFFF0;
    std::memcpy(hugeHeader.data(), &size, sizeof size);
    EXPECT_FALSE(DecodePicture(hugeHeader));
    EXPECT_FALSE(DecodePicture(Resource(0, 0, {})));
}

TEST(ComposeOver, MixesEachChannelByAlpha) {
    Picture picture{3, 1, {0xFF102030, 0x00102030, 0x80FF0000}};
    const std::vector<uint32_t> result = ComposeOver(picture, 0x00F0F0F0);
    EXPECT_EQ(result[0], 0x00102030u); // opaque: the picture
    EXPECT_EQ(result[1], 0x00F0F0F0u); // transparent: the background
    // Half: red (255 + 240) / 2, green and blue 240 / 2, rounded.
    EXPECT_EQ(result[2], 0x00F87878u);
}

TEST(PictureSizeForDpi, PicksTheLargestSizeThatFitsTheButton) {
    EXPECT_EQ(PictureSizeForDpi(96), 24);
    EXPECT_EQ(PictureSizeForDpi(120), 30);
    EXPECT_EQ(PictureSizeForDpi(144), 36);
    EXPECT_EQ(PictureSizeForDpi(168), 36);
    EXPECT_EQ(PictureSizeForDpi(192), 48);
    EXPECT_EQ(PictureSizeForDpi(288), 48);
    EXPECT_EQ(PictureSizeForDpi(72), 24);
}

TEST(LoadButtonPicture, IsEmptyForAModuleWithoutPictures) {
    // The test program carries no resources; the buttons then show nothing.
    EXPECT_FALSE(LoadButtonPicture(GetModuleHandleW(nullptr), MainControl::WriteButton, 96));
}

} // namespace
} // namespace psm
