// The walk of a product structure in the in-process simulator: a top
// assembly of 10 sub-assemblies, each of 10 of its own, each of 100
// components, 10,000 components in all that lead to 2,000 part documents in
// three levels, walked in 100-ms slices. Counters: the CAD calls per
// component and per part, the longest slice, and the process's peak memory.
#include "ProductTree.h"
#include "cad/AssemblyTree.h"
#include "platform/Clock.h"
#include "sim/Simulator.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>

namespace {

using namespace psm;
namespace simulated = psm::sim;

using namespace psm::bench;

cad::ObjectRef BuildTree(simulated::Simulator& simulator) {
    simulated::Document& top = BuildProductTree(
        simulator, [&](const std::string& name, int) { return simulator.CreateSheetMetal(name); });
    return simulator.View(top.shared_from_this(), simulated::iid::AssemblyDocument);
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
        if (tree.State() != cad::TreeWalkState::Done || tree.ComponentsRead() != TreeComponents ||
            tree.Entries().size() != 1 + TreeAssemblies + TreeParts) {
            state.SkipWithError("the walk did not read the whole tree");
            return;
        }
    }
    state.counters["calls_per_component"] = static_cast<double>(calls) / TreeComponents;
    state.counters["calls_per_part"] = static_cast<double>(calls) / TreeParts;
    state.counters["longest_slice_ms"] = std::chrono::duration<double, std::milli>(longest).count();
    state.counters["peak_memory_MB"] = PeakMemoryMegabytes();
}
BENCHMARK(TreeOfTwoThousandParts)->Unit(benchmark::kMillisecond);

} // namespace
