// The survey of a 50-part assembly in the in-process simulator: the calls it
// makes into the CAD program per part ("calls_per_part"), next to what psm
// asks to show and check the single part of an assembly ("single_part_calls":
// the part behind the component, its full name, its five values, its
// features). Goal: the survey asks no more per part than the single part needs.
#include "cad/CadIds.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/GuardedCalls.h"
#include "sim/Simulator.h"
#include "survey/SurveyRead.h"

#include <benchmark/benchmark.h>

namespace {

using namespace psm;
namespace simulated = psm::sim;

constexpr int Parts = 50;

std::shared_ptr<simulated::Document> Part(simulated::Simulator& simulator, int index) {
    auto part = simulator.CreateSheetMetal("Blech " + std::to_string(index) + ".psm",
                                           {0.0015, 0.0015, 0.44, 0.0025, 0.0015});
    part->AddFeature("Flansch 1");
    part->AddFeature("Ausschnitt 1", simulated::code::CutoutFeature);
    return part;
}

// What the watch and the write ask of the single part of an assembly.
std::size_t SinglePartCalls() {
    simulated::Simulator simulator;
    simulator.SetLogging(false);
    simulator.OpenDocument("One.asm", simulated::code::AssemblyDocument)
        .AddDirectComponent("Blech:1", Part(simulator, 1));
    cad::CadConnection connection;
    cad::ConnectCad(connection, simulator);
    const std::size_t before = simulator.CallCount();
    cad::GuardedSteps steps;
    cad::GetInPlaceDocument(connection,
                            steps.As(connection.ActiveDoc, cad::ids::AssemblyDocumentIid));
    (void)cad::GetAs<std::string>(connection.WorkDocument, cad::Named("FullName"));
    cad::SheetMetalVariables variables;
    (void)cad::ReadSheetMetalVariables(variables, connection.WorkDocument);
    cad::FeatureCheck features;
    cad::CheckFeatureStatus(features, connection.WorkDocument);
    return simulator.CallCount() - before;
}

void SurveyOfFiftyParts(benchmark::State& state) {
    simulated::Simulator simulator;
    simulator.SetLogging(false);
    simulated::Document& assembly =
        simulator.OpenDocument("Frame.asm", simulated::code::AssemblyDocument);
    for (int index = 1; index <= Parts; ++index) {
        assembly.AddDirectComponent("Blech:" + std::to_string(index), Part(simulator, index));
    }
    const TableModel tables;
    std::size_t calls = 0;
    for (auto _ : state) {
        SurveyState survey;
        const std::size_t before = simulator.CallCount();
        BeginSurvey(survey, simulator);
        while (survey.Phase == SurveyPhase::Reading) {
            ReadNextPart(survey, tables);
        }
        calls = simulator.CallCount() - before;
        benchmark::DoNotOptimize(survey.Parts.data());
        if (survey.Parts.size() != Parts || survey.Parts.back().Kind != PartKind::SheetMetal) {
            state.SkipWithError("the survey did not read every part");
            return;
        }
    }
    const std::size_t single = SinglePartCalls();
    state.counters["calls_per_part"] = static_cast<double>(calls) / Parts;
    state.counters["single_part_calls"] = static_cast<double>(single);
    if (calls > single * Parts) {
        state.SkipWithError("the survey asks more per part than the single part needs");
    }
}
BENCHMARK(SurveyOfFiftyParts)->Unit(benchmark::kMillisecond);

} // namespace
