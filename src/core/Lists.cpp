#include "core/Lists.h"

#include "tables/TypeMatch.h"

namespace psm {
namespace {

int TypesIn(const TableModel& tables, int table) {
    return table < 1 ? 0 : tables.TableLastRow(table) - tables.TableFirstRow(table) + 1;
}

} // namespace

int MiddlePosition(int first, int last) {
    const int distance = last - first;
    if (distance % 2 == 0) {
        return distance / 2;
    }
    // Exactly halfway between two positions: take the even one.
    const int below = (distance - 1) / 2;
    return below % 2 == 0 ? below : below + 1;
}

void ChooseTable(AppState& state, int position) {
    const TableModel& tables = state.Tables;
    if (position < 0 || position >= tables.TableCount) {
        return;
    }
    const int table = position + 1;
    state.Lists = ListsShown{table, table, 0};
    state.TypeChosen = true;
    if (TypesIn(tables, table) > 0) {
        const int first = tables.TableFirstRow(table);
        state.Lists.TypeRow = first + MiddlePosition(first, tables.TableLastRow(table));
    }
}

void ChooseType(AppState& state, int position) {
    const int table = state.Lists.TypesOf;
    if (position >= 0 && position < TypesIn(state.Tables, table)) {
        state.Lists.TypeRow = state.Tables.TableFirstRow(table) + position;
        state.TypeChosen = true;
    }
}

void ChooseTypeOf(AppState& state, int table, int position) {
    if (table != state.Lists.TypesOf) {
        if (table < 1 || table > state.Tables.TableCount || position < 0 ||
            position >= TypesIn(state.Tables, table)) {
            return;
        }
        state.Lists = ListsShown{table, table, 0};
    }
    ChooseType(state, position);
}

void ShowDocumentType(AppState& state) {
    const ShownDocument& document = state.Document;
    ListsShown& lists = state.Lists;
    if (!document.SheetMetal) {
        lists.Table = 0;
        lists.TypeRow = 0;
        return;
    }
    lists = ListsShown{};
    if (document.TypeRow < 1) {
        return;
    }
    const int table = TableOfRow(state.Tables, document.TypeRow);
    lists = ListsShown{table, table, document.TypeRow};
}

void ResetLists(AppState& state) {
    ShowDocumentType(state);
    if (state.Lists.Table == 0) {
        state.Lists = ListsShown{};
    }
}

int ShownTypeRow(const AppState& state) {
    const ListsShown& lists = state.Lists;
    return lists.Table != 0 ? lists.TypeRow : 0;
}

int ChosenTypeRow(const AppState& state) {
    return state.TypeChosen ? ShownTypeRow(state) : 0;
}

} // namespace psm
