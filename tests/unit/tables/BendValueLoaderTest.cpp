#include "tables/BendValueLoader.h"

#include "TempFolder.h"
#include "tables/MemorySettingsStore.h"

#include <gtest/gtest.h>
#include <optional>
#include <ostream>
#include <vector>

namespace psm {
namespace {

using Values = std::array<std::optional<double>, 5>;

// A type row as the loader leaves it: its name and its five values.
struct Fields {
    std::string Name;
    Values Numbers;
    friend bool operator==(const Fields&, const Fields&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Fields& fields) {
        out << fields.Name;
        for (const auto& number : fields.Numbers) {
            out << ";" << (number ? std::to_string(*number) : "-");
        }
        return out;
    }
};

constexpr const char* WorkedExample = "Biegewerte Werkstatt\r\n"
                                      "Unit: mm\r\n"
                                      "Begin: Stahl; kaltgewalzt\r\n"
                                      "St 1,0;1;1;0,44;2;1\r\n"
                                      "St 1,5;1,5;1,5;0,44;2,5;1,5\r\n"
                                      "St 2,0;2;2;0,45;3;2\r\n"
                                      "End:\r\n"
                                      "Begin: Aluminium\r\n"
                                      "Al 1,0;1;1,5;0,4;2;1\r\n"
                                      "Al 2,0;2;3;0,4;3;2\r\n"
                                      "End:\r\n";

class Loader : public ::testing::Test {
  protected:
    LoaderContext Context() { return LoaderContext{m_settings, m_app, m_section, {}}; }

    // Writes the file and loads it.
    bool Load(std::string_view content) {
        const std::string path = m_folder.Write("psm_mm.txt", content);
        m_load = LoadBendValues(path, Context(), m_model);
        return m_load.Read;
    }
    Fields Row(int row) const { return {m_model.Type(row).Name, m_model.Type(row).Values}; }

    void SetScaleFactor(const std::string& value) {
        WriteSetting(m_settings, m_app, m_section, "ScaleFactor", value);
    }

    testing::TempFolder m_folder;
    MemorySettingsStore m_settings;
    const std::string m_app = "ORNA\\psm";
    const std::string m_section = "general";
    ValueFileLoad m_load;
    TableModel m_model;
};

// The example of the documentation.

TEST_F(Loader, WorkedExample) {
    ASSERT_TRUE(Load(WorkedExample));
    EXPECT_EQ(m_model.UnitSuffix, " mm");
    EXPECT_EQ(m_model.ScaleFactor, 1000);
    EXPECT_EQ(m_model.TableCount, 2);
    EXPECT_EQ(m_model.TypeCount, 5);
    ASSERT_EQ(m_model.TableList.size(), 2u);
    ASSERT_EQ(m_model.TypeList.size(), 5u);
    EXPECT_EQ(m_model.Table(1).FirstRow, 1);
    EXPECT_EQ(m_model.Table(1).Name, "Stahl");
    EXPECT_EQ(m_model.Table(2).FirstRow, 4);
    EXPECT_EQ(m_model.Table(2).Name, "Aluminium");
    EXPECT_EQ(Row(1), (Fields{"St 1,0", {1, 1, 0.44, 2, 1}}));
    EXPECT_EQ(Row(2), (Fields{"St 1,5", {1.5, 1.5, 0.44, 2.5, 1.5}}));
    EXPECT_EQ(Row(3), (Fields{"St 2,0", {2, 2, 0.45, 3, 2}}));
    EXPECT_EQ(Row(4), (Fields{"Al 1,0", {1, 1.5, 0.4, 2, 1}}));
    EXPECT_EQ(Row(5), (Fields{"Al 2,0", {2, 3, 0.4, 3, 2}}));
    EXPECT_EQ(m_model.TableFirstRow(1), 1);
    EXPECT_EQ(m_model.TableLastRow(1), 3);
    EXPECT_EQ(m_model.TableFirstRow(2), 4);
    EXPECT_EQ(m_model.TableLastRow(2), 5);
    EXPECT_EQ(m_load.UnknownUnits, 0);
}

TEST_F(Loader, ValuesWithAPointOrACommaAreTheSameNumbersAndNamesStayAsWritten) {
    ASSERT_TRUE(Load("Begin: 1.5, 2.5; 1.0\nA.B,C;1,50;1.5;x;;7.8.\nEnd:\n"));
    EXPECT_EQ(m_model.Table(1).Name, "1.5, 2.5");
    EXPECT_EQ(Row(1), (Fields{"A.B,C", {1.5, 1.5, std::nullopt, std::nullopt, std::nullopt}}));
}

// The unit line and the "ScaleFactor" setting.

TEST_F(Loader, InchUnitWithoutSetting) {
    ASSERT_TRUE(Load("Unit: in\n"));
    EXPECT_EQ(m_model.UnitSuffix, "in");
    EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 1000 / 25.4);
    EXPECT_EQ(m_load.UnknownUnits, 0);
}

TEST_F(Loader, BlanksAroundTheUnitAreOptional) {
    ASSERT_TRUE(Load("Unit:mm\n"));
    EXPECT_EQ(m_model.UnitSuffix, " mm");
    ASSERT_TRUE(Load("Unit:    in   \n"));
    EXPECT_EQ(m_model.UnitSuffix, "in");
    EXPECT_EQ(m_load.UnknownUnits, 0);
}

TEST_F(Loader, SettingOverridesTheFactorOfEitherUnit) {
    SetScaleFactor("500");
    ASSERT_TRUE(Load("Unit: in\n"));
    EXPECT_EQ(m_model.ScaleFactor, 500);
    EXPECT_EQ(m_model.UnitSuffix, "in");
    ASSERT_TRUE(Load("Unit: mm\n"));
    EXPECT_EQ(m_model.ScaleFactor, 500);
    EXPECT_EQ(m_model.UnitSuffix, " mm");
}

TEST_F(Loader, SettingWithEitherSeparator) {
    for (const char* stored : {"39,37", "39.37"}) {
        SetScaleFactor(stored);
        ASSERT_TRUE(Load("Unit: mm\n"));
        EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 39.37) << stored;
    }
}

