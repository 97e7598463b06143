#include "tables/CheckedValueFile.h"

#include "tables/BendValueLoader.h"
#include "tables/ValueFileCheck.h"

#include <optional>

namespace psm {

CheckedValueFile CheckValueFileAt(const std::string& path, const AnsiDecoder& decodeAnsi,
                                  const TextTables& texts, size_t maxLines) {
    const std::optional<std::string> text = ReadValueFileText(path, decodeAnsi);
    if (!text) {
        return {CheckOutcome::Unreadable,
                FormatText(texts.Check(CheckText::Unreadable), {path}) + "\r\n"};
    }
    const std::vector<CheckFinding> findings = CheckValueFile(*text);
    return {findings.empty() ? CheckOutcome::Clean : CheckOutcome::Problems,
            CheckReport(path, findings, texts, maxLines)};
}

} // namespace psm
