// Scenario statements that add features and decide their states: a fixed
// status, or rules on a variable that the recompute evaluates.

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

#include <array>
#include <functional>

namespace psm::simcad::scenario {
namespace {

using sim::Document;

std::optional<int32_t> FeatureType(std::string_view kind) {
    if (kind == "flange") {
        return sim::code::FlangeFeature;
    }
    if (kind == "cutout") {
        return sim::code::CutoutFeature;
    }
    if (kind == "copiedpart") {
        return sim::code::CopiedPartFeature;
    }
    return Code(kind);
}

std::optional<int32_t> FeatureStatus(std::string_view status) {
    if (status == "ok") {
        return sim::code::StatusOk;
    }
    if (status == "warned") {
        return sim::code::StatusWarned;
    }
    if (status == "failed") {
        return sim::code::StatusFailed;
    }
    return std::nullopt;
}

std::optional<std::function<bool(double, double)>> Comparison(std::string_view op) {
    if (op == "<") {
        return [](double a, double b) { return a < b; };
    }
    if (op == "<=") {
        return [](double a, double b) { return a <= b; };
    }
    if (op == ">") {
        return [](double a, double b) { return a > b; };
    }
    if (op == ">=") {
        return [](double a, double b) { return a >= b; };
    }
    if (op == "=" || op == "==") {
        return [](double a, double b) { return a == b; };
    }
    if (op == "!=") {
        return [](double a, double b) { return a != b; };
    }
    return std::nullopt;
}

// The five values by the names of their markers without the underscore.
constexpr std::array<std::string_view, 5> ValueNames = {
    "MaterialThickness", "BendRadius", "NeutralFactor", "ReliefLength", "ReliefWidth"};

sim::Feature* FindFeature(Reader& reader, Document& document, std::string_view name) {
    sim::Feature* feature = document.FindFeature(name);
    if (feature == nullptr) {
        reader.Problem(sim::Concat({"unknown feature \"", name, "\""}));
    }
    return feature;
}

// A value name stands for the variable its marker names.
std::optional<std::string> RuleVariable(Reader& reader, Document& document, std::string_view name) {
    for (std::size_t k = 0; k < ValueNames.size(); ++k) {
        if (name != ValueNames[k]) {
            continue;
        }
        const sim::Variable* marker = document.FindVariable(sim::variable::Markers[k]);
        if (marker == nullptr) {
            reader.Problem(sim::Concat({"the document has no marker ", sim::variable::Markers[k]}));
            return std::nullopt;
        }
        return marker->Formula();
    }
    return std::string(name);
}

} // namespace

void AddFeature(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    const auto [kind, name] = FirstWord(rest);
    if (document == nullptr) {
        return;
    }
    const auto type = FeatureType(kind);
    if (!type) {
        reader.Problem(sim::Concat(
            {"\"", kind, "\" is not a feature kind (flange, cutout, copiedpart or a code)"}));
        return;
    }
    if (reader.NeedName(name)) {
        document->AddFeature(std::string(name), *type);
    }
}

void Status(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    if (document == nullptr) {
        return;
    }
    const auto split = rest.find_last_of(" \t");
    const auto status =
        split == std::string_view::npos ? std::nullopt : FeatureStatus(rest.substr(split + 1));
    if (!status) {
        reader.Problem("status needs a feature's name and ok, warned or failed");
        return;
    }
    if (sim::Feature* feature = FindFeature(reader, *document, Trim(rest.substr(0, split)))) {
        feature->SetBaseStatus(*status);
    }
}

void Rule(Reader& reader, std::string_view rest) {
    Document* document = reader.Current();
    if (document == nullptr) {
        return;
    }
    bool fails = true;
    auto at = rest.find(" fails when ");
    if (at == std::string_view::npos) {
        fails = false;
        at = rest.find(" warns when ");
    }
    if (at == std::string_view::npos) {
        reader.Problem("rule needs: FEATURE fails|warns when VARIABLE OPERATOR NUMBER");
        return;
    }
    const auto condition = Words(rest.substr(at + 12));
    const auto compare = condition.size() == 3 ? Comparison(condition[1]) : std::nullopt;
    const auto limit = condition.size() == 3 ? Number(condition[2]) : std::nullopt;
    if (!compare || !limit) {
        reader.Problem("the condition must read VARIABLE OPERATOR NUMBER, the operator one of < "
                       "<= > >= = !=");
        return;
    }
    sim::Feature* feature = FindFeature(reader, *document, Trim(rest.substr(0, at)));
    const auto variable = feature ? RuleVariable(reader, *document, condition[0]) : std::nullopt;
    if (!variable) {
        return;
    }
    auto holds = [compare = *compare, limit = *limit](double value) {
        return compare(value, limit);
    };
    if (fails) {
        feature->FailWhen(*variable, holds);
    } else {
        feature->WarnWhen(*variable, holds);
    }
}

} // namespace psm::simcad::scenario
