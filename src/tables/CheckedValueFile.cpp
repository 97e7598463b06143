#include "tables/CheckedValueFile.h"

#include "platform/FileRead.h"
#include "tables/BendValueLoader.h"
#include "tables/ValueFileCheck.h"

namespace psm {

CheckedValueFile CheckValueFileAt(const std::string& path, const AnsiDecoder& decodeAnsi,
                                  const TextTables& texts, size_t maxLines) {
    std::optional<std::string> bytes = ReadFileBytes(path, MaxValueFileBytes);
    if (!bytes) {
        return {CheckOutcome::Unreadable,
                FormatText(texts.Check(CheckText::Unreadable), {path}) + "\r\n"};
    }
    const std::vector<CheckFinding> findings =
        CheckValueFile(DecodeText(std::move(*bytes), decodeAnsi));
    return {findings.empty() ? CheckOutcome::Clean : CheckOutcome::Problems,
            CheckReport(path, findings, texts, maxLines)};
}

} // namespace psm
