#include "core/FeatureTexts.h"

namespace psm {
namespace {

std::string FeatureLabel(const cad::FeatureFinding& finding, const LanguageTexts& texts) {
    return texts.Message(finding.State == cad::FeatureState::Warned ? MessageText::Warned
                                                                    : MessageText::Failed) +
           finding.Name;
}

} // namespace

std::string FeatureLines(const std::vector<cad::FeatureFinding>& findings,
                         const LanguageTexts& texts) {
    std::string lines;
    for (const cad::FeatureFinding& finding : findings) {
        lines += "\r\n" + FeatureLabel(finding, texts);
    }
    return lines;
}

std::string FeatureCell(const std::vector<cad::FeatureFinding>& findings,
                        const LanguageTexts& texts) {
    std::string cell;
    for (const cad::FeatureFinding& finding : findings) {
        cell += (cell.empty() ? "" : "; ") + FeatureLabel(finding, texts);
    }
    return cell;
}

} // namespace psm