TEST_F(Loader, SettingIsAppliedEvenWithoutUnitLine) {
    SetScaleFactor("25,4");
    ASSERT_TRUE(Load("Begin: T\nEnd:\n"));
    EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 25.4);
    EXPECT_EQ(m_model.UnitSuffix, "");
}

TEST_F(Loader, SettingThatIsNoNumberCountsAsMissing) {
    SetScaleFactor("abc");
    ASSERT_TRUE(Load("Unit: in\n"));
    EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 1000 / 25.4);
}

TEST_F(Loader, NoUnitAndNoSettingLeavesFactorZeroAndSuffixEmpty) {
    ASSERT_TRUE(Load("Begin: T\nA;1\nEnd:\n"));
    EXPECT_EQ(m_model.ScaleFactor, 0);
    EXPECT_EQ(m_model.UnitSuffix, "");
    EXPECT_EQ(m_load.UnknownUnits, 0);
}

TEST_F(Loader, UnknownUnitIsCountedOncePerLineAndChangesNothing) {
    ASSERT_TRUE(Load("Unit: mm\nUnit: MM\nUnit: cm\nUnit:\nBegin: T\nA;1\nEnd:\n"));
    EXPECT_EQ(m_load.UnknownUnits, 3);
    EXPECT_EQ(m_model.UnitSuffix, " mm");
    EXPECT_EQ(m_model.ScaleFactor, 1000);
    EXPECT_EQ(m_model.TypeCount, 1);
}

TEST_F(Loader, LastValidUnitLineDecidesEvenInsideATable) {
    ASSERT_TRUE(Load("Unit: mm\nBegin: T\nA;1\nUnit: in\nB;2\nEnd:\nUnit: foot\n"));
    EXPECT_EQ(m_model.UnitSuffix, "in");
    EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 1000 / 25.4);
    EXPECT_EQ(m_model.TypeCount, 2);
    EXPECT_EQ(m_model.Type(2).Name, "B");
    EXPECT_EQ(m_load.UnknownUnits, 1);
}

// Keywords: first column, exact case.

TEST_F(Loader, LowerCaseKeywordIsIgnoredOutsideATableAndARowInside) {
    ASSERT_TRUE(Load("unit: in\nBegin: T\nunit: in\nend:\nEnd:\n"));
    EXPECT_EQ(m_model.UnitSuffix, "");
    EXPECT_EQ(m_load.UnknownUnits, 0);
    EXPECT_EQ(m_model.TypeCount, 2);
    EXPECT_EQ(Row(1),
              (Fields{"unit: in",
                      {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}}));
    EXPECT_EQ(
        Row(2),
        (Fields{"end:", {std::nullopt, std::nullopt, std::nullopt, std::nullopt, std::nullopt}}));
}

