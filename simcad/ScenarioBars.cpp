// Scenario statements that put command bars and their buttons into the
// program's environments.

#include "simcad/ScenarioStatements.h"
#include "simcad/ScenarioWords.h"

namespace psm::simcad::scenario {
namespace {

sim::Environment* Environment(Reader& reader, std::string_view name) {
    sim::Environment* environment = reader.Built().Sim.Environments()->Find(name);
    if (environment == nullptr) {
        reader.Problem(sim::Concat(
            {"unknown environment \"", name, "\" (Part, SheetMetal, Assembly, Draft)"}));
    }
    return environment;
}

} // namespace

void Bar(Reader& reader, std::string_view rest) {
    const auto [environmentName, name] = FirstWord(rest);
    sim::Environment* environment = Environment(reader, environmentName);
    if (environment == nullptr || !reader.NeedName(name)) {
        return;
    }
    if (environment->FindBar(name) == nullptr) {
        environment->AddBar(std::string(name));
    }
}

void Button(Reader& reader, std::string_view rest) {
    const auto [environmentName, afterEnvironment] = FirstWord(rest);
    const auto [barName, runPath] = FirstWord(afterEnvironment);
    sim::Environment* environment = Environment(reader, environmentName);
    if (environment == nullptr) {
        return;
    }
    if (barName.empty() || runPath.empty()) {
        reader.Problem("button needs an environment, a bar and the button's run path");
        return;
    }
    sim::CommandBar* bar = environment->FindBar(barName);
    if (bar == nullptr) {
        bar = &environment->AddBar(std::string(barName));
    }
    bar->AddButton(std::string(runPath));
}

} // namespace psm::simcad::scenario
