// One idle tick of the document watch: PollDocument while the CAD program's
// active document is the one already shown. Reports the CAD calls per tick
// ("cad_calls") next to those of the attach-and-classify sequence the tick
// has to make ("sequence_calls"); the tick should add none.
#include "cad/CadIds.h"
#include "core/AppState.h"
#include "core/Services.h"
#include "selection/Selection.h"
#include "sim/Simulator.h"
#include "tables/BendValueLoader.h"
#include "tables/MemorySettingsStore.h"
#include "watch/DocumentWatch.h"

#include <benchmark/benchmark.h>

namespace {

using namespace psm;
namespace simulated = psm::sim;

class NullView final : public MainView {
  public:
    void SetCaption(const std::string&) override {}
    void SetDocumentLabel(const std::string&) override {}
    void SetStatusText(const std::string&) override {}
    void SetButtonName(MainControl, const std::string&) override {}
    void ClearList(ListId) override {}
    void AddListItem(ListId, const std::string&) override {}
    void SetListSelection(ListId, int) override {}
    TwipsRect WindowRect() const override { return {}; }
    TwipsRect ScreenFrame() const override { return {}; }
    void MoveWindow(const TwipsRect&) override {}
    void RestoreNormalState() override {}
    void KeepOnTop() override {}
    int32_t ScreenWidth() const override { return 0; }
    std::vector<TwipsRect> MonitorAreas() const override { return {}; }
    void StartTimer(int) override {}
    std::optional<MenuCommand> ShowPopupMenu(const std::vector<MenuItem>&) override { return {}; }
    std::optional<std::string> ChooseFile(const std::string&, const std::string&,
                                          const std::string&) override {
        return {};
    }
    void Focus() override {}
    void EndProgram() override {}
};

class NullInfo final : public InfoView {
  public:
    bool Exists() const override { return false; }
    bool Visible() const override { return false; }
    void CreateHidden() override {}
    void Show() override {}
    void SetCaption(const std::string&) override {}
    int32_t Width() const override { return 0; }
    void MoveWindow(const TwipsRect&) override {}
    void SetLabel(int, int, const std::string&) override {}
    void SetNote(const std::string&) override {}
    void Destroy() override {}
};

class NullHost final : public MessageBoxes,
                       public MousePointer,
                       public EventPump,
                       public ProgramLocation,
                       public Workstation {
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
    bool OpenInEditor(const std::string&) override { return false; }
};

constexpr std::string_view ValueFile = "Unit: mm\n"
                                       "Begin: Stahl\n"
                                       "St 1,0;1;1;0.44;2;1\n"
                                       "St 1,5;1.5;1.5;0.44;2.5;1.5\n"
                                       "End:\n";

// The program as start-up leaves it, watching `simulator`.
struct WatchedProgram {
    explicit WatchedProgram(simulated::Simulator& simulator)
        : services{view, info, host,  settings, simulator, host, host, host, [] { return '.'; },
                   {},   host, waits, clock} {
        state.Settings = {"ORNA\\psm", "general"};
        LoadTexts(state.Texts);
        const LoaderContext loader{settings, "ORNA\\psm", "general", '.', state.Texts, host, {}};
        LoadBendValuesFromBytes(std::string(ValueFile), loader, state.Tables);
        RefreshDocument(state, services);
        ShowCurrentType(state, services);
        state.Selection.FormReady = true;
    }

    NullView view;
    NullInfo info;
    NullHost host;
    psm::SteadyClock clock;
    cad::WaitBudget waits{clock};
    MemorySettingsStore settings;
    Services services;
    AppState state;
};

void IdleTick(benchmark::State& state, bool assembly) {
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
    if (program.state.Selection.Label1 != "Bracket.psm") {
        state.SkipWithError("the document was not recognised");
        return;
    }

    // What every tick has to ask: attach and classify, and for an assembly the part behind it.
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
    if (program.state.Run.Ended || program.state.Selection.Label1 != "Bracket.psm") {
        state.SkipWithError("the tick did not stay idle");
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

} // namespace