TEST_F(Loader, BlankBeforeAKeywordMakesItNoKeyword) {
    ASSERT_TRUE(Load(" Begin: A\nX;1\n Unit: in\nBegin: B\n End:\nY;2\n\tEnd:\nEnd:\n"));
    EXPECT_EQ(m_model.TableCount, 1);
    EXPECT_EQ(m_model.Table(1).Name, "B");
    EXPECT_EQ(m_model.UnitSuffix, "");
    ASSERT_EQ(m_model.TypeCount, 3);
    EXPECT_EQ(m_model.Type(1).Name, "End:");
    EXPECT_EQ(m_model.Type(2).Name, "Y");
    EXPECT_EQ(m_model.Type(3).Name, "\tEnd:");
}

TEST_F(Loader, TextAfterEndIsIgnoredAndBeginNameIsTrimmedUpToTheFirstSemicolon) {
    ASSERT_TRUE(Load("Begin:Kupfer  ;a;b\nA;1\nEnd: Kupfer\nB;2\nBegin:\nEnd:;\n"));
    EXPECT_EQ(m_model.TableCount, 2);
    EXPECT_EQ(m_model.Table(1).Name, "Kupfer");
    EXPECT_EQ(m_model.Table(2).Name, "");
    EXPECT_EQ(m_model.TypeCount, 1);
}

// Tables and rows.

TEST_F(Loader, BeginInsideAnOpenTableStartsTheNextTable) {
    ASSERT_TRUE(Load("Begin: A\nA1;1\nA2;2\nBegin: B\nB1;3\n"));
    ASSERT_EQ(m_model.TableCount, 2);
    EXPECT_EQ(m_model.Table(1).FirstRow, 1);
    EXPECT_EQ(m_model.Table(2).FirstRow, 3);
    EXPECT_EQ(m_model.TypeCount, 3);
    EXPECT_EQ(m_model.TableLastRow(1), 2);
    EXPECT_EQ(m_model.TableLastRow(2), 3);
}

TEST_F(Loader, ShortRowLeavesTheMissingFieldsEmpty) {
    ASSERT_TRUE(Load("Begin: T\nX;1;2\nEnd:\n"));
    EXPECT_EQ(Row(1), (Fields{"X", {1, 2, std::nullopt, std::nullopt, std::nullopt}}));
}

TEST_F(Loader, FieldsAreTrimmedOfBlanksButNotTabsAndExtraFieldsIgnored) {
    ASSERT_TRUE(Load("Begin: T\n  St 1  ; 1 ;\t2\t;;  ;5 ;6;7;8\nEnd:\n"));
    EXPECT_EQ(Row(1), (Fields{"St 1", {1, std::nullopt, std::nullopt, std::nullopt, 5}}));
}

TEST_F(Loader, BlankLineInATableIsATypeWithEmptyFields) {
    ASSERT_TRUE(Load("Begin: T\nA;1\n\n   \nB;2\nEnd:\n"));
    ASSERT_EQ(m_model.TypeCount, 4);
    EXPECT_EQ(Row(2), Fields{});
    EXPECT_EQ(Row(3), Fields{});
    EXPECT_EQ(m_model.Type(4).Name, "B");
}

TEST_F(Loader, EmptyTableOwnsNoRows) {
    ASSERT_TRUE(Load("Begin: A\nA1;1\nA2;2\nEnd:\nBegin: Empty\nEnd:\nBegin: C\nC1;3\nEnd:\n"));
    ASSERT_EQ(m_model.TableCount, 3);
    EXPECT_EQ(m_model.TableFirstRow(2), 3);
    EXPECT_EQ(m_model.TableLastRow(2), 2);
    EXPECT_EQ(m_model.TableFirstRow(3), 3);
    EXPECT_EQ(m_model.TableLastRow(3), 3);
    ASSERT_TRUE(Load("Begin: A\nA1;1\nEnd:\nBegin: Last\nEnd:\n"));
    EXPECT_EQ(m_model.TableFirstRow(2), 2);
    EXPECT_EQ(m_model.TableLastRow(2), 1);
}

