#include "DataGridModel.h"

#include <algorithm>

DataGridModel::DataGridModel(QObject* parent) : QAbstractTableModel(parent), cells_(1) {}

void DataGridModel::SetRowCount(int rows)
{
    rows = std::max(rows, 1);
    const int old = RowCount();
    if (rows == old)
        return;
    if (rows > old) {
        beginInsertRows(QModelIndex(), old, rows - 1);
        cells_.resize(rows);
        endInsertRows();
    } else {
        beginRemoveRows(QModelIndex(), rows, old - 1);
        cells_.resize(rows);
        cells_.shrink_to_fit();
        endRemoveRows();
    }
}

void DataGridModel::SetCell(int row, const QString& text)
{
    cells_[row] = text;
    const QModelIndex i = index(row, 0);
    emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : RowCount();
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return cells_[index.row()];
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    SetCell(index.row(), value.toString());
    return true;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}
