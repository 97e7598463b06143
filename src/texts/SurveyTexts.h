#pragma once

// The texts of the assembly survey: its window, its table (also as the report
// for the clipboard and the command line) and its boxes. {1}, {2} stand for
// what FormatText puts in.

namespace psm {

enum class SurveyText {
    Title, // {1} the surveyed document
    // The columns, in order.
    File,
    Components,
    Assemblies,
    SheetMetal,
    Table,
    Type,
    Nearest,
    Differing,
    Thickness,
    BendRadius,
    NeutralFactor,
    ReliefLength,
    ReliefWidth,
    Features,
    // The cells' words.
    Yes,
    No,
    LinkBlocked,
    LinkMissing,
    NoPart,
    Unread,
    NoType,
    FeaturesHealthy,
    CopiedPart,
    PartUnreachable, // also the reason a part was not written
    Assembly,
    InsideItself,
    TooDeep, // {1} the deepest level walked
    ComponentsUnread,
    MoreAssemblies, // {1} the number of assemblies not named
    // The progress line; {1} components read, {2} components known so far.
    Walking,
    WalkWaiting,
    // {1} parts read, {2} parts in all.
    Reading,
    Waiting,
    Done,
    Cancelled,
    WritingProgress, // {1} parts written, {2} parts to write
    NothingToSurvey,
    Unreachable,
    ChosenType,   // {1} the type, {2} its table
    NoChosenType, //
    // The buttons.
    Refresh,
    Write,
    Copy,
    Cancel,
    SetToStandard,
    // The boxes of the write.
    NothingChecked,
    NoTypeChosen,
    WriteQuestion,    // {1} the type, {2} the number of parts
    SummaryWritten,   // {1} the number of parts
    SummarySame,      // {1} the type, {2} the number of parts
    SummarySameOwn,   // {1} the number of parts already of their nearest type
    SummaryRefused,   // {1} the number of parts
    RefusedLine,      // {1} the part, {2} the reason
    SummaryUnchecked, // {1} the number of parts
    NameLine,         // {1} the part
    MoreLine,         // {1} the number of parts not named
    ReasonFeatures,   //
    ReasonCopiedPart,
    ReasonRefused,
    ReasonBusy,
    ReasonNotTried,
    ReasonNotKept,
    ReasonMissing,
    ReasonMixed, // {1} the main window's request to check the part
    ReasonNotInAssembly,
    // The boxes of the write to the standard.
    NothingToStandard,
    StandardQuestion, // {1} the number of parts; a line per type follows
    StandardTypeLine, // {1} the type, {2} the number of parts
    LeftTyped,        // {1} the number of parts
    LeftNoNearest,    // {1} the number of parts
    FailingAfter,     // a line per part follows
    FailingLine,      // {1} the part, {2} its failing features
    WriteBackQuestion,
    WrittenBack,    // {1} the number of parts
    StillFailing,   // {1} the number of parts
    NotWrittenBack, // {1} the number of parts
    Count
};

} // namespace psm