TEST_F(Loader, LinesOutsideTablesHaveNoEffect) {
    ASSERT_TRUE(
        Load("Kommentar;1;2;3;4;5\n\nBegin: A\nA1;1\nEnd:\nzwischen;9\n; ;\nBegin: B\nB1;2\n"
             "End:\nnach dem Ende\n"));
    EXPECT_EQ(m_model.TableCount, 2);
    EXPECT_EQ(m_model.TypeCount, 2);
    EXPECT_EQ(m_model.Type(1).Name, "A1");
    EXPECT_EQ(m_model.Type(2).Name, "B1");
    EXPECT_EQ(m_model.Table(2).FirstRow, 2);
}

TEST_F(Loader, FileWithoutTablesGivesEmptyLists) {
    ASSERT_TRUE(Load(""));
    EXPECT_EQ(m_model.TableCount, 0);
    EXPECT_EQ(m_model.TypeCount, 0);
    EXPECT_TRUE(m_model.TableList.empty());
    EXPECT_TRUE(m_model.TypeList.empty());
}

TEST_F(Loader, NoLimitOnTablesOrRows) {
    std::string file = "Unit: mm\n";
    for (int table = 1; table <= 25; ++table) {
        file.append("Begin: T").append(std::to_string(table)).append("\n");
        for (int row = 1; row <= 20; ++row) {
            file.append("R").append(std::to_string(table)).append("-");
            file.append(std::to_string(row)).append(";1;2;0.4;3;4\n");
        }
        file += "End:\n";
    }
    ASSERT_TRUE(Load(file));
    EXPECT_EQ(m_model.TableCount, 25);
    EXPECT_EQ(m_model.TypeCount, 500);
    EXPECT_EQ(m_model.Table(25).Name, "T25");
    EXPECT_EQ(m_model.Table(25).FirstRow, 481);
    EXPECT_EQ(m_model.Type(500).Name, "R25-20");
    EXPECT_EQ(m_model.Type(301).Name, "R16-1");
}

TEST_F(Loader, FileThatDoesNotFitIntoMemoryCountsAsUnreadable) {
    ASSERT_TRUE(Load("Unit: in\nBegin: A\nx;1;1;1;1;1\nEnd:\n"));
    LoaderContext context = Context();
    context.DecodeAnsi = [](std::string_view) -> std::string { throw std::bad_alloc(); };
    const std::string path = m_folder.Write("ansi.txt", "Unit: mm\nBegin: B\nBl\xE4"
                                                        "ch;1\n");
    EXPECT_FALSE(LoadBendValues(path, context, m_model).Read);
    EXPECT_EQ(m_model.TypeCount, 0);
    EXPECT_TRUE(m_model.TableList.empty());
    EXPECT_EQ(m_model.UnitSuffix, "in") << "as after a missing file";
}

TEST_F(Loader, ReloadReplacesEverything) {
    ASSERT_TRUE(Load(WorkedExample));
    ASSERT_TRUE(Load("Begin: Neu\nN;1\n"));
    EXPECT_EQ(m_model.TableCount, 1);
    EXPECT_EQ(m_model.TypeCount, 1);
    EXPECT_EQ(m_model.TableList.size(), 1u);
    EXPECT_EQ(m_model.TypeList.size(), 1u);
    // No unit line this time: the unit of the earlier load stays.
    EXPECT_EQ(m_model.UnitSuffix, " mm");
}

// Line ends and encodings.

TEST_F(Loader, CrLfLfAndLoneCrLineEndsGiveTheSameModel) {
    const std::string lf = "Unit: mm\nBegin: A\nA1;1,5\n\nEnd:\nBegin: B\nB1;2";
    auto withEnds = [&lf](const std::string& end) {
        std::string text;
        for (const char c : lf) {
            text += c == '\n' ? end : std::string(1, c);
        }
        return text;
    };
    for (const std::string& end : {std::string("\n"), std::string("\r\n"), std::string("\r")}) {
        ASSERT_TRUE(Load(withEnds(end)));
        EXPECT_EQ(m_model.UnitSuffix, " mm");
        EXPECT_EQ(m_model.TableCount, 2);
        ASSERT_EQ(m_model.TypeCount, 3);
        EXPECT_EQ(Row(1),
                  (Fields{"A1", {1.5, std::nullopt, std::nullopt, std::nullopt, std::nullopt}}));
        EXPECT_EQ(Row(2), Fields{});
        EXPECT_EQ(m_model.Type(3).Name, "B1");
    }
    ASSERT_TRUE(Load("Begin: A\r\nA1;1\r\nA2;2\n\rA3;3\rEnd:\r\n"));
    EXPECT_EQ(m_model.TypeCount, 4);
}

