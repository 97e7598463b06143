// Start-up: psm attaches to the running CAD program and recognises the
// active document's table and type; without the CAD program it runs idle.

#include "EndToEnd_win32.h"

namespace psm::e2e {
namespace {

using StartUp = EndToEnd;

TEST_F(StartUp, RecognisesTheActiveDocumentsTableAndType) {
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(psm.Caption(), L"ORNA  Raziv");
    EXPECT_EQ(psm.Label(), L"Halter.psm");
    EXPECT_EQ(psm.Items(MainControl::TableList), (std::vector<std::wstring>{L"Stahl", L"Alu"}));
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
    EXPECT_EQ(psm.Items(MainControl::TypeList),
              (std::vector<std::wstring>{L"St 1,0", L"St 1,5", L"St 2,0"}));
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
    // Reading wrote nothing.
    EXPECT_EQ(simcad.WriteCount(), 0);
}

TEST_F(StartUp, RecognisesValuesTheFileSpellsWithTrailingZerosOrACommaAsNumbers) {
    ASSERT_TRUE(WriteTextFile(ValueFilePath(), "Unit: mm\r\n"
                                               "Begin: Stahl\r\n"
                                               "St 1,0;1,00;1.0;0,420;2,000;1\r\n"
                                               "St 1,5;1,50;1.500;0,430;3,0;1.50\r\n"
                                               "End:\r\n"));
    ASSERT_NO_FATAL_FAILURE(Start());
    EXPECT_EQ(psm.Label(), L"Halter.psm");
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Stahl");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"St 1,5");
}

TEST_F(StartUp, AnAssemblyActiveAtStartShowsThePartBehindIt) {
    ASSERT_NO_FATAL_FAILURE(StartCad((std::string(Workshop) + "active Gehäuse.asm\n").c_str()));
    ASSERT_NO_FATAL_FAILURE(StartPsm());
    EXPECT_EQ(psm.Label(), L"Gehäuseblech.psm");
    EXPECT_EQ(psm.Selected(MainControl::TableList), L"Alu");
    EXPECT_EQ(psm.Selected(MainControl::TypeList), L"Al 1,0");
}

TEST_F(StartUp, ACadProgramWithoutDocumentsEndsPsmAtItsFirstPoll) {
    ASSERT_NO_FATAL_FAILURE(Start("# nothing open\n"));
    EXPECT_EQ(psm.Label(), L"");
    EXPECT_TRUE(psm.Running());
    simcad.BringToFront();
    EXPECT_TRUE(psm.WaitForExit(NoticeMs));
}

} // namespace
} // namespace psm::e2e
