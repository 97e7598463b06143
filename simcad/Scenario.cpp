#include "simcad/Scenario.h"

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

namespace psm::simcad {
namespace scenario {
namespace {

void ReadLine(Reader& reader, int number, std::string_view line) {
    reader.StartLine(number);
    const auto [keyword, rest] = FirstWord(WithoutComment(line));
    if (keyword.empty()) {
        return;
    }
    if (const auto type = DocumentType(keyword)) {
        Open(reader, *type, rest);
    } else if (keyword == "document") {
        OpenWithCode(reader, rest);
    } else if (keyword == "linked") {
        Linked(reader, rest);
    } else if (keyword == "values") {
        Values(reader, rest);
    } else if (keyword == "variable") {
        SetVariable(reader, rest);
    } else if (keyword == "marker") {
        Marker(reader, rest);
    } else if (keyword == "remove") {
        Remove(reader, rest);
    } else if (keyword == "feature") {
        AddFeature(reader, rest);
    } else if (keyword == "status") {
        Status(reader, rest);
    } else if (keyword == "rule") {
        Rule(reader, rest);
    } else if (keyword == "component") {
        AddComponent(reader, rest);
    } else if (keyword == "components") {
        AddComponents(reader, rest);
    } else if (keyword == "partlink") {
        PartLink(reader, rest);
    } else if (keyword == "with") {
        With(reader, rest);
    } else if (keyword == "active") {
        Active(reader, rest);
    } else if (keyword == "bar") {
        Bar(reader, rest);
    } else if (keyword == "button") {
        Button(reader, rest);
    } else if (keyword == "busy") {
        Busy(reader, rest);
    } else {
        reader.Problem(sim::Concat({"unknown keyword \"", keyword, "\""}));
    }
}

} // namespace
} // namespace scenario

std::vector<std::string> LoadScenario(World& world, std::string_view text) {
    scenario::Reader reader(world);
    int number = 0;
    while (!text.empty()) {
        ++number;
        const auto end = text.find('\n');
        scenario::ReadLine(reader, number, text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
    return reader.TakeProblems();
}

} // namespace psm::simcad
