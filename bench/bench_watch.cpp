// One idle tick of the document watch: PollDocument while the CAD program's
// active document is the one already shown. Reports the CAD calls per tick
// ("cad_calls", goal for a sheet-metal document: at most 1.5 per 100 ms tick)
// next to those of a full attach and classification ("sequence_calls"). The
// same tick with the trace of the CAD calls on shows what a traced call costs.
#include "app/AllHeldReferences.h"
#include "app/AppState.h"
#include "cad/CadIds.h"
#include "core/CallTracing.h"
#include "journal/TraceFile.h"
#include "lists/Lists.h"
#include "platform/TraceClock.h"
#include "sim/Simulator.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"
#include "watch/DocumentWatch.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace psm;
namespace simulated = psm::sim;

constexpr std::string_view ValueFile = "Unit: mm\n"
                                       "Begin: Stahl\n"
                                       "St 1,0;1;1;0.44;2;1\n"
                                       "St 1,5;1.5;1.5;0.44;2.5;1.5\n"
                                       "End:\n";

// The watch as start-up leaves it, watching `simulator`: the watch builds
// only its own ports.
struct WatchedProgram {
    explicit WatchedProgram(simulated::Simulator& simulator) : tracing(simulator, traceClock) {
        const LoaderContext loader{settings, "ORNA\\psm", "general", {}};
        LoadBendValuesFromBytes(std::string(ValueFile), loader, state.Tables);
        RefreshDocument(state, state.Tables, tracing);
        ShowDocumentType(state, state.Tables, state.Document);
    }

    psm::SteadyClock clock;
    SystemTraceClock traceClock;
    CallTracing tracing;
    MemorySettingsStore settings;
    AppState state;
};

void IdleTick(benchmark::State& state, bool assembly, bool traced = false) {
    simulated::Simulator simulator;
    simulator.SetLogging(false);
    const simulated::SheetMetalValues values{0.0015, 0.0015, 0.44, 0.0025, 0.0015};
    if (assembly) {
        simulator.OpenDocument("Frame.asm", simulated::code::AssemblyDocument)
            .AddDirectComponent("Bracket.psm:1", simulator.CreateSheetMetal("Bracket.psm", values));
    } else {
        simulator.OpenSheetMetal("Bracket.psm", values);
    }
    WatchedProgram program(simulator);
    const std::string trace = "bench-trace.txt";
    if (traced) {
        program.tracing.Start(trace, "");
        ForEachHeldReference(program.state, [&](cad::ObjectRef& held, std::string_view kind) {
            held = program.tracing.Reissue(held, kind);
        });
    }
    if (program.state.Document.Name != "Bracket.psm") {
        state.SkipWithError("the document was not recognised");
        return;
    }

    // What every tick has to ask: attach and classify, and for an assembly the
    // part behind it.
    cad::CadConnection fresh;
    std::size_t before = simulator.CallCount();
    cad::ConnectCad(fresh, simulator);
    if (assembly) {
        auto seen = fresh.ActiveDoc->As(cad::ids::AssemblyDocumentIid);
        cad::GetInPlaceDocument(fresh, seen ? seen.Value() : nullptr);
    }
    const auto sequence = static_cast<double>(simulator.CallCount() - before);

    before = simulator.CallCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(PollDocument(program.state, program.state, program.state.Tables,
                                              {program.tracing, program.clock}, false));
    }
    state.counters["cad_calls"] = benchmark::Counter(
        static_cast<double>(simulator.CallCount() - before), benchmark::Counter::kAvgIterations);
    state.counters["sequence_calls"] = sequence;
    if (program.state.Document.Name != "Bracket.psm") {
        state.SkipWithError("the tick did not stay idle");
    }
    if (traced) {
        program.tracing.Stop();
        std::remove(trace.c_str());
        std::remove(TraceFile::OlderPath(trace).c_str());
    }
}

void IdleTickSheetMetal(benchmark::State& state) {
    IdleTick(state, false);
}
BENCHMARK(IdleTickSheetMetal);

void IdleTickAssembly(benchmark::State& state) {
    IdleTick(state, true);
}
BENCHMARK(IdleTickAssembly);

void IdleTickSheetMetalTraced(benchmark::State& state) {
    IdleTick(state, false, true);
}
BENCHMARK(IdleTickSheetMetalTraced);

} // namespace
