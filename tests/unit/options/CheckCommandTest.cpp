// The check of the value file: from the options menu as a box, and from the
// command line as a report and an exit code.

#include "options/CheckCommand.h"

#include "AppTestSupport.h"
#include "platform/Version.h"

#include <gmock/gmock.h>

namespace psm::test {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Optional;

// A table whose 25 rows all lack a field, one problem each.
std::string FileWithManyProblems() {
    std::string text = "Unit: mm\nBegin: Stahl\n";
    for (int i = 1; i <= 25; ++i) {
        text += "St " + std::to_string(i) + ";1;1;0.4;2\n";
    }
    return text + "End:\n";
}

class CheckMenuCommand : public AppFixture {
  protected:
    void Check() { app.OnMenuCommand(MenuCommand::CheckValueFile); }
};

TEST_F(CheckMenuCommand, ACleanFileIsSaidToBeSo) {
    sim.Quit();
    Start();
    Check();
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{state.ValueFilePath + "\r\n\r\nKeine Probleme gefunden.",
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Information}));
    EXPECT_EQ(view.Ends, 0);
}

TEST_F(CheckMenuCommand, ABoxShowsTheFirstTwentyProblemsAndCountsTheRest) {
    UseValueFile(FileWithManyProblems());
    sim.Quit();
    Start();
    Check();
    ASSERT_EQ(boxes.Shown.size(), 1u);
    const ShownBox& box = boxes.Shown[0];
    EXPECT_EQ(box.Title, "ORNA Raziv");
    EXPECT_EQ(box.Icon, MessageIcon::Exclamation);
    EXPECT_THAT(box.Text, ::testing::StartsWith(state.ValueFilePath +
                                                "\r\n\r\nProbleme: 25\r\n"
                                                "Zeile 3: 5 Felder statt 6 (Name und fünf "
                                                "Werte)\r\n"));
    EXPECT_THAT(box.Text, ::testing::EndsWith("\r\nZeile 22: 5 Felder statt 6 (Name und fünf "
                                              "Werte)\r\n... und 5 weitere"));
    EXPECT_EQ(view.Ends, 0);
}

TEST_F(CheckMenuCommand, AFileThatIsGoneIsReportedAsUnreadable) {
    sim.Quit();
    Start();
    state.ValueFilePath = folder.PathOf("weg.txt");
    Check();
    EXPECT_THAT(boxes.Shown,
                ElementsAre(ShownBox{state.ValueFilePath + "\r\n\r\nTextdatei nicht lesbar",
                                     "ORNA Raziv", MessageButtons::Ok, MessageIcon::Exclamation}));
}

TEST(CheckRequest, OnlyACheckSwitchFirstAsksForTheCheck) {
    using Args = std::vector<std::string>;
    EXPECT_EQ(CheckRequestOf(Args{}), std::nullopt);
    EXPECT_EQ(CheckRequestOf(Args{"psm_mm.txt"}), std::nullopt);
    EXPECT_EQ(CheckRequestOf(Args{"/checked"}), std::nullopt);
    EXPECT_EQ(CheckRequestOf(Args{"x", "/check"}), std::nullopt);
    EXPECT_THAT(CheckRequestOf(Args{"/check"}),
                Optional(::testing::Field(&CheckRequest::File, "")));
    EXPECT_THAT(CheckRequestOf(Args{"-CHECK", "D:\\Werte\\psm_mm.txt"}),
                Optional(::testing::Field(&CheckRequest::File, "D:\\Werte\\psm_mm.txt")));
    EXPECT_THAT(CheckRequestOf(Args{"/Check", "D:\\Meine", "Werte\\psm_mm.txt"}),
                Optional(::testing::Field(&CheckRequest::File, "D:\\Meine Werte\\psm_mm.txt")));
}

TEST(CommandLine, VersionFirstAndTraceAnywhereAreSwitchesInAnyCase) {
    using Args = std::vector<std::string>;
    EXPECT_TRUE(VersionRequested(Args{"/VERSION"}));
    EXPECT_FALSE(VersionRequested(Args{"/trace", "-version"}));
    EXPECT_TRUE(TraceRequested(Args{"x", "-Trace"}));
    EXPECT_FALSE(TraceRequested(Args{"/traced", "trace"}));
}

class CheckCommandLine : public ::testing::Test {
  protected:
    CheckCommandResult Run(std::string file = {}) {
        return RunCheckCommand(CheckRequest{std::move(file)}, settings, location, {});
    }
    MemorySettingsStore settings;
    FixedLocation location{"C:\\Tools\\psm\\"};
    psm::testing::TempFolder folder;
};

TEST_F(CheckCommandLine, WithoutAFileTheStartsFileIsCheckedAndUnreadableGivesTwo) {
    const CheckCommandResult result = Run();
    EXPECT_EQ(result.ExitCode, 2);
    EXPECT_EQ(result.Output,
              std::string(VersionLine) +
                  "\r\nC:\\Tools\\psm\\psm_mm.txt\r\n\r\nTextdatei nicht lesbar\r\n");
}

TEST_F(CheckCommandLine, ProblemsGiveOneWithTheWholeReportInTheStoredLanguage) {
    const std::string stored = folder.Write("psm_mm.txt", FileWithManyProblems());
    settings.Write("ORNA\\psm", "general", "filename", stored);
    settings.Write("ORNA\\psm", "general", "Language", "en");
    const CheckCommandResult result = Run();
    EXPECT_EQ(result.ExitCode, 1);
    EXPECT_THAT(result.Output, ::testing::StartsWith(std::string(VersionLine) + "\r\n" + stored +
                                                     "\r\n\r\nProblems: 25\r\n"));
    EXPECT_THAT(result.Output, HasSubstr("\r\nLine 27: 5 fields instead of 6 (name and five "
                                         "values)\r\n"));
    EXPECT_THAT(result.Output, ::testing::Not(HasSubstr("more")));
}

TEST_F(CheckCommandLine, AGivenFileGoesBeforeTheStoredOneAndACleanOneGivesZero) {
    settings.Write("ORNA\\psm", "general", "filename", folder.PathOf("weg.txt"));
    const std::string given = folder.Write("Kupfer.txt", WorkedExample);
    const CheckCommandResult result = Run(given);
    EXPECT_EQ(result.ExitCode, 0);
    EXPECT_EQ(result.Output,
              std::string(VersionLine) + "\r\n" + given + "\r\n\r\nKeine Probleme gefunden.\r\n");
}

} // namespace
} // namespace psm::test
