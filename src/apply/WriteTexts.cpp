#include "apply/WriteTexts.h"

#include "core/FeatureTexts.h"

#include <algorithm>
#include <functional>

namespace psm {
namespace {

const std::string BlankLine = "\r\n\r\n";

// A summary names this many parts under a heading, then counts the rest.
constexpr std::size_t NamedParts = 10;

std::string Texted(const LanguageTexts& texts, SurveyText text,
                   std::initializer_list<std::string_view> args) {
    return FormatText(texts.Survey(text), args);
}

SurveyText ReasonOf(const NamedWrite& write) {
    if (!write.Tried) {
        return SurveyText::ReasonNotTried;
    }
    switch (write.Outcome.Result) {
    case PartWriteResult::FailingBefore:
        return SurveyText::ReasonFeatures;
    case PartWriteResult::CopiedPart:
        return SurveyText::ReasonCopiedPart;
    case PartWriteResult::NotInAssembly:
        return SurveyText::ReasonNotInAssembly;
    case PartWriteResult::Gone:
        return SurveyText::PartUnreachable;
    case PartWriteResult::Busy:
        return SurveyText::ReasonBusy;
    case PartWriteResult::Missing:
        return SurveyText::ReasonMissing;
    case PartWriteResult::NotKept:
        return SurveyText::ReasonNotKept;
    case PartWriteResult::Mixed:
        return SurveyText::ReasonMixed;
    case PartWriteResult::Refused:
    case PartWriteResult::Written:
    case PartWriteResult::WrittenFailing:
    case PartWriteResult::WrittenUnchecked:
    case PartWriteResult::AlreadyType:
        break;
    }
    return SurveyText::ReasonRefused;
}

bool Is(const NamedWrite& write, std::initializer_list<PartWriteResult> results) {
    return write.Tried &&
           std::find(results.begin(), results.end(), write.Outcome.Result) != results.end();
}

using Pick = std::function<bool(const NamedWrite&)>;
using PartLine = std::function<std::string(const NamedWrite&)>;

std::vector<const NamedWrite*> Where(const std::vector<NamedWrite>& writes, const Pick& pick) {
    std::vector<const NamedWrite*> picked;
    for (const NamedWrite& write : writes) {
        if (pick(write)) {
            picked.push_back(&write);
        }
    }
    return picked;
}

// The lines a summary has for a part.
class Lines {
  public:
    explicit Lines(const LanguageTexts& texts) : m_texts(texts) {}

    // A heading and a line for each of the first parts.
    std::string Listed(std::string heading, const std::vector<const NamedWrite*>& writes,
                       const PartLine& line) const {
        std::string text = std::move(heading);
        for (std::size_t i = 0; i < writes.size() && i < NamedParts; ++i) {
            text += "\r\n" + line(*writes[i]);
        }
        if (writes.size() > NamedParts) {
            text += "\r\n" + Texted(m_texts, SurveyText::MoreLine,
                                    {std::to_string(writes.size() - NamedParts)});
        }
        return text;
    }
    // The same under a heading that counts them.
    std::string Counted(SurveyText heading, const std::vector<const NamedWrite*>& writes,
                        const PartLine& line) const {
        return Listed(Texted(m_texts, heading, {std::to_string(writes.size())}), writes, line);
    }

    std::string Name(const NamedWrite& write) const {
        return Texted(m_texts, SurveyText::NameLine, {write.Name});
    }
    std::string Reason(const NamedWrite& write) const {
        const SurveyText reason = ReasonOf(write);
        const std::string why =
            reason == SurveyText::ReasonMixed
                ? Texted(m_texts, reason, {m_texts.Message(MessageText::CheckPart)})
                : m_texts.Survey(reason);
        return Texted(m_texts, SurveyText::RefusedLine, {write.Name, why});
    }
    std::string Features(const NamedWrite& write) const {
        const cad::FeatureCheck& after = write.Outcome.After;
        std::string features = FeatureLines(after.Findings, m_texts);
        if (after.CopiedPartFound) {
            features += "\r\n" + m_texts.Survey(SurveyText::CopiedPart);
        }
        if (!write.Outcome.CheckedAfter || !after.Complete) {
            features += "\r\n" + m_texts.Message(MessageText::NotChecked);
        }
        return Texted(m_texts, SurveyText::FailingLine, {write.Name, features});
    }

