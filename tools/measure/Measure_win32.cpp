// Measures psm.exe against simcad.exe under Wine and prints one line per
// figure (not a test: the figures depend on the machine):
//   - cross-process automation calls per second, by dispatch identifier and
//     with a name lookup each;
//   - CAD calls per watch tick while the user works in the CAD program;
//   - time from a document switch in simcad to psm showing the new document;
//   - psm's start-up to its ready window against a minimal Win32 program;
//   - psm's CPU time over ten idle seconds.

#include "cad/ComObject_win32.h"
#include "tools/driver/ChildProcess_win32.h"
#include "tools/driver/DriverApartment_win32.h"
#include "tools/driver/Files_win32.h"
#include "tools/driver/PsmSettings_win32.h"
#include "tools/driver/Psm_win32.h"
#include "tools/driver/SimCad_win32.h"
#include "tools/driver/WaitUntil_win32.h"
#include "tools/driver/Workshop.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

namespace psm::e2e {
namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration duration) {
    return std::chrono::duration<double, std::milli>(duration).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0.0 : values[values.size() / 2];
}

void Line(const char* name, double value, const char* unit, const std::string& note = {}) {
    std::printf("%-44s %10.2f %s%s%s\n", name, value, unit, note.empty() ? "" : "  ", note.c_str());
    std::fflush(stdout);
}

// psm.exe beside simcad.exe in the workshop of the end-to-end suite: psm's
// settings name the workshop's value file, simcad runs the workshop scenario.
class Bench {
  public:
    void Prepare() {
        const std::wstring valueFile = NewTempFolder(L"psm-measure") + L"psm_mm.txt";
        if (!settings::PrepareValueFile(valueFile, ValueFile)) {
            std::printf("cannot write the value file\n");
        }
    }

    void Finish() {
        psm.End();
        simcad.Quit();
    }

    bool StartCad() {
        if (!simcad.Start(Workshop)) {
            std::printf("simcad did not start: %s\n", simcad.Problem().c_str());
            return false;
        }
        return true;
    }

    void Start() {
        if (StartCad() && !psm.Start()) {
            std::printf("psm.exe did not show its window\n");
        }
    }

    void Switch(const std::string& document) {
        if (!simcad.Activate(document)) {
            std::printf("simcad did not activate %s: %s\n", document.c_str(),
                        simcad.Problem().c_str());
        }
    }

    SimCad simcad;
    Psm psm;
};

void CallRates(Bench& bench) {
    bench.StartCad();
    cad::ComAutomation automation;
    auto app = automation.GetActiveObject("SolidEdge.Application");
    if (!app) {
        std::printf("no CAD program: %s\n", app.Error().Text.c_str());
        return;
    }
    // The first view of an interface in a process builds its proxy from the
    // type library; later ones reuse it.
    auto first = Clock::now();
    auto seen = app.Value()->As("{DED89DB0-45B6-11CE-B307-0800363A1E02}");
    const double firstMs = Milliseconds(Clock::now() - first);
    if (!seen) {
        return;
    }
    auto again = automation.GetActiveObject("SolidEdge.Application");
    if (!again) {
        std::printf("no CAD program for the second view: %s\n", again.Error().Text.c_str());
        return;
    }
    first = Clock::now();
    (void)again.Value()->As("{DED89DB0-45B6-11CE-B307-0800363A1E02}");
    Line("first QueryInterface of an interface", firstMs, "ms");
    Line("the same QueryInterface again (in process)", Milliseconds(Clock::now() - first), "ms");
    const auto application = seen.Value();
    constexpr int Calls = 1000;
    const auto rate = [&](auto call) {
        const auto start = Clock::now();
        for (int i = 0; i < Calls; ++i) {
            call();
        }
        return Calls / (Milliseconds(Clock::now() - start) / 1000.0);
    };
    // A number back, and an object back (which COM marshals each time).
    Line("cross-process calls per second (by id, Boolean)",
         rate([&] { (void)application->Get(cad::Member::ById(73), {}); }), "calls/s");
    Line("cross-process calls per second (by id, object)",
         rate([&] { (void)application->Get(cad::Member::ById(2), {}); }), "calls/s");
    auto* com = dynamic_cast<cad::ComObject*>(application.get());
    if (com == nullptr) {
        std::printf("the application object is not a COM object: no name lookups measured\n");
        return;
    }
    Line("cross-process name lookup + call per second", rate([&] {
             wchar_t name[] = L"HoldRecompute";
             LPOLESTR names[] = {name};
             DISPID id = 0;
             com->Dispatch()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
             (void)application->Get(cad::Member::ById(id), {});
         }),
         "pairs/s");
    bench.simcad.Quit();
}

