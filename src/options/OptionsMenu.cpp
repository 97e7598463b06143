#include "options/OptionsMenu.h"

#include "cad/CommandButton.h"
#include "core/Boxes.h"
#include "core/CheckReport.h"
#include "core/Exit.h"
#include "core/Journal.h"
#include "core/Present.h"
#include "core/PropertiesPresenter.h"
#include "core/Trace.h"
#include "core/WaitingWrite.h"
#include "journal/JournalFile.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"
#include "tables/SettingsStore.h"

namespace psm {
namespace {

// A box holds this many problems readably; the rest are counted.
constexpr size_t ProblemsInBox = 20;

} // namespace

std::optional<MenuCommand> ChooseFromPopupMenu(const AppState& state, const Services& services) {
    return services.View.ShowPopupMenu(PopupMenuItems(state, services.Tracing.On()));
}

void InstallButton(AppState& state, const Services& services) {
    const TextTables& texts = state.Texts;
    cad::InstallCommandButton(state.Cad, services.Automation, services.Location, services.Pointer,
                              services.Location.ExecutableFileName(),
                              texts.Caption(CaptionText::ButtonDescription),
                              texts.Caption(CaptionText::ButtonTitle));
}

void ChooseValueFile(AppState& state, const Services& services) {
    const std::string title = state.Texts.Caption(CaptionText::TextFileDialogTitle);
    // The program's folder is where the dialog opens without a file, and
    // where it falls back to when it refuses the stored one.
    const std::optional<std::string> chosen =
        services.View.ChooseFile(title, state.ValueFilePath, services.Location.ProgramFolder());
    if (chosen) {
        state.ValueFilePath = *chosen;
    }
    WriteSetting(services.Settings, state.Settings.SettingsAppName, state.Settings.SettingsSection,
                 "filename", state.ValueFilePath);
    // Values a write left to be put back are journalled before the end.
    FinishWaitingWrite(state, services);
    ExitProgram(state, services);
}

void ShowValueFileCheck(AppState& state, const Services& services) {
    const CheckedValueFile checked = CheckValueFileAt(state.ValueFilePath, services.DecodeAnsi);
    std::string text = CheckReport(state.ValueFilePath, checked, state.Texts, ProblemsInBox);
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2); // a box needs no line end after its last line
    }
    (void)ShowBox(state, services, text, MessageButtons::Ok,
                  checked.Outcome == CheckOutcome::Clean ? MessageIcon::Information
                                                         : MessageIcon::Exclamation);
}

void SwitchLanguage(AppState& state, const Services& services, Language language) {
    state.Texts.LanguageIndex = language;
    WriteLanguage(services.Settings, state.Settings.SettingsAppName, state.Settings.SettingsSection,
                  language);
    // An open properties window shows the same values in the new language.
    if (services.Properties.Visible()) {
        if (const auto model = PresentProperties(state)) {
            services.Properties.Show(*model);
        } else {
            services.Properties.Destroy();
        }
    }
}

void ToggleTrace(AppState& state, const Services& services) {
    const bool on = !services.Tracing.On();
    if (on && !StartTrace(state, services)) {
        return;
    }
    if (!on) {
        services.Tracing.Stop();
    }
    WriteTraceSetting(services.Settings, state.Settings, on);
    // The references held from before go through the trace now, or no
    // longer: the calls on them are traced as the user chose.
    ReissueCadReferences(state, services.Automation);
}

void OpenJournal(AppState& state, const Services& services) {
    const std::string path = JournalPath(state, services);
    // Appending nothing creates a missing journal with its header, so that
    // the editor opens it with its columns named.
    if (!AppendToJournal(path, JournalHeader(state.Texts), "")) {
        ShowJournalNotWritable(state, services, path);
        return;
    }
    services.Station.OpenInEditor(path);
}

} // namespace psm
