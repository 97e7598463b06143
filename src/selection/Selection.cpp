#include "selection/Selection.h"

#include "selection/Lists.h"

namespace psm {
namespace {

// The TypeList row the two lists show now; 0 when either has no selection.
int ShownTypeRow(const AppState& state) {
    const SelectionState& selection = state.Selection;
    if (selection.Combo1.Selection < 0 || selection.Combo2.Selection < 0) {
        return 0;
    }
    return state.Tables.Table(selection.Combo1.Selection + 1).FirstRow + selection.Combo2.Selection;
}

} // namespace

void Combo1_Click(AppState& state, const Services& services) {
    FillTypeCombo(state, services);
}

void Combo2_Click(AppState& state, const Services&) {
    ShowSelectedValues(state);
}

int MiddlePosition(int first, int last) {
    const int distance = last - first;
    if (distance % 2 == 0) {
        return distance / 2;
    }
    // Exactly halfway between two positions: take the even one.
    const int below = (distance - 1) / 2;
    return below % 2 == 0 ? below : below + 1;
}

void FillTypeCombo(AppState& state, const Services& services) {
    const SelectionState& selection = state.Selection;
    if (selection.Combo1.Selection < 0 || !selection.FormReady) {
        return;
    }
    const TableModel& tables = state.Tables;
    const int k = selection.Combo1.Selection + 1;
    const int first = tables.TableFirstRow(k);
    const int last = tables.TableLastRow(k);
    const int middle = MiddlePosition(first, last);

    ClearList(state, services, ListId::Combo2);
    for (int row = first; row <= last; ++row) {
        AddListItem(state, services, ListId::Combo2, tables.Type(row).Name());
    }
    // A table without rows leaves the list without a selection.
    SelectListEntry(state, services, ListId::Combo2, middle);
}

void ShowSelectedValues(AppState& state) {
    SelectionState& selection = state.Selection;
    // Without a chosen type (a table without rows) there is no row to take;
    // the position -1 would name the previous table's last type.
    if (!selection.FormReady || selection.Combo1.Selection < 0 || selection.Combo2.Selection < 0) {
        return;
    }
    selection.SelectedTypeRow = ShownTypeRow(state);
}

void TakeShownType(AppState& state) {
    state.Selection.SelectedTypeRow = ShownTypeRow(state);
}

void ShowCurrentType(AppState& state, const Services& services) {
    const WatchState& watch = state.Watch;
    const cad::CadConnection& cad = state.Cad;
    std::string label;
    if (watch.CadRunning) {
        label = watch.InPlaceEdit ? cad.WorkDocName : cad.ActiveDocName;
    }
    state.Selection.Label1 = label;
    services.View.SetDocumentLabel(label);

    if (!watch.SheetMetalOpen) {
        SelectListEntry(state, services, ListId::Combo1, -1);
        SelectListEntry(state, services, ListId::Combo2, -1);
        return;
    }
    ClearList(state, services, ListId::Combo2);
    if (watch.CurrentTypeRow < 1) {
        SelectListEntry(state, services, ListId::Combo1, -1);
        return;
    }
    SelectListEntry(state, services, ListId::Combo1, watch.CurrentTableIndex - 1);
    for (int row = watch.TableFirstRow; row <= watch.TableLastRow; ++row) {
        AddListItem(state, services, ListId::Combo2, state.Tables.Type(row).Name());
    }
    SelectListEntry(state, services, ListId::Combo2, watch.CurrentTypeOffset);
}

void cmdUndo_Click(AppState& state, const Services& services) {
    const ListsFilledByProgram filling(state);
    ShowCurrentType(state, services);
    if (state.Selection.Combo1.Selection < 0) {
        ClearList(state, services, ListId::Combo2);
    }
}

} // namespace psm
