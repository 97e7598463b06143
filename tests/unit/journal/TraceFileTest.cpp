// The trace's file: bounded, one older file kept, each file headed.

#include "journal/TraceFile.h"

#include "TempFolder.h"
#include "platform/FileRead.h"

#include <gtest/gtest.h>

namespace psm {
namespace {

std::string Lines(int from, int to) {
    std::string lines;
    for (int i = from; i <= to; ++i) {
        lines += "line " + std::to_string(i) + "\r\n";
    }
    return lines;
}

TEST(TraceFile, PastItsBoundTheFileBecomesTheOlderOneAndANewOneBeginsWithTheHead) {
    const psm::testing::TempFolder folder;
    const std::string path = folder.PathOf("psm-trace.txt");
    const std::string older = folder.PathOf("psm-trace.old.txt");
    EXPECT_EQ(TraceFile::OlderPath(path), older);
    TraceFile file(200);
    ASSERT_TRUE(file.Begin(path, "head\r\n"));
    for (int i = 0; i <= 29; ++i) {
        ASSERT_TRUE(file.Append(Lines(i, i)));
    }
    // 6 bytes of head, 10 lines of 8 bytes and 12 of 9 fill the first 200.
    EXPECT_EQ(ReadFileBytes(older), "head\r\n" + Lines(0, 21));
    EXPECT_EQ(ReadFileBytes(path), "head\r\n" + Lines(22, 29));

    for (int i = 30; i <= 60; ++i) {
        ASSERT_TRUE(file.Append(Lines(i, i)));
    }
    const auto kept = ReadFileBytes(older);
    ASSERT_TRUE(kept);
    EXPECT_TRUE(kept->starts_with("head\r\nline 22\r\n")) << "one older file, the one before";
    EXPECT_LE(kept->size(), 200u);
    EXPECT_LE(ReadFileBytes(path)->size(), 200u);
    EXPECT_TRUE(ReadFileBytes(path)->ends_with("line 60\r\n"));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 2);
}

} // namespace
} // namespace psm
