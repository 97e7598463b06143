#include "platform/FileRead.h"

#include "TempFolder.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace psm {
namespace {

TEST(ReadFileBytes, ReturnsEveryByteUnchanged) {
    testing::TempFolder folder;
    const std::string bytes("Unit: mm\r\nBlechst\xE4rke\0;\x1A\rend\n", 29);
    const std::string path = folder.Write("values.txt", bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(ReadFileBytes, ReadsALargeFileWhole) {
    testing::TempFolder folder;
    std::string bytes;
    for (int i = 0; bytes.size() < 300 * 1024; ++i) {
        bytes += "St " + std::to_string(i) + ";1;1;0.44;2;1\r\n";
    }
    const std::string path = folder.Write("large.txt", bytes);
    EXPECT_EQ(ReadFileBytes(path), bytes);
}

TEST(ReadFileBytes, EmptyFileIsThereButEmpty) {
    testing::TempFolder folder;
    const auto content = ReadFileBytes(folder.Write("empty.txt", ""));
    ASSERT_TRUE(content.has_value());
    EXPECT_EQ(*content, "");
}

TEST(ReadFileBytes, FindsAFileWhosePathHoldsUmlauts) {
    testing::TempFolder folder;
    std::filesystem::create_directory(folder.Path() /
                                      std::filesystem::path(u8"Bleche \u00e4\u00f6\u00fc"));
    const std::string path =
        folder.Write("Bleche \xC3\xA4\xC3\xB6\xC3\xBC/Werte \xE2\x82\xAC.txt", "Unit: in");
    EXPECT_NE(path.find("\xC3\xA4\xC3\xB6\xC3\xBC"), std::string::npos);
    EXPECT_EQ(ReadFileBytes(path), "Unit: in");
}

TEST(ReadFileBytes, FileAboveTheBoundIsNothing) {
    testing::TempFolder folder;
    const std::string path = folder.Write("values.txt", "0123456789");
    EXPECT_EQ(ReadFileBytes(path, 10), "0123456789");
    EXPECT_FALSE(ReadFileBytes(path, 9));
}

TEST(ReadFileBytes, MissingOrUnreadableIsNothing) {
    testing::TempFolder folder;
    EXPECT_FALSE(ReadFileBytes(folder.PathOf("missing.txt")));
    EXPECT_FALSE(ReadFileBytes(testing::TempFolder::Utf8(folder.Path())));
    EXPECT_FALSE(ReadFileBytes(""));
    std::filesystem::create_directory(folder.Path() / "values.txt");
    EXPECT_FALSE(ReadFileBytes(folder.PathOf("values.txt")));
}

TEST(ReadFileBytes, FileWithoutReadPermissionIsNothing) {
    testing::TempFolder folder;
    const std::string path = folder.Write("locked.txt", "Unit: mm");
    namespace fs = std::filesystem;
    fs::permissions(path, fs::perms::all, fs::perm_options::remove);
    if (std::ifstream(path).is_open()) {
        GTEST_SKIP() << "this user reads files without permission";
    }
    EXPECT_FALSE(ReadFileBytes(path));
}

} // namespace
} // namespace psm
