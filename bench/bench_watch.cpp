// One idle tick of the document watch: PollDocument while the CAD program's
// active document is the one already shown. Reports the CAD calls per tick
// ("cad_calls", goal for a sheet-metal document: at most 1.5 per 100 ms tick)
// next to those of a full attach and classification ("sequence_calls"). The
// same tick with the trace of the CAD calls on shows what a traced call costs.
#include "cad/CadIds.h"
#include "core/AppState.h"
#include "core/Lists.h"
#include "core/Services.h"
#include "core/Trace.h"
#include "sim/Simulator.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"
#include "watch/DocumentWatch.h"

#include <benchmark/benchmark.h>
#include <cstdio>

namespace {

using namespace psm;
namespace simulated = psm::sim;

class NullView final : public MainView {
  public:
    void Show(const MainViewModel&) override {}
    TwipsRect WindowRect() const override { return {}; }
    TwipsRect ScreenFrame() const override { return {}; }
    void MoveWindow(const TwipsRect&) override {}
    void RestoreNormalState() override {}
    void KeepOnTop() override {}
    int32_t ScreenWidth() const override { return 0; }
    std::vector<TwipsRect> MonitorAreas() const override { return {}; }
    int Dpi() const override { return 96; }
    void StartTimer(int) override {}
    std::optional<MenuCommand> ShowPopupMenu(const std::vector<MenuItem>&) override { return {}; }
    std::optional<std::string> ChooseFile(const std::string&, const std::string&,
                                          const std::string&) override {
        return {};
    }
    void Focus() override {}
    void EndProgram() override {}
};

class NullProperties final : public PropertiesView {
  public:
    bool Exists() const override { return false; }
    bool Visible() const override { return false; }
    void CreateHidden() override {}
    void Show(const PropertiesViewModel&) override {}
    int32_t Width() const override { return 0; }
    void MoveWindow(const TwipsRect&) override {}
    void Destroy() override {}
};

class NullSurvey final : public SurveyView {
  public:
    void Open() override {}
    void Show(const SurveyViewModel&) override {}
    void Close() override {}
    void EnableInput(bool) override {}
    void ScheduleStep(int) override {}
    bool CopyToClipboard(const std::string&) override { return false; }
};

class NullHost final : public MessageBoxes,
                       public MousePointer,
                       public EventPump,
                       public ProgramLocation,
                       public Workstation,
                       public CrashDump {
  public:
    MessageAnswer ShowMessage(const std::string&, const std::string&, MessageButtons,
                              MessageIcon) override {
        return MessageAnswer::Ok;
    }
    void SetMousePointer(MousePointerShape) override {}
    void ProcessPendingEvents() override {}
    std::string ProgramFolder() const override { return "C:\\psm"; }
    std::string ExecutableFileName() const override { return "psm.exe"; }
    std::string UserName() const override { return {}; }
    std::string ComputerName() const override { return {}; }
    std::string LocalTime() const override { return {}; }
    std::string LocalAppDataFolder() const override { return {}; }
    std::string SystemVersion() const override { return {}; }
    bool OpenInEditor(const std::string&) override { return false; }
    bool WriteDump(const std::string&) override { return false; }
};

constexpr std::string_view ValueFile = "Unit: mm\n"
                                       "Begin: Stahl\n"
                                       "St 1,0;1;1;0.44;2;1\n"
                                       "St 1,5;1.5;1.5;0.44;2.5;1.5\n"
                                       "End:\n";

// The program as start-up leaves it, watching `simulator`.
struct WatchedProgram {
    explicit WatchedProgram(simulated::Simulator& simulator)
        : tracing(simulator, traceClock), services{.View = view,
                                                   .Properties = info,
                                                   .Boxes = host,
                                                   .Settings = settings,
                                                   .Automation = tracing,
                                                   .Pointer = host,
                                                   .Events = host,
                                                   .Location = host,
                                                   .UserDecimalSeparator = [] { return '.'; },
                                                   .DecodeAnsi = {},
                                                   .Station = host,
                                                   .Waits = waits,
                                                   .Time = clock,
                                                   .Survey = survey,
                                                   .Tracing = tracing,
                                                   .Dump = host} {
        state.Settings = {"ORNA\\psm", "general"};
        const LoaderContext loader{settings, "ORNA\\psm", "general", {}};
        LoadBendValuesFromBytes(std::string(ValueFile), loader, state.Tables);
        RefreshDocument(state, services);
        ShowDocumentType(state);
    }

    NullView view;
    NullProperties info;
    NullSurvey survey;
    NullHost host;
    psm::SteadyClock clock;
    cad::WaitBudget waits{clock};
    SystemTraceClock traceClock;
    CallTracing tracing;
    MemorySettingsStore settings;
    Services services;
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
        ReissueCadReferences(program.state, program.services.Automation);
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
        benchmark::DoNotOptimize(PollDocument(program.state, program.services, false));
    }
    state.counters["cad_calls"] = benchmark::Counter(
        static_cast<double>(simulator.CallCount() - before), benchmark::Counter::kAvgIterations);
    state.counters["sequence_calls"] = sequence;
    if (program.state.Run.Ended || program.state.Document.Name != "Bracket.psm") {
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
