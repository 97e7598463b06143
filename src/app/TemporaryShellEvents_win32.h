#pragma once

#include "app/MainView.h"
#include "texts/Texts.h"

namespace psm {

// TEMPORARY: stands in for the core's events until the core lands, so that
// the shell can be started and looked at. It shows the caption, keeps the
// window on top and ends the program on Exit or the close box. Nothing else.
class TemporaryShellEvents final : public MainWindowEvents {
  public:
    TemporaryShellEvents(MainView& view, const TextTables& texts) : m_view(view), m_texts(texts) {}

    void OnLoad() override;
    void OnActivate() override {}
    void OnMouseDown(MouseButton) override {}
    void OnMouseMove(HintArea) override {}
    void OnListSelected(ListId, int) override {}
    void OnButtonClick(ButtonId button) override;
    void OnMenuCommand(MenuCommand) override {}
    void OnTimer(bool) override {}
    void OnCloseRequest() override { m_view.EndProgram(); }
    void OnInfoClick() override {}

  private:
    MainView& m_view;
    const TextTables& m_texts;
};

} // namespace psm
