#pragma once

// The bilingual text tables: every caption, hint, title, message, report line
// and journal word of the program, in German and English, by named
// identifiers. The tables are constant; the language is chosen when a text is read.

#include "texts/Language.h"
#include "texts/SurveyTexts.h"

#include <initializer_list>
#include <string>
#include <string_view>

namespace psm {

// The captions, menu texts, hints and titles.
enum class CaptionText {
    MainWindowTitle,
    InstallMenu,
    LanguageMenu,
    WriteHint,
    ResetListHint,
    ResetSheetMetalHint,
    PropertiesHint,
    ExitHint,
    DocumentHint,
    ListsHint,
    ThicknessLabel,
    BendRadiusLabel,
    NeutralFactorLabel,
    ReliefLengthLabel,
    ReliefWidthLabel,
    PropertiesTitle,
    HelpMenu,
    TextFileMenu,
    OptionsMenu,
    TextFileDialogTitle,
    ButtonTitle,
    ButtonDescription,
    JournalMenu,
    CheckFileMenu,     // the check of the value file in the options menu
    CheckAssemblyMenu, // the survey of the active assembly's parts
    // The properties window's note on its comparison; {1} a type's name,
    // {2} how many of its values differ.
    DocumentComparedNote,
    NearestTypeOneDiffersNote,
    NearestTypeSomeDifferNote,
    NoTypeNote,
    TraceMenu,           // the trace of the CAD calls in the options menu, checked while on
    ChooseNearestButton, // beside the nearest type's note: the lists take that type
    Count
};

// The message boxes' titles and texts.
enum class MessageText {
    Title,
    ValueFileMissing,
    InvalidInput,
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
    RecomputeHeld,    // the CAD program stopped answering in the middle of a write
    TraceNotWritable, // {1} the trace's file
    CrashReport,      // above the crash report's files, below UnexpectedError
    NotChecked,       // the feature check was cut short
    Count
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
    Count
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
    Count
};
inline constexpr int JournalColumnCount = static_cast<int>(JournalText::TypeRefused) + 1;

// The texts in one language.
struct LanguageTexts {
    static constexpr Language German = Language::German;
    static constexpr Language English = Language::English;

    Language LanguageIndex = Language::German;

    std::string Caption(CaptionText text) const;
    std::string Message(MessageText text) const;
    std::string Check(CheckText text) const;
    std::string Journal(JournalText text) const;
    std::string Survey(SurveyText text) const;
};

// The pattern with {1}, {2}, ... replaced by the arguments in that order.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> args);

} // namespace psm
