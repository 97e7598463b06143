// The survey of a 50-part assembly in the in-process simulator: the calls it
// makes into the CAD program per part ("calls_per_part"), next to what psm
// asks to show and check the single part of an assembly ("single_part_calls":
// the part behind the component, its full name, its five values, its
// features). Goal: the survey asks no more per part than the single part needs.
//
// The survey of a whole product structure: 10 groups of 10 modules of 100
// components, 10,110 components that lead to 2,000 sheet-metal parts in three
// levels, half of them of a type of a small value file, half off it. Walked
// in 50-ms slices, then read a 50-ms step at a time, as the survey window
// does. Goals: at most 45 calls per part and 8 per component
// ("budget_used" <= 1), under 50 MB; "longest_step_ms" is the longest walk or
// reading step.
#include "ProductTree.h"
#include "cad/AssemblyTree.h"
#include "cad/CadIds.h"
#include "cad/Connection.h"
#include "cad/FeatureCheck.h"
#include "cad/GuardedCalls.h"
#include "platform/Clock.h"
#include "sim/Simulator.h"
#include "survey/SurveyRead.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <map>
#include <utility>

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
        while (survey.Phase == SurveyPhase::Reading && survey.Tree) {
            WalkSurveyTree(survey, [] { return false; });
        }
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

// --- The whole product structure -------------------------------------------

using namespace psm::bench;

constexpr double CallsPerPartGoal = 45;
constexpr double CallsPerComponentGoal = 8;
constexpr std::chrono::milliseconds StepSlice{50};

// Two tables of three types each, in millimetres.
const std::string ValueFile = "Biegewerte\r\nUnit: mm\r\n"
                              "Begin: Stahl\r\n"
                              "St 1,0;1;1;0.42;2;1\r\n"
                              "St 1,5;1.5;1.5;0.43;3;1.5\r\n"
                              "St 2,0;2;2;0.44;4;2\r\n"
                              "End:\r\n"
                              "Begin: Aluminium\r\n"
                              "Al 1,0;1;1.5;0.4;2;1\r\n"
                              "Al 1,5;1.5;2.25;0.4;3;1.5\r\n"
                              "Al 2,0;2;3;0.4;4;2\r\n"
                              "End:\r\n";

// The values of the file's types in metres.
constexpr simulated::SheetMetalValues TypeValues[] = {
    {0.001, 0.001, 0.42, 0.002, 0.001},    {0.0015, 0.0015, 0.43, 0.003, 0.0015},
    {0.002, 0.002, 0.44, 0.004, 0.002},    {0.001, 0.0015, 0.4, 0.002, 0.001},
    {0.0015, 0.00225, 0.4, 0.003, 0.0015}, {0.002, 0.003, 0.4, 0.004, 0.002},
};
constexpr int TypeCount = static_cast<int>(std::size(TypeValues));

// Every other part carries a type; the others have one value off theirs, so
// that the survey computes the nearest type.
simulated::SheetMetalValues ValuesOf(int part) {
    simulated::SheetMetalValues values = TypeValues[part % TypeCount];
    if (part % 2 == 1) {
        values.NeutralFactor += 0.01;
    }
    return values;
}

void BuildProduct(simulated::Simulator& simulator) {
    BuildProductTree(simulator, [&](const std::string& name, int index) {
        auto part = simulator.CreateSheetMetal(name, ValuesOf(index));
        part->AddFeature("Flansch 1");
        part->AddFeature("Ausschnitt 1", simulated::code::CutoutFeature);
        return part;
    });
}

TableModel LoadTables() {
    const MemorySettingsStore settings;
    TableModel tables;
    LoadBendValuesFromBytes(ValueFile, LoaderContext{settings, "ORNA\\psm", "general", {}}, tables);
    return tables;
}

struct ProductSurvey {
    std::size_t WalkCalls = 0;
    std::size_t ReadCalls = 0;
    std::chrono::nanoseconds LongestStep{0};
    int OfType = 0;
    int Nearest = 0;
    bool Complete = false;
};

