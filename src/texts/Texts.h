#pragma once

#include <array>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace psm {

// The captions, menu texts, hints and titles, by their numbers in the table.
enum class CaptionText {
    MainWindowTitle = 1,
    InstallMenu,
    LanguageMenu,
    WriteHint,
    ResetListHint,
    ResetSheetMetalHint,
    PropertiesHint,
    ExitHint,
    ShowValues, // shown nowhere
    DocumentHint,
    ListsHint,
    ThicknessLabel,
    BendRadiusLabel,
    NeutralFactorLabel,
    ReliefLengthLabel,
    ReliefWidthLabel,
    PropertiesTitle,
    HelpMenu,
    SelectTable, // shown nowhere
    SelectType,  // shown nowhere
    TextFileMenu,
    OptionsMenu,
    TextFileDialogTitle,
    ButtonTitle,
    ButtonDescription,
    JournalMenu,
    CheckFileMenu, // the check of the value file in the options menu
    // The properties window's note on its comparison; {1} a type's name,
    // {2} how many of its values differ.
    DocumentComparedNote,
    NearestTypeOneDiffersNote,
    NearestTypeSomeDifferNote,
    NoTypeNote,
};

// The message boxes' titles and texts, by their numbers in the table.
enum class MessageText {
    Title = 1,
    ValueFileMissing,
    InvalidInput,
    Unused, // number 4
    CopiedPart,
    ExecuteQuestion,
    UndoQuestion,
    CheckPart,
    UnknownUnit,
    Warned,
    Failed,
    TypeNotSet,
    UndoRefused,
    TypeNotReset,
    UnexpectedError,
    RecomputeHeld, // the CAD program stopped answering in the middle of a write
};

// The texts of the value-file check's report; {1}, {2} stand for what
// FormatText puts in.
enum class CheckText {
    Line,               // "Zeile {1}: "
    UnknownUnit,        // {1} the unit
    NoUnit,             //
    FieldCount,         // {1} the number of fields
    NotANumber,         // {1} the value's name, {2} its text
    NeutralFactorRange, // {1} the value
    NotPositive,        // {1} the value's name, {2} the value
    Negative,           // {1} the value's name, {2} the value
    SameValues,         // {1} the earlier line
    SameName,           // {1} the name, {2} the earlier line
    EmptyTable,         // {1} the table's name
    NoEnd,              // {1} the table's name
    OutsideTable,       // a type row before "Begin:" or after "End:"
    NoTable,            //
    Thickness,
    BendRadius,
    NeutralFactor,
    ReliefLength,
    ReliefWidth,
    Clean,      // {1} the file
    Problems,   // {1} the file, {2} the number of problems
    More,       // {1} the number of problems not listed
    Unreadable, // {1} the file
};

// The journal's column headings (in column order), its words and its message.
enum class JournalText {
    Time,
    User,
    Computer,
    Document,
    Action,
    TableBefore,
    TypeBefore,
    TableAfter,
    TypeAfter,
    ThicknessBefore,
    BendRadiusBefore,
    NeutralFactorBefore,
    ReliefLengthBefore,
    ReliefWidthBefore,
    ThicknessAfter,
    BendRadiusAfter,
    NeutralFactorAfter,
    ReliefLengthAfter,
    ReliefWidthAfter,
    FeaturesBefore,
    FeaturesAfter,
    TableRefused,
    TypeRefused,
    Written,
    WrittenBack,
    Reset,
    Refused,
    NoType,
    NotWritable, // {1} the journal's file
    NotChecked,  // the features' state when no check looked at them
};
inline constexpr int JournalColumnCount = static_cast<int>(JournalText::TypeRefused) + 1;

// The bilingual text tables. Every caption, hint, title and message of the
// program is read from here as (text number, LanguageIndex).
struct TextTables {
    static constexpr int CaptionCount = static_cast<int>(CaptionText::NoTypeNote);
    static constexpr int MessageCount = static_cast<int>(MessageText::RecomputeHeld);
    static constexpr int CheckCount = static_cast<int>(CheckText::Unreadable) + 1;
    static constexpr int JournalCount = static_cast<int>(JournalText::NotChecked) + 1;
    static constexpr int16_t German = 1;
    static constexpr int16_t English = 2;

    std::array<std::array<std::string, 2>, CaptionCount> CaptionTexts{};
    std::array<std::array<std::string, 2>, MessageCount> MessageTexts{};
    std::array<std::array<std::string, 2>, CheckCount> CheckTexts{};
    std::array<std::array<std::string, 2>, JournalCount> JournalTexts{};
    int16_t LanguageIndex = German;

    // The text in the language LanguageIndex; empty for a language outside the tables.
    const std::string& Caption(CaptionText text) const;
    const std::string& Message(MessageText text) const;
    const std::string& Check(CheckText text) const;
    const std::string& Journal(JournalText text) const;
};

// The pattern with {1}, {2}, ... replaced by the arguments in that order.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

// Fills both tables with every text in both languages.
void LoadTexts(TextTables& texts);

} // namespace psm
