#include "app/App.h"

#include "apply/Apply.h"
#include "apply/Properties.h"
#include "apply/Undo.h"
#include "apply/WriteValues.h"
#include "form/Exit.h"
#include "form/Hints.h"
#include "form/StartUp.h"
#include "form/WindowEvents.h"
#include "options/OptionsMenu.h"
#include "selection/Lists.h"
#include "selection/Selection.h"
#include "watch/DocumentWatch.h"

#include <cstdlib>

namespace psm {

template <class Command>
void App::RunCommand(Command&& command) {
    if (Ended() || m_state.Run.CommandDepth > 0) {
        return;
    }
    const CommandScope running(m_state);
    const cad::CommandWaits waits(m_services.Waits);
    command();
}

void App::OnLoad() {
    if (!Ended()) {
        Form_Load(m_state, m_services);
    }
}

void App::OnActivate() {
    if (!Ended()) {
        Form_Activate(m_state, m_services);
    }
}

void App::OnMouseDown(MouseButton button) {
    RunCommand([&] { Form_MouseDown(m_state, m_services, button); });
}

void App::OnMouseMove(MainControl control) {
    if (!Ended()) {
        ShowHint(m_state, m_services, control);
    }
}

void App::OnListSelected(ListId list, int position) {
    RunCommand([&] { UserSelectsListEntry(m_state, m_services, list, position); });
}

void App::OnButtonClick(MainControl button) {
    RunCommand([&] { RunButton(button); });
}

void App::RunButton(MainControl button) {
    switch (button) {
    case MainControl::CmdWrite:
        cmdWrite_Click(m_state, m_services);
        return;
    case MainControl::CmdUndo:
        cmdUndo_Click(m_state, m_services);
        return;
    case MainControl::CmdUndoWrite:
        cmdUndoWrite_Click(m_state, m_services);
        return;
    case MainControl::CmdInfo:
        cmdInfo_Click(m_state, m_services);
        return;
    case MainControl::CmdEnd:
        cmdEnd_Click(m_state, m_services);
        return;
    default: // no other control is clicked
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
    const CommandScope running(m_state);
    FinishWaitingWrite(m_state, m_services);
    Timer1_Timer(m_state, m_services, mainWindowIsActive);
}

void App::OnCloseRequest() {
    // The close box ends the program the orderly way.
    RunCommand([&] { ExitProgram(m_state, m_services); });
}

void App::OnInfoClick() {
    if (!Ended()) {
        frmInfo::Form_Click(m_state, m_services);
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
