// The check of a value file: every kind of problem with its line, a clean
// file, and the report in both languages.

#include "tables/ValueFileCheck.h"

#include "core/CheckReport.h"
#include "platform/FileRead.h"

#include <gmock/gmock.h>

namespace psm {

void PrintTo(const CheckFinding& finding, std::ostream* out) {
    *out << "line " << finding.Line << " kind " << static_cast<int>(finding.What) << " value "
         << finding.Value << " \"" << finding.Text << "\" " << finding.Number;
}

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Kind = CheckFinding::Kind;

CheckFinding At(int line, Kind what, int value = 0, std::string text = {}, int number = 0) {
    return CheckFinding{line, what, value, std::move(text), number};
}

TEST(ValueFileCheck, CleanFileWithTrailingZerosAndBothSeparatorsHasNoFinding) {
    EXPECT_THAT(CheckValueFile("Biegewerte Werkstatt\r\n"
                               "Unit: mm\r\n"
                               "Begin: Stahl; kaltgewalzt\r\n"
                               "St 1,0;1,00;1;0,440;2;1\r\n"
                               "St 1,5;1.5;1.5;0.44;2.5;1.5\r\n"
                               "End:\r\n"
                               "Begin: Alu\r\n"
                               "St 1,0;1;1,5;0;0;0\r\n" // a name used in another table
                               "End:\r\n"),
                IsEmpty());
}

TEST(ValueFileCheck, EveryProblemIsFoundAtItsLine) {
    const std::vector<CheckFinding> findings = CheckValueFile("Unit: cm\n"                  // 1
                                                              "Begin: Stahl\n"              // 2
                                                              "A;1;1;0.4;2\n"               // 3
                                                              "B;1;x;1,2;2;1;extra\n"       // 4
                                                              "C;0;-1;0.4;-2;0\n"           // 5
                                                              "D;1,0;1;0,4;2,0;1\n"         // 6
                                                              "A;2;2;0.4;2;1\n"             // 7
                                                              "E;1.000000000001;1;.4;2;1\n" // 8
                                                              "\n"                          // 9
                                                              "End:\n"                      // 10
                                                              "Begin: Leer\n"               // 11
                                                              "End:\n"                      // 12
                                                              "Begin: Offen\n"              // 13
                                                              "F;3;3;0.5;3;3\n");           // 14
    EXPECT_THAT(findings,
                ElementsAre(At(0, Kind::NoUnit), At(1, Kind::UnknownUnit, 0, "cm"),
                            At(3, Kind::FieldCount, 0, {}, 5), At(4, Kind::FieldCount, 0, {}, 7),
                            At(4, Kind::NotANumber, 2, "x"),
                            At(4, Kind::NeutralFactorRange, 3, "1,2"),
                            At(5, Kind::NotPositive, 1, "0"), At(5, Kind::NotPositive, 2, "-1"),
                            At(5, Kind::Negative, 4, "-2"), At(7, Kind::SameName, 0, "A", 3),
                            At(8, Kind::SameValues, 0, {}, 6), At(9, Kind::FieldCount, 0, {}, 1),
                            At(11, Kind::EmptyTable, 0, "Leer"), At(13, Kind::NoEnd, 0, "Offen")));
}

TEST(ValueFileCheck, TypesPsmNeverLoadsAreProblems) {
    // A mistyped "Begin:" leaves its rows outside any table; comments with a
    // semicolon are no type rows.
    EXPECT_THAT(
        CheckValueFile("Unit: mm\n"             // 1
                       "Name; Dicke; Radius\n"  // 2
                       "begin: Stahl\n"         // 3
                       "St 1,0;1;1;0.44;2;1\n"  // 4
                       "End:\n"                 // 5
                       "  Begin: Alu\n"         // 6
                       "Al 1,0;1;x;0.4;2;1\n"), // 7
        ElementsAre(At(0, Kind::NoTable), At(4, Kind::OutsideTable), At(7, Kind::OutsideTable)));
}

TEST(ValueFileCheck, ReportNamesEachProblemInTheTextsLanguageAndCountsTheRest) {
    LanguageTexts texts;
    const auto findings = CheckValueFile("Unit: mm\nBegin: T\nA;1;1;1,5;1;1\nA;1;1;0,5;-1;1\n");
    EXPECT_EQ(CheckReport("C:\\Werte\\psm_mm.txt", findings, texts),
              "C:\\Werte\\psm_mm.txt\r\n\r\nProbleme: 4\r\n"
              "Zeile 2: Tabelle \"T\" endet ohne \"End:\"\r\n"
              "Zeile 3: Neutralfaktor 1,5 liegt nicht zwischen 0 und 1\r\n"
              "Zeile 4: Blechtyp \"A\" steht schon in Zeile 3 dieser Tabelle\r\n"
              "Zeile 4: Ausklinkungstiefe -1 ist negativ\r\n");
    texts.LanguageIndex = LanguageTexts::English;
    EXPECT_EQ(CheckReport("f.txt", findings, texts, 2),
              "f.txt\r\n\r\nProblems: 4\r\n"
              "Line 2: table \"T\" has no \"End:\"\r\n"
              "Line 3: neutral factor 1,5 is not between 0 and 1\r\n"
              "... and 2 more\r\n");
    EXPECT_EQ(CheckReport("f.txt", std::vector<CheckFinding>{}, texts),
              "f.txt\r\n\r\nNo problems found.\r\n");
}

#ifdef PSM_SAMPLE_VALUE_FILE
// The sample shipped beside psm.exe is what new users copy: it must be clean.
TEST(ValueFileCheck, TheShippedSampleFileHasNoProblem) {
    const auto text = ReadFileBytes(PSM_SAMPLE_VALUE_FILE);
    ASSERT_TRUE(text.has_value());
    EXPECT_THAT(CheckValueFile(*text), IsEmpty());
}
#endif

} // namespace
} // namespace psm