// What psm asks simcad per watch tick while `document` stays active: calls
// that reach simcad's objects (Invoke), interface queries that reach it, and
// name lookups. Every tick reads the open documents' count once.
void TickCost(Bench& bench, const std::string& document, const char* what) {
    bench.Switch(document);
    WaitUntil([] { return false; }, 500);
    bench.simcad.Call("ClearLog");
    const int lookups = bench.simcad.NameLookups();
    WaitUntil([] { return false; }, 5000);
    const std::string log = bench.simcad.LogText(0);
    int invokes = 0;
    int asks = 0;
    std::size_t at = 0;
    while (at < log.size()) {
        const std::size_t end = log.find('\n', at);
        const std::string line = log.substr(at, end - at);
        (line.find(" as ") != std::string::npos ? asks : invokes) += 1;
        at = end == std::string::npos ? log.size() : end + 1;
    }
    const int ticks = bench.simcad.CountCalls("CurrentDocument");
    const int names = bench.simcad.NameLookups() - lookups;
    const auto perTick = [&](int count) {
        return ticks > 0 ? static_cast<double>(count) / ticks : 0.0;
    };
    std::printf("%s:\n", what);
    Line("  watch ticks in 5 s, psm inactive", ticks, "ticks");
    Line("  calls per idle tick (Invoke)", perTick(invokes), "calls/tick");
    Line("  + interface queries per tick", perTick(asks), "QI/tick");
    Line("  + name lookups per tick", perTick(names), "GetIDsOfNames/tick");
    Line("  = round trips to simcad per tick", perTick(invokes + asks + names), "per tick",
         "target <= 3, and the attach");
}

void IdleTicks(Bench& bench) {
    bench.Start();
    TickCost(bench, "Gehäuse.asm", "an unchanged assembly");
    TickCost(bench, "Halter.psm", "an unchanged sheet-metal document");

    // psm active: its ticks do not ask.
    SetForegroundWindow(bench.psm.Main());
    WaitUntil([] { return false; }, 300);
    const int before = bench.simcad.CountCalls("CurrentDocument");
    WaitUntil([] { return false; }, 2000);
    Line("ticks asking in 2 s, psm active", bench.simcad.CountCalls("CurrentDocument") - before,
         "ticks", "expected 0");

    // Ten idle seconds while psm polls: tools/measure/measure.sh samples psm's
    // CPU time from outside meanwhile (Wine reports no times of another process).
    bench.Switch("Halter.psm");
    WaitUntil([] { return false; }, 300);
    std::printf("idle: 10 s\n");
    std::fflush(stdout);
    Sleep(10000);
    std::printf("idle: over\n");
    std::fflush(stdout);
    // The same with psm active, where its ticks do not ask: the timer alone.
    SetForegroundWindow(bench.psm.Main());
    WaitUntil([] { return false; }, 300);
    std::printf("active: 10 s\n");
    std::fflush(stdout);
    Sleep(10000);
    std::printf("active: over\n");
    std::fflush(stdout);
    bench.Finish();
}

void SwitchLatency(Bench& bench) {
    bench.Start();
    std::vector<double> samples;
    const char* documents[] = {"Deckel.psm", "Halter.psm"};
    const wchar_t* labels[] = {L"Deckel.psm", L"Halter.psm"};
    for (int i = 0; i < 20; ++i) {
        const auto start = Clock::now();
        bench.simcad.Activate(documents[i % 2]);
        if (!WaitUntil([&] { return bench.psm.Label() == labels[i % 2]; }, 5000, 2)) {
            std::printf("psm did not follow the switch to %s\n", documents[i % 2]);
            break;
        }
        samples.push_back(Milliseconds(Clock::now() - start));
        WaitUntil([] { return false; }, 150);
    }
    Line("document switch to psm showing it (median)", Median(samples), "ms",
         "target <= 150 ms (1.5 ticks)");
    Line("document switch to psm showing it (max)",
         samples.empty() ? 0.0 : *std::max_element(samples.begin(), samples.end()), "ms");
    bench.Finish();
}

// Process start to the first visible window of that class, in ms.
double StartTime(const std::wstring& program, const wchar_t* className) {
    const auto start = Clock::now();
    auto child = ChildProcess::Start(program, L"");
    if (!child) {
        return -1;
    }
    const bool found =
        WaitUntil([&] { return !child->VisibleWindows(className).empty(); }, 20000, 2);
    const double elapsed = Milliseconds(Clock::now() - start);
    child->Terminate();
    return found ? elapsed : -1;
}

void StartUpTimes(Bench& bench) {
    std::vector<double> alone;
    for (int i = 0; i < 5; ++i) {
        alone.push_back(StartTime(L"psm.exe", MainWindowClassName));
    }
    Line("psm start without a CAD program (median)", Median(alone), "ms");
    bench.StartCad();
    std::vector<double> psmTimes;
    std::vector<double> minimalTimes;
    for (int i = 0; i < 7; ++i) {
        minimalTimes.push_back(StartTime(L"psm_minimal_window.exe", L"MinimalWindow"));
        psmTimes.push_back(StartTime(L"psm.exe", MainWindowClassName));
    }
    const double minimal = Median(minimalTimes);
    const double psmTime = Median(psmTimes);
    Line("minimal window program start (median)", minimal, "ms");
    Line("psm start with CAD attached (median)", psmTime, "ms");
    Line("ratio psm / minimal", minimal > 0 ? psmTime / minimal : 0.0, "x", "target <= 1.5");
    bench.Finish();
}

} // namespace
} // namespace psm::e2e

int main() {
    const psm::e2e::DriverApartment apartment;
    psm::e2e::Bench bench;
    bench.Prepare();
    psm::e2e::CallRates(bench);
    psm::e2e::IdleTicks(bench);
    bench.Prepare();
    psm::e2e::SwitchLatency(bench);
    bench.Prepare();
    psm::e2e::StartUpTimes(bench);
    return 0;
}
