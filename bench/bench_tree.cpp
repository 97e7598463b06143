// The walk of a product structure in the in-process simulator: a top
// assembly of 10 sub-assemblies, each of 10 of its own, each of 100
// components, 10,000 components in all that lead to 2,000 part documents in
// three levels, walked in 100-ms slices. Counters: the CAD calls per
// component and per part, the longest slice, and the process's peak memory.
#include "cad/AssemblyTree.h"
#include "platform/Clock.h"
#include "sim/Simulator.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <sys/resource.h>

namespace {

using namespace psm;
namespace simulated = psm::sim;

constexpr int Groups = 10;     // sub-assemblies of the top
constexpr int Modules = 10;    // sub-assemblies of each group
constexpr int PerModule = 100; // components of each module
constexpr int PartsPerModule = 20;
constexpr int Parts = Groups * Modules * PartsPerModule;
constexpr int Components = Groups + Groups * Modules + Groups * Modules * PerModule;

cad::ObjectRef BuildTree(simulated::Simulator& simulator) {
    simulated::Document& top =
        simulator.OpenDocument("Anlage.asm", simulated::code::AssemblyDocument);
    for (int g = 1; g <= Groups; ++g) {
        auto group = simulator.CreateDocument("Gruppe " + std::to_string(g) + ".asm",
                                              simulated::code::AssemblyDocument);
        top.AddDirectComponent(group->Name() + ":1", group);
        for (int m = 1; m <= Modules; ++m) {
            const std::string module = std::to_string(g) + "." + std::to_string(m);
            auto assembly = simulator.CreateDocument("Modul " + module + ".asm",
                                                     simulated::code::AssemblyDocument);
            group->AddDirectComponent(assembly->Name() + ":1", assembly);
            for (int p = 1; p <= PartsPerModule; ++p) {
                auto part = simulator.CreateSheetMetal("Blech " + module + "." + std::to_string(p) +
                                                       ".psm");
                for (int use = 1; use <= PerModule / PartsPerModule; ++use) {
                    assembly->AddDirectComponent(part->Name() + ":" + std::to_string(use), part);
                }
            }
        }
    }
    return simulator.View(top.shared_from_this(), simulated::iid::AssemblyDocument);
}

double PeakMemoryMegabytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0; // kilobytes on Linux
}

void TreeOfTwoThousandParts(benchmark::State& state) {
    simulated::Simulator simulator;
    simulator.SetLogging(false);
    const cad::ObjectRef top = BuildTree(simulator);
    const SteadyClock clock;
    std::size_t calls = 0;
    std::chrono::nanoseconds longest{0};
    for (auto _ : state) {
        const std::size_t before = simulator.CallCount();
        cad::AssemblyTree tree(top);
        longest = {};
        while (tree.State() == cad::TreeWalkState::Walking) {
            const auto begun = std::chrono::steady_clock::now();
            tree.Step(cad::StepDeadline(clock, std::chrono::milliseconds(100)));
            longest = std::max<std::chrono::nanoseconds>(longest,
                                                         std::chrono::steady_clock::now() - begun);
        }
        calls = simulator.CallCount() - before;
        benchmark::DoNotOptimize(tree.Entries().data());
        if (tree.State() != cad::TreeWalkState::Done || tree.ComponentsRead() != Components ||
            tree.Entries().size() != 1 + Groups + Groups * Modules + Parts) {
            state.SkipWithError("the walk did not read the whole tree");
            return;
        }
    }
    state.counters["calls_per_component"] = static_cast<double>(calls) / Components;
    state.counters["calls_per_part"] = static_cast<double>(calls) / Parts;
    state.counters["longest_slice_ms"] = std::chrono::duration<double, std::milli>(longest).count();
    state.counters["peak_memory_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(TreeOfTwoThousandParts)->Unit(benchmark::kMillisecond);

} // namespace