// The survey window's steps: the walk in slices, then the parts a slice at a time.
ProductSurvey SurveyProduct(simulated::Simulator& simulator, const TableModel& tables,
                            SurveyState& survey) {
    const SteadyClock clock;
    ProductSurvey result;
    const auto timed = [&](auto&& step) {
        const auto begun = std::chrono::steady_clock::now();
        step();
        result.LongestStep = std::max<std::chrono::nanoseconds>(
            result.LongestStep, std::chrono::steady_clock::now() - begun);
    };
    const std::size_t before = simulator.CallCount();
    BeginSurvey(survey, simulator);
    while (survey.Phase == SurveyPhase::Reading && survey.Tree) {
        timed([&] { WalkSurveyTree(survey, cad::StepDeadline(clock, StepSlice)); });
    }
    const std::size_t walked = simulator.CallCount();
    while (survey.Phase == SurveyPhase::Reading) {
        timed([&] {
            const auto start = clock.Now();
            while (survey.Phase == SurveyPhase::Reading && ReadNextPart(survey, tables) &&
                   clock.Now() - start < StepSlice) {
            }
        });
    }
    result.WalkCalls = walked - before;
    result.ReadCalls = simulator.CallCount() - walked;
    int sheetMetal = 0;
    for (const SurveyPart& part : survey.Parts) {
        if (part.Kind == PartKind::SheetMetal) {
            ++sheetMetal;
            result.OfType += part.TypeRow != 0 ? 1 : 0;
            result.Nearest += part.TypeRow == 0 && part.Nearest.Row != 0 ? 1 : 0;
        }
    }
    result.Complete = survey.Phase == SurveyPhase::Done && sheetMetal == TreeParts &&
                      survey.Parts.size() == TreeParts + TreeAssemblies;
    return result;
}

void PrintByMember(const char* title, const std::vector<simulated::CallRecord>& records,
                   std::size_t from, std::size_t to, int per) {
    static constexpr const char* Kinds[] = {"attach", "as", "get", "put", "call"};
    std::map<std::string, std::size_t> counts;
    for (std::size_t i = from; i < to && i < records.size(); ++i) {
        ++counts[std::string(Kinds[static_cast<int>(records[i].Kind)]) + " " + records[i].Name];
    }
    std::vector<std::pair<std::string, std::size_t>> sorted(counts.begin(), counts.end());
    std::sort(sorted.begin(), sorted.end(),
              [](const auto& a, const auto& b) { return a.second > b.second; });
    std::fprintf(stderr, "%s\n", title);
    for (const auto& [member, count] : sorted) {
        std::fprintf(stderr, "  %8.3f  %s\n", static_cast<double>(count) / per, member.c_str());
    }
}

void SurveyOfTwoThousandPartsInThreeLevels(benchmark::State& state) {
    simulated::Simulator simulator;
    simulator.SetLogging(false);
    BuildProduct(simulator);
    const TableModel tables = LoadTables();
    ProductSurvey last;
    for (auto _ : state) {
        SurveyState survey;
        last = SurveyProduct(simulator, tables, survey);
        benchmark::DoNotOptimize(survey.Parts.data());
        if (!last.Complete || last.OfType != TreeParts / 2 || last.Nearest != TreeParts / 2) {
            state.SkipWithError("the survey did not read every part as the value file has it");
            return;
        }
    }
    const double calls = static_cast<double>(last.WalkCalls + last.ReadCalls);
    state.counters["calls_per_part"] = calls / TreeParts;
    state.counters["calls_per_component"] = calls / TreeComponents;
    state.counters["walk_calls_per_component"] =
        static_cast<double>(last.WalkCalls) / TreeComponents;
    state.counters["read_calls_per_part"] = static_cast<double>(last.ReadCalls) / TreeParts;
    const double budget = CallsPerPartGoal * TreeParts + CallsPerComponentGoal * TreeComponents;
    state.counters["budget_used"] = calls / budget;
    state.counters["longest_step_ms"] =
        std::chrono::duration<double, std::milli>(last.LongestStep).count();
    state.counters["peak_memory_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(SurveyOfTwoThousandPartsInThreeLevels)->Unit(benchmark::kMillisecond);

// A logged survey, after the measured one so that its log weighs on no peak:
// where the calls go, by member, when the walk or the reading is over its goal.
void SurveyCallsByMember(benchmark::State& state) {
    simulated::Simulator simulator;
    BuildProduct(simulator);
    const TableModel tables = LoadTables();
    ProductSurvey logged;
    for (auto _ : state) {
        simulator.ClearLog();
        SurveyState survey;
        logged = SurveyProduct(simulator, tables, survey);
    }
    const auto& records = simulator.Log().Records();
    if (static_cast<double>(logged.WalkCalls) > CallsPerComponentGoal * TreeComponents) {
        PrintByMember("walk: calls per component by member", records, 0, logged.WalkCalls,
                      TreeComponents);
    }
    if (static_cast<double>(logged.ReadCalls) > CallsPerPartGoal * TreeParts) {
        PrintByMember("reading: calls per part by member", records, logged.WalkCalls,
                      records.size(), TreeParts);
    }
    state.counters["walk_calls_per_component"] =
        static_cast<double>(logged.WalkCalls) / TreeComponents;
    state.counters["read_calls_per_part"] = static_cast<double>(logged.ReadCalls) / TreeParts;
}
BENCHMARK(SurveyCallsByMember)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace
