#include "startup/StartUp.h"

#include "core/Boxes.h"
#include "core/ProgramSettings.h"
#include "lists/Lists.h"
#include "present/MainPresenter.h"
#include "tables/BendValueLoader.h"
#include "tables/LeadingNumber.h"
#include "tables/SettingsStore.h"
#include "watch/DocumentWatch.h"

#include <algorithm>

namespace psm {
namespace {

bool Overlaps(const TwipsRect& a, const TwipsRect& b) {
    return a.Left < b.Left + b.Width && b.Left < a.Left + a.Width && a.Top < b.Top + b.Height &&
           b.Top < a.Top + a.Height;
}

// False only when the monitors are known and the window would be on none of
// them, for instance after a second screen was unplugged.
bool OnSomeMonitor(const TwipsRect& window, const std::vector<TwipsRect>& monitors) {
    return monitors.empty() || std::ranges::any_of(monitors, [&](const TwipsRect& monitor) {
               return Overlaps(window, monitor);
           });
}

// A box of the start-up shows over a window that already has its caption.
void Tell(const ProgramContext& program, const WatchState& watch, const ListsState& lists,
          const StartUpPorts& ports, MessageText text) {
    const std::optional<CaptionText> noHint;
    ports.View.Show(PresentMainWindow({program, watch.Document, lists, noHint}));
    const Asking ask{ports.Trace.Boxes, program.Texts};
    (void)ask.Show(program.Texts.Message(text), MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace

void RestoreWindowPosition(const SettingsNames& names, MainView& view,
                           const SettingsStore& settings) {
    const int32_t top =
        LeadingNumberToInt32(settings.Read(names.SettingsAppName, names.SettingsSection, "Top"));
    const int32_t left =
        LeadingNumberToInt32(settings.Read(names.SettingsAppName, names.SettingsSection, "Left"));
    view.RestoreNormalState();
    TwipsRect sized = view.WindowRect();
    sized.Width = MainWindowWidth;
    sized.Height = MainWindowHeight;
    TwipsRect placed = sized;
    if (top > 0) {
        placed.Top = top;
    }
    if (left > 0) {
        placed.Left = left;
    }
    view.MoveWindow(OnSomeMonitor(placed, view.MonitorAreas()) ? placed : sized);
}

void StartUp(ProgramContext& program, WatchState& watch, ListsState& lists,
             const StartUpPorts& ports) {
    program.Settings = ProgramSettingsNames();
    program.ValueFilePath = StartValueFilePath(ports.Settings, program.Settings, ports.Location);
    program.Texts = TextsInStoredLanguage(ports.Settings, program.Settings);
    program.DecimalSeparator =
        ports.UserDecimalSeparator ? ports.UserDecimalSeparator() : program.DecimalSeparator;
    ports.View.KeepOnTop();
    ports.View.StartTimer(100);
    RestoreWindowPosition(program.Settings, ports.View, ports.Settings);
    // Before the first call into the CAD program, which it is to hold.
    if (ports.TraceAtStart || TraceSetting(ports.Settings, program.Settings)) {
        (void)StartTrace(program, ports.Trace);
    }
    const LoaderContext loader{ports.Settings, program.Settings.SettingsAppName,
                               program.Settings.SettingsSection, ports.Trace.DecodeAnsi};
    const ValueFileLoad load = LoadBendValues(program.ValueFilePath, loader, program.Tables);
    for (int unit = 0; unit < load.UnknownUnits; ++unit) {
        Tell(program, watch, lists, ports, MessageText::UnknownUnit);
    }
    if (!load.Read) {
        Tell(program, watch, lists, ports, MessageText::ValueFileMissing);
        return;
    }
    RefreshDocument(watch, program.Tables, ports.Trace.Automation);
    ShowDocumentType(lists, program.Tables, watch.Document);
}

} // namespace psm
