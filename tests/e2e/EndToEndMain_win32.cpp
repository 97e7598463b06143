// The end-to-end suite's program: a COM apartment for talking to simcad, and
// the closing line "N passed, M failed" that the test script looks for.

#include "tools/driver/DriverApartment_win32.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace {

class ClosingLine final : public ::testing::EmptyTestEventListener {
    void OnTestProgramEnd(const ::testing::UnitTest& run) override {
        std::printf("%d passed, %d failed\n", run.successful_test_count(), run.failed_test_count());
        std::fflush(stdout);
    }
};

} // namespace

int main(int argc, char** argv) {
    const psm::e2e::DriverApartment apartment;
    ::testing::InitGoogleTest(&argc, argv);
    // Appended after gtest's own printer, so that this line comes last.
    ::testing::UnitTest::GetInstance()->listeners().Append(new ClosingLine);
    return RUN_ALL_TESTS();
}