TEST_F(Loader, Utf8WithMarkAndWindows1252GiveTheSameText) {
    const std::string utf8 = "Unit: mm\r\nBegin: Blechst\xC3\xA4rke\r\nSt\xC3\xA4hle;1\r\nEnd:\r\n";
    const std::string ansi = "Unit: mm\r\nBegin: Blechst\xE4rke\r\nSt\xE4hle;1\r\nEnd:\r\n";
    for (const std::string& file : {"\xEF\xBB\xBF" + utf8, utf8, ansi}) {
        ASSERT_TRUE(Load(file));
        // The mark does not hide the unit keyword of the first line.
        EXPECT_EQ(m_model.UnitSuffix, " mm");
        EXPECT_EQ(m_model.Table(1).Name, "Blechst\xC3\xA4rke");
        EXPECT_EQ(m_model.Type(1).Name, "St\xC3\xA4hle");
    }
}

TEST_F(Loader, InjectedAnsiDecoderIsUsedForAnsiFiles) {
    const std::string path = m_folder.Write("ansi.txt", "Begin: \xC4\xE4\n");
    LoaderContext context = Context();
    context.DecodeAnsi = [](std::string_view bytes) {
        std::string text(bytes);
        text.replace(text.find('\xC4'), 2, "Code page");
        return text;
    };
    ASSERT_TRUE(LoadBendValues(path, context, m_model).Read);
    EXPECT_EQ(m_model.Table(1).Name, "Code page");
}

// A missing or unreadable file.

TEST_F(Loader, MissingFileReturnsFalseWithoutMessage) {
    ASSERT_TRUE(Load(WorkedExample));
    EXPECT_FALSE(LoadBendValues(m_folder.PathOf("missing.txt"), Context(), m_model).Read);
    EXPECT_EQ(m_model.UnitSuffix, " mm");
    EXPECT_EQ(m_model.ScaleFactor, 1000);
    EXPECT_EQ(m_model.TableCount, 0);
    EXPECT_EQ(m_model.TypeCount, 0);
    EXPECT_TRUE(m_model.TableList.empty());
    EXPECT_TRUE(m_model.TypeList.empty());
}

TEST_F(Loader, MissingFileOnAFreshModelStillTakesTheSetting) {
    SetScaleFactor("39.37");
    EXPECT_FALSE(LoadBendValues(m_folder.PathOf("missing.txt"), Context(), m_model).Read);
    EXPECT_DOUBLE_EQ(m_model.ScaleFactor, 39.37);
    EXPECT_EQ(m_model.UnitSuffix, "");
}

TEST_F(Loader, FolderAtThePathCountsAsMissing) {
    EXPECT_FALSE(
        LoadBendValues(testing::TempFolder::Utf8(m_folder.Path()), Context(), m_model).Read);
    EXPECT_EQ(m_model.ScaleFactor, 0);
}

// The model's helpers.

TEST(TableModel, OutsideTheListsReadsEmpty) {
    TableModel model;
    model.TableList = {{1, "A"}};
    model.TypeList.resize(2);
    model.TypeList[0].Name = "X";
    model.TableCount = 1;
    model.TypeCount = 2;
    EXPECT_EQ(model.Type(1).Name, "X");
    EXPECT_EQ(model.Type(0).Name, "");
    EXPECT_EQ(model.Type(3).Name, "");
    EXPECT_EQ(model.Table(0).Name, "");
    EXPECT_EQ(model.Table(2).Name, "");
    EXPECT_EQ(model.TableFirstRow(1), 1);
    EXPECT_EQ(model.TableLastRow(1), 2);
    EXPECT_EQ(model.TableFirstRow(2), 0);
    EXPECT_EQ(model.TableLastRow(0), 0);
}

} // namespace
} // namespace psm
