#include "startup/StartUp.h"

#include "core/Boxes.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "core/ProgramSettings.h"
#include "core/Trace.h"
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
void Tell(const AppState& state, const Services& services, MessageText text) {
    services.View.Show(PresentMainWindow(state));
    (void)ShowBox(state, services, state.Texts.Message(text), MessageButtons::Ok,
                  MessageIcon::Exclamation);
}

} // namespace

void RestoreWindowPosition(AppState& state, const Services& services) {
    const SettingsNames& names = state.Settings;
    const int32_t top = LeadingNumberToInt32(
        services.Settings.Read(names.SettingsAppName, names.SettingsSection, "Top"));
    const int32_t left = LeadingNumberToInt32(
        services.Settings.Read(names.SettingsAppName, names.SettingsSection, "Left"));

    services.View.RestoreNormalState();
    TwipsRect sized = services.View.WindowRect();
    sized.Width = MainWindowWidth;
    sized.Height = MainWindowHeight;
    TwipsRect placed = sized;
    if (top > 0) {
        placed.Top = top;
    }
    if (left > 0) {
        placed.Left = left;
    }
    services.View.MoveWindow(OnSomeMonitor(placed, services.View.MonitorAreas()) ? placed : sized);
}

void StartUp(AppState& state, const Services& services) {
    state.Settings = ProgramSettingsNames();
    state.ValueFilePath = StartValueFilePath(services.Settings, state.Settings, services.Location);
    state.Texts = TextsInStoredLanguage(services.Settings, state.Settings);
    state.DecimalSeparator =
        services.UserDecimalSeparator ? services.UserDecimalSeparator() : state.DecimalSeparator;
    services.View.KeepOnTop();
    services.View.StartTimer(100);
    RestoreWindowPosition(state, services);
    // Before the first call into the CAD program, which it is to hold.
    if (services.TraceAtStart || TraceSetting(services.Settings, state.Settings)) {
        (void)StartTrace(state, services);
    }

    const LoaderContext loader{services.Settings, state.Settings.SettingsAppName,
                               state.Settings.SettingsSection, services.DecodeAnsi};
    const ValueFileLoad load = LoadBendValues(state.ValueFilePath, loader, state.Tables);
    for (int unit = 0; unit < load.UnknownUnits; ++unit) {
        Tell(state, services, MessageText::UnknownUnit);
    }
    if (!load.Read) {
        Tell(state, services, MessageText::ValueFileMissing);
        return;
    }
    RefreshDocument(state, services);
    ShowDocumentType(state);
}

} // namespace psm
