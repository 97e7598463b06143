#include "form/StartUp.h"

#include "core/Boxes.h"
#include "form/Captions.h"
#include "selection/Lists.h"
#include "selection/Selection.h"
#include "tables/BendValueLoader.h"
#include "tables/LanguageSetting.h"
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

void ReportMissingValueFile(const AppState& state, const Services& services) {
    (void)ShowBox(state, services, state.Texts.Message(MessageText::ValueFileMissing),
                  MessageButtons::Ok, MessageIcon::Exclamation);
}

} // namespace

SettingsNames ProgramSettingsNames() {
    return SettingsNames{"ORNA\\psm", "general"};
}

std::string StartValueFilePath(const SettingsStore& settings, const SettingsNames& names,
                               const ProgramLocation& location) {
    std::string path =
        ReadSetting(settings, names.SettingsAppName, names.SettingsSection, "filename");
    if (!path.empty()) {
        return path;
    }
    std::string folder = location.ProgramFolder();
    while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) {
        folder.pop_back();
    }
    return folder + "\\psm_mm.txt";
}

void LoadTextsInStoredLanguage(TextTables& texts, const SettingsStore& settings,
                               const SettingsNames& names) {
    texts.LanguageIndex = ReadLanguage(settings, names.SettingsAppName, names.SettingsSection);
    LoadTexts(texts);
}

void RestoreWindowPosition(AppState& state, const Services& services) {
    const SettingsNames& names = state.Settings;
    const int32_t top = LeadingNumberToInt32(
        services.Settings.Read(names.SettingsAppName, names.SettingsSection, "Top"));
    const int32_t left = LeadingNumberToInt32(
        services.Settings.Read(names.SettingsAppName, names.SettingsSection, "Left"));

    services.View.RestoreNormalState();
    const TwipsRect current = services.View.WindowRect();
    TwipsRect sized = current;
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

    SetCaptions(state, services);
}

void Form_Load(AppState& state, const Services& services) {
    // Ticks that arrive during a message box of the start-up must not
    // release the lists' reactions before the lists are filled.
    const CommandScope startUp(state);
    state.Settings = ProgramSettingsNames();
    state.ValueFilePath = StartValueFilePath(services.Settings, state.Settings, services.Location);
    LoadTextsInStoredLanguage(state.Texts, services.Settings, state.Settings);
    state.DecimalSeparator =
        services.UserDecimalSeparator ? services.UserDecimalSeparator() : state.DecimalSeparator;
    services.View.KeepOnTop();
    ListsFilledByProgram filling(state);
    services.View.StartTimer(100);
    RestoreWindowPosition(state, services);

    const LoaderContext loader{services.Settings,
                               state.Settings.SettingsAppName,
                               state.Settings.SettingsSection,
                               state.DecimalSeparator,
                               state.Texts,
                               services.Boxes,
                               services.DecodeAnsi};
    const bool loaded = LoadBendValues(state.ValueFilePath, loader, state.Tables);
    if (Ended(state) || !loaded) {
        // Without lists they stay quiet until the first tick of the watch.
        filling.KeepQuiet();
        if (!Ended(state)) {
            ReportMissingValueFile(state, services);
        }
        return;
    }
    for (const TableEntry& table : state.Tables.TableList) {
        AddListItem(state, services, ListId::Combo1, table.Name);
    }
    RefreshDocument(state, services);
    ShowCurrentType(state, services);
}

} // namespace psm
