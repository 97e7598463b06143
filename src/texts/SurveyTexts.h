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
    // The progress line; {1} parts read, {2} parts in all.
    Reading,
    Waiting,
    Done,
    Cancelled,
    NothingToSurvey,
    Unreachable,
    ChosenType,   // {1} the type, {2} its table
    NoChosenType, //
    // The buttons.
    Refresh,
    Write,
    Copy,
    Cancel,
    // The boxes of the write.
    NothingChecked,
    NoTypeChosen,
    WriteQuestion,  // {1} the type, {2} the number of parts
    SummaryWritten, // {1} the number of parts
    SummarySame,    // {1} the type, {2} the number of parts
    SummaryRefused, // {1} the number of parts
    RefusedLine,    // {1} the part, {2} the reason
    ReasonUnread,   //
    ReasonFeatures, //
    ReasonCopiedPart,
    ReasonRefused,
    ReasonBusy,
    ReasonNotTried,
    FailingAfter, // a line per part follows
    FailingLine,  // {1} the part, {2} its failing features
    WriteBackQuestion,
    WrittenBack, // {1} the number of parts
    Count
};

} // namespace psm
