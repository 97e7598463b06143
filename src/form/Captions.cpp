#include "form/Captions.h"

#include "form/Hints.h"

namespace psm {

void SetCaptions(AppState& state, const Services& services) {
    const TextTables& texts = state.Texts;
    MenuCaptions& menu = state.Menu;
    services.View.SetCaption(texts.Caption(CaptionText::MainWindowTitle));
    menu.MnuHelp = texts.Caption(CaptionText::HelpMenu);
    menu.MnuIcon = texts.Caption(CaptionText::InstallMenu);
    menu.MnuLanguage = texts.Caption(CaptionText::LanguageMenu);
    menu.MnuTextFile = texts.Caption(CaptionText::TextFileMenu);
    menu.MnuJournal = texts.Caption(CaptionText::JournalMenu);
    menu.MnuOptions = texts.Caption(CaptionText::OptionsMenu);
    menu.MnuCheckFile = texts.Caption(CaptionText::CheckFileMenu);
    NameButtons(state, services);
    if (state.StatusHint) {
        services.View.SetStatusText(texts.Caption(*state.StatusHint));
    }
}

} // namespace psm
