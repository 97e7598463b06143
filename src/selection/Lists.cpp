#include "selection/Lists.h"

#include "selection/Selection.h"

namespace psm {
namespace {

bool HasEntry(const ListState& list, int position) {
    return position >= 0 && position < static_cast<int>(list.Items.size());
}

void SelectionReaction(AppState& state, const Services& services, ListId list) {
    if (list == ListId::Combo1) {
        Combo1_Click(state, services);
    } else {
        Combo2_Click(state, services);
    }
}

} // namespace

ListState& List(AppState& state, ListId list) {
    return list == ListId::Combo1 ? state.Selection.Combo1 : state.Selection.Combo2;
}

void ClearList(AppState& state, const Services& services, ListId list) {
    ListState& model = List(state, list);
    model.Items.clear();
    model.Selection = -1;
    services.View.ClearList(list);
}

void AddListItem(AppState& state, const Services& services, ListId list, const std::string& text) {
    List(state, list).Items.push_back(text);
    services.View.AddListItem(list, text);
}

void SelectListEntry(AppState& state, const Services& services, ListId list, int position) {
    ListState& model = List(state, list);
    if (position != -1 && !HasEntry(model, position)) {
        return;
    }
    model.Selection = position;
    services.View.SetListSelection(list, position);
    SelectionReaction(state, services, list);
}

void UserSelectsListEntry(AppState& state, const Services& services, ListId list, int position) {
    ListState& model = List(state, list);
    if (!HasEntry(model, position)) {
        return;
    }
    model.Selection = position;
    SelectionReaction(state, services, list);
}

} // namespace psm
