#include "app/App.h"

#include "apply/Properties.h"
#include "apply/Reset.h"
#include "apply/Write.h"
#include "core/Exit.h"
#include "core/Hints.h"
#include "core/Lists.h"
#include "core/Present.h"
#include "options/OptionsMenu.h"
#include "startup/StartUp.h"
#include "watch/DocumentWatch.h"

#include <cstdlib>

namespace psm {

template <class Command>
void App::RunCommand(Command&& command) {
    if (Ended() || m_state.Run.CommandDepth > 0) {
        return;
    }
    {
        const CommandScope running(m_state);
        const cad::CommandWaits waits(m_services.Waits);
        command();
    }
    Present();
}

void App::Present() {
    if (!Ended()) {
        m_services.View.Show(PresentMainWindow(m_state));
    }
}

void App::OnLoad() {
    if (Ended()) {
        return;
    }
    {
        // Ticks that arrive during a message box of the start-up wait for it.
        const CommandScope startUp(m_state);
        StartUp(m_state, m_services);
    }
    Present();
}

void App::OnActivate() {
    if (!Ended() && m_services.Info.Visible()) {
        m_services.Info.Destroy();
    }
}

void App::OnMouseDown(MouseButton button) {
    if (button == MouseButton::Right) {
        RunCommand([&] { OpenPopupMenu(m_state, m_services); });
    }
}

void App::OnMouseMove(MainControl control) {
    if (!Ended()) {
        TrackHint(m_state, control);
        Present();
    }
}

void App::OnListChosen(ListId list, int position) {
    RunCommand([&] {
        if (list == ListId::Tables) {
            ChooseTable(m_state, position);
        } else {
            ChooseType(m_state, position);
        }
    });
}

void App::OnCommand(MainCommand command) {
    RunCommand([&] { Run(command); });
}

void App::Run(MainCommand command) {
    switch (command) {
    case MainCommand::WriteChosenType:
        WriteChosenType(m_state, m_services);
        return;
    case MainCommand::ShowDocumentType:
        ResetLists(m_state);
        return;
    case MainCommand::ResetDocument:
        ResetDocument(m_state, m_services);
        return;
    case MainCommand::ShowProperties:
        ShowProperties(m_state, m_services);
        return;
    case MainCommand::Exit:
        ExitProgram(m_state, m_services);
        return;
    }
}

void App::OnMenuCommand(MenuCommand command) {
    RunCommand([&] { RunMenuCommand(m_state, m_services, command); });
}

void App::OnTimer(bool mainWindowIsActive) {
    // A tick never waits for a busy CAD program: the next one asks again.
    if (Ended() || m_state.Run.CommandDepth > 0) {
        return;
    }
    {
        const CommandScope running(m_state);
        OnTick(m_state, m_services, mainWindowIsActive);
    }
    Present();
}

void App::OnCloseRequest() {
    // The close box ends the program the orderly way.
    RunCommand([&] { ExitProgram(m_state, m_services); });
}

void App::OnInfoClick() {
    if (!Ended()) {
        CloseProperties(m_state, m_services);
    }
}

void App::OnUnexpectedFailure() noexcept {
    if (Ended()) {
        return;
    }
    // The command that failed is abandoned; what the user relies on, the
    // stored window position, is still written on the orderly way out.
    m_failed = true;
    try {
        const TextTables& texts = m_state.Texts;
        (void)m_services.Boxes.ShowMessage(texts.Message(MessageText::UnexpectedError),
                                           texts.Message(MessageText::Title), MessageButtons::Ok,
                                           MessageIcon::Critical);
        ExitProgram(m_state, m_services);
    } catch (...) {
        // Not even the orderly end works: end at once, still without a crash report.
        std::_Exit(3);
    }
}

} // namespace psm
