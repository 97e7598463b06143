// One idle poll's worth of CAD work against the simulator: ConnectCad on an
// unchanged sheet-metal document (and, for an active assembly, the component
// lookup that every poll repeats). Reports the CAD calls per poll as the
// counter "cad_calls"; over real COM each call costs about a millisecond, so
// the count is what decides the poll's price there.
#include "cad/CadIds.h"
#include "cad/Connection.h"
#include "sim/Simulator.h"

#include <benchmark/benchmark.h>

namespace {

using psm::cad::CadConnection;
using psm::cad::ConnectCad;
using psm::cad::GetInPlaceDocument;
namespace sim = psm::sim;

void ReportCalls(benchmark::State& state, const sim::Simulator& simulator, std::size_t before) {
    state.counters["cad_calls"] = benchmark::Counter(
        static_cast<double>(simulator.CallCount() - before), benchmark::Counter::kAvgIterations);
}

void IdlePollSheetMetal(benchmark::State& state) {
    sim::Simulator simulator;
    simulator.SetLogging(state.range(0) != 0);
    simulator.OpenDocument("Drawing.dft", sim::code::DraftDocument);
    simulator.OpenSheetMetal("Bracket.psm");
    CadConnection connection;
    const std::size_t before = simulator.CallCount();
    for (auto _ : state) {
        benchmark::DoNotOptimize(ConnectCad(connection, simulator));
        if (state.range(0) != 0) {
            simulator.ClearLog(); // keep the log from growing over millions of polls
        }
    }
    if (state.range(0) == 0) {
        ReportCalls(state, simulator, before);
    }
}
BENCHMARK(IdlePollSheetMetal)->ArgName("logging")->Arg(0)->Arg(1);

void IdlePollAssembly(benchmark::State& state) {
    sim::Simulator simulator;
    simulator.SetLogging(false);
    auto part = simulator.CreateSheetMetal("Bracket.psm");
    simulator.OpenDocument("Frame.asm", sim::code::AssemblyDocument)
        .AddDirectComponent("Bracket.psm:1", part);
    CadConnection connection;
    const std::size_t before = simulator.CallCount();
    for (auto _ : state) {
        ConnectCad(connection, simulator);
        auto assembly = connection.ActiveDoc->As(psm::cad::ids::AssemblyDocumentIid);
        benchmark::DoNotOptimize(GetInPlaceDocument(connection, assembly.Value()));
    }
    ReportCalls(state, simulator, before);
}
BENCHMARK(IdlePollAssembly);

} // namespace
