#include "options/OptionsMenu.h"

#include "apply/Journal.h"
#include "cad/CommandButton.h"
#include "core/Boxes.h"
#include "form/Captions.h"
#include "form/Exit.h"
#include "journal/JournalFile.h"
#include "tables/CheckedValueFile.h"
#include "tables/LanguageSetting.h"
#include "tables/SettingsStore.h"

namespace psm {
namespace {

// A box holds this many problems readably; the rest are counted.
constexpr size_t ProblemsInBox = 20;

// The languages' own names, the same in either language.
constexpr const char* GermanCaption = "Deutsch";
constexpr const char* EnglishCaption = "english";

MenuItem Item(std::string caption, std::optional<MenuCommand> command, bool visible = true) {
    MenuItem item;
    item.Caption = std::move(caption);
    item.Command = command;
    item.Visible = visible;
    return item;
}

} // namespace

std::vector<MenuItem> PopupMenuItems(const MenuCaptions& captions, int16_t language) {
    MenuItem german = Item(GermanCaption, MenuCommand::MnuLang0);
    german.Checked = language != TextTables::English;
    MenuItem english = Item(EnglishCaption, MenuCommand::MnuLang1);
    english.Checked = language == TextTables::English;
    MenuItem languages = Item(captions.MnuLanguage, std::nullopt);
    languages.Children = {german, english};

    MenuItem scaleFactor = Item("ScaleFactor", MenuCommand::MnuScaleFactor, false);
    scaleFactor.Enabled = false;

    MenuItem options = Item(captions.MnuOptions, std::nullopt);
    options.Children = {Item(captions.MnuIcon, MenuCommand::MnuIcon),
                        languages,
                        Item(captions.MnuTextFile, MenuCommand::MnuTextFile),
                        Item(captions.MnuCheckFile, MenuCommand::MnuCheckFile),
                        Item(captions.MnuJournal, MenuCommand::MnuJournal),
                        scaleFactor};

    return {options, Item(captions.MnuHelp, MenuCommand::MnuHelp, false)};
}

void RunMenuCommand(AppState& state, const Services& services, MenuCommand command) {
    switch (command) {
    case MenuCommand::MnuIcon:
        mnuIcon_Click(state, services);
        return;
    case MenuCommand::MnuTextFile:
        mnutextfile_Click(state, services);
        return;
    case MenuCommand::MnuScaleFactor:
        mnuScaleFactor_Click(state, services);
        return;
    case MenuCommand::MnuCheckFile:
        mnuCheckFile_Click(state, services);
        return;
    case MenuCommand::MnuJournal:
        mnuJournal_Click(state, services);
        return;
    case MenuCommand::MnuLang0:
        mnuLang_Click(state, services, TextTables::German);
        return;
    case MenuCommand::MnuLang1:
        mnuLang_Click(state, services, TextTables::English);
        return;
    case MenuCommand::MnuHelp:
        return;
    }
}

void mnuIcon_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    const TextTables& texts = state.Texts;
    cad::InstallCommandButton(state.Cad, services.Automation, services.Location, services.Pointer,
                              services.Location.ExecutableFileName(),
                              texts.Caption(CaptionText::ButtonDescription),
                              texts.Caption(CaptionText::ButtonTitle));
}

void mnutextfile_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    const std::string title = state.Texts.Caption(CaptionText::TextFileDialogTitle);
    // The program's folder is where the dialog opens without a file, and
    // where it falls back to when it refuses the stored one.
    const std::optional<std::string> chosen =
        services.View.ChooseFile(title, state.ValueFilePath, services.Location.ProgramFolder());
    if (Ended(state)) {
        return;
    }
    if (chosen) {
        state.ValueFilePath = *chosen;
    }
    WriteSetting(services.Settings, state.Settings.SettingsAppName, state.Settings.SettingsSection,
                 "filename", state.ValueFilePath);
    ExitProgram(state, services);
}

void mnuCheckFile_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
    const CheckedValueFile checked =
        CheckValueFileAt(state.ValueFilePath, services.DecodeAnsi, state.Texts, ProblemsInBox);
    std::string text = checked.Report;
    if (text.ends_with("\r\n")) {
        text.resize(text.size() - 2); // a box needs no line end after its last line
    }
    (void)ShowBox(state, services, text, MessageButtons::Ok,
                  checked.Outcome == CheckOutcome::Clean ? MessageIcon::Information
                                                         : MessageIcon::Exclamation);
}

void mnuLang_Click(AppState& state, const Services& services, int16_t language) {
    state.Texts.LanguageIndex = language;
    WriteLanguage(services.Settings, state.Settings.SettingsAppName, state.Settings.SettingsSection,
                  language);
    SetCaptions(state, services);
    // An open properties window carries the texts of the language before; it
    // shows the new ones when it is opened again.
    if (services.Info.Visible()) {
        services.Info.Destroy();
    }
}

void mnuScaleFactor_Click(AppState&, const Services&) {}

void mnuJournal_Click(AppState& state, const Services& services) {
    const CommandScope command(state);
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
