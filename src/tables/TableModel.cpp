#include "tables/TableModel.h"

namespace psm {
namespace {

const TableEntry EmptyTable;
const TypeRow EmptyRow;

} // namespace

const TableEntry& TableModel::Table(int k) const {
    if (k < 1 || static_cast<size_t>(k) > TableList.size()) {
        return EmptyTable;
    }
    return TableList[static_cast<size_t>(k - 1)];
}

const TypeRow& TableModel::Type(int row) const {
    if (row < 1 || static_cast<size_t>(row) > TypeList.size()) {
        return EmptyRow;
    }
    return TypeList[static_cast<size_t>(row - 1)];
}

int TableModel::TableFirstRow(int k) const {
    if (k < 1 || k > TableCount) {
        return 0;
    }
    return Table(k).FirstRow;
}

int TableModel::TableLastRow(int k) const {
    if (k < 1 || k > TableCount) {
        return 0;
    }
    return k == TableCount ? TypeCount : Table(k + 1).FirstRow - 1;
}

} // namespace psm
