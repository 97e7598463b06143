#include "tables/CheckedValueFile.h"

#include "tables/BendValueLoader.h"

#include <optional>

namespace psm {

CheckedValueFile CheckValueFileAt(const std::string& path, const AnsiDecoder& decodeAnsi) {
    const std::optional<std::string> text = ReadValueFileText(path, decodeAnsi);
    if (!text) {
        return {CheckOutcome::Unreadable, {}};
    }
    std::vector<CheckFinding> findings = CheckValueFile(*text);
    const CheckOutcome outcome = findings.empty() ? CheckOutcome::Clean : CheckOutcome::Problems;
    return {outcome, std::move(findings)};
}

} // namespace psm
