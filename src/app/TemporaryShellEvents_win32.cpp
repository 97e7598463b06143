#include "app/TemporaryShellEvents_win32.h"

namespace psm {

void TemporaryShellEvents::OnLoad() {
    m_view.SetCaption(m_texts.Caption(1));
    m_view.KeepOnTop();
}

void TemporaryShellEvents::OnButtonClick(ButtonId button) {
    if (button == ButtonId::CmdEnd) {
        m_view.EndProgram();
    }
}

} // namespace psm