    PartLine ByName() const {
        return [this](const NamedWrite& w) { return Name(w); };
    }
    PartLine ByReason() const {
        return [this](const NamedWrite& w) { return Reason(w); };
    }
    PartLine ByFeatures() const {
        return [this](const NamedWrite& w) { return Features(w); };
    }

  private:
    const LanguageTexts& m_texts;
};

} // namespace

std::string FeatureReport(const LanguageTexts& texts, const cad::FeatureCheck& check,
                          MessageText closing) {
    std::string lines = FeatureLines(check.Findings, texts);
    if (!check.Complete) {
        lines += "\r\n" + texts.Message(MessageText::NotChecked);
    }
    return lines + BlankLine + texts.Message(closing);
}

std::string NotLandedText(const LanguageTexts& texts, const PartWriteOutcome& outcome,
                          MessageText notLanded) {
    if (Landed(outcome.Result)) {
        return outcome.HoldPending ? texts.Message(MessageText::RecomputeHeld) : std::string();
    }
    std::string text = texts.Message(notLanded);
    if (outcome.Result == PartWriteResult::Mixed) {
        text += BlankLine + texts.Message(MessageText::CheckPart);
    }
    if (outcome.HoldPending) {
        text += BlankLine + texts.Message(MessageText::RecomputeHeld);
    }
    return text;
}

bool Unwell(const NamedWrite& write) {
    return Is(write, {PartWriteResult::WrittenFailing, PartWriteResult::WrittenUnchecked});
}

std::string BatchSummary(const LanguageTexts& texts, const std::optional<std::string>& typeName,
                         const std::vector<NamedWrite>& writes) {
    const Lines lines(texts);
    const auto written = Where(writes, [](const NamedWrite& w) {
        return Is(w, {PartWriteResult::Written, PartWriteResult::WrittenFailing});
    });
    const auto same =
        Where(writes, [](const NamedWrite& w) { return Is(w, {PartWriteResult::AlreadyType}); });
    const auto unchecked = Where(
        writes, [](const NamedWrite& w) { return Is(w, {PartWriteResult::WrittenUnchecked}); });
    const auto refused = Where(writes, [](const NamedWrite& w) {
        return !w.Tried ||
               !(Landed(w.Outcome.Result) || w.Outcome.Result == PartWriteResult::AlreadyType);
    });
    const auto failing =
        Where(writes, [](const NamedWrite& w) { return Is(w, {PartWriteResult::WrittenFailing}); });
    std::string text = lines.Counted(SurveyText::SummaryWritten, written, lines.ByName());
    const std::string sameHeading =
        typeName ? Texted(texts, SurveyText::SummarySame, {*typeName, std::to_string(same.size())})
                 : Texted(texts, SurveyText::SummarySameOwn, {std::to_string(same.size())});
    text += "\r\n" + lines.Listed(sameHeading, same, lines.ByName());
    if (!unchecked.empty()) {
        text += "\r\n" + lines.Counted(SurveyText::SummaryUnchecked, unchecked, lines.ByName());
    }
    text += "\r\n" + lines.Counted(SurveyText::SummaryRefused, refused, lines.ByReason());
    if (!failing.empty()) {
        text += BlankLine +
                lines.Listed(texts.Survey(SurveyText::FailingAfter), failing, lines.ByFeatures());
    }
    return text;
}

std::string WriteBackSummary(const LanguageTexts& texts, const std::vector<NamedWrite>& backs) {
    const Lines lines(texts);
    const auto back =
        Where(backs, [](const NamedWrite& w) { return w.Tried && Landed(w.Outcome.Result); });
    const auto still = Where(backs, Unwell);
    const auto notBack =
        Where(backs, [](const NamedWrite& w) { return !w.Tried || !Landed(w.Outcome.Result); });
    std::string text = lines.Counted(SurveyText::WrittenBack, back, lines.ByName());
    if (!still.empty()) {
        text += BlankLine + lines.Counted(SurveyText::StillFailing, still, lines.ByFeatures());
    }
    if (!notBack.empty()) {
        text += BlankLine + lines.Counted(SurveyText::NotWrittenBack, notBack, lines.ByReason());
    }
    return text;
}

} // namespace psm
