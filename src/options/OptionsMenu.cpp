#include "options/OptionsMenu.h"

#include "cad/CommandButton.h"
#include "core/CheckReport.h"
#include "journal/JournalFile.h"
#include "present/MainPresenter.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"
#include "tables/SettingsStore.h"

namespace psm {
namespace {

// A box holds this many problems readably; the rest are counted.
constexpr size_t ProblemsInBox = 20;

} // namespace

std::optional<MenuCommand> ChooseFromPopupMenu(const LanguageTexts& texts, MainView& view,
                                               bool tracing) {
    return view.ShowPopupMenu(PopupMenuItems(texts, tracing));
}

void InstallButton(cad::CadConnection& cad, const LanguageTexts& texts, cad::Automation& automation,
                   const ProgramLocation& location, MousePointer& pointer) {
    cad::InstallCommandButton(cad, automation, location, pointer, location.ExecutableFileName(),
                              texts.Caption(CaptionText::ButtonDescription),
                              texts.Caption(CaptionText::ButtonTitle));
}

void ChooseValueFile(ProgramContext& program, MainView& view, SettingsStore& settings,
                     const ProgramLocation& location) {
    const std::string title = program.Texts.Caption(CaptionText::TextFileDialogTitle);
    // The program's folder is where the dialog opens without a file, and
    // where it falls back to when it refuses the stored one.
    const std::optional<std::string> chosen =
        view.ChooseFile(title, program.ValueFilePath, location.ProgramFolder());
    if (chosen) {
        program.ValueFilePath = *chosen;
    }
    WriteSetting(settings, program.Settings.SettingsAppName, program.Settings.SettingsSection,
                 "filename", program.ValueFilePath);
}

void ShowValueFileCheck(const ProgramContext& program, const Asking& ask,
                        const AnsiDecoder& decodeAnsi) {
    const CheckedValueFile checked = CheckValueFileAt(program.ValueFilePath, decodeAnsi);
    std::string text = CheckReport(program.ValueFilePath, checked, program.Texts, ProblemsInBox);
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2); // a box needs no line end after its last line
    }
    (void)ask.Show(text, MessageButtons::Ok,
                   checked.Outcome == CheckOutcome::Clean ? MessageIcon::Information
                                                          : MessageIcon::Exclamation);
}

void SwitchLanguage(ProgramContext& program, SettingsStore& settings, Language language) {
    program.Texts.LanguageIndex = language;
    WriteLanguage(settings, program.Settings.SettingsAppName, program.Settings.SettingsSection,
                  language);
}

void OpenJournal(const ProgramContext& program, const JournalPorts& ports, const Asking& ask) {
    const std::string path = JournalPathOf(ports.Settings, program.Settings, ports.Station);
    // Appending nothing creates a missing journal with its header, so that
    // the editor opens it with its columns named.
    if (!AppendToJournal(path, JournalHeader(program.Texts), "")) {
        ShowJournalNotWritable(ask, path);
        return;
    }
    ports.Station.OpenInEditor(path);
}

} // namespace psm
