#include "lists/Lists.h"

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

void ChooseTable(ListsState& lists, const TableModel& tables, int position) {
    if (position < 0 || position >= tables.TableCount) {
        return;
    }
    const int table = position + 1;
    lists.Lists = ListsShown{table, table, 0};
    lists.TypeChosen = true;
    if (TypesIn(tables, table) > 0) {
        const int first = tables.TableFirstRow(table);
        lists.Lists.TypeRow = first + MiddlePosition(first, tables.TableLastRow(table));
    }
}

void ChooseType(ListsState& lists, const TableModel& tables, int position) {
    const int table = lists.Lists.TypesOf;
    if (position >= 0 && position < TypesIn(tables, table)) {
        lists.Lists.TypeRow = tables.TableFirstRow(table) + position;
        lists.TypeChosen = true;
    }
}

void ChooseTypeOf(ListsState& lists, const TableModel& tables, int table, int position) {
    if (table != lists.Lists.TypesOf) {
        if (table < 1 || table > tables.TableCount || position < 0 ||
            position >= TypesIn(tables, table)) {
            return;
        }
        lists.Lists = ListsShown{table, table, 0};
    }
    ChooseType(lists, tables, position);
}

void ChooseTypeRow(ListsState& lists, const TableModel& tables, int row) {
    const int table = TableOfRow(tables, row);
    if (table != 0) {
        ChooseTable(lists, tables, table - 1);
        ChooseType(lists, tables, row - tables.TableFirstRow(table));
    }
}

void ShowDocumentType(ListsState& lists, const TableModel& tables, const ShownDocument& document) {
    ListsShown& shown = lists.Lists;
    if (!document.SheetMetal) {
        shown.Table = 0;
        shown.TypeRow = 0;
        return;
    }
    shown = ListsShown{};
    if (document.TypeRow < 1) {
        return;
    }
    const int table = TableOfRow(tables, document.TypeRow);
    shown = ListsShown{table, table, document.TypeRow};
}

void ResetLists(ListsState& lists, const TableModel& tables, const ShownDocument& document) {
    ShowDocumentType(lists, tables, document);
    if (lists.Lists.Table == 0) {
        lists.Lists = ListsShown{};
    }
}

} // namespace psm
