#include "DataGridModel.h"

#include <algorithm>

#include "NumberFormat.h"

DataGridModel::DataGridModel(const TVector& buffer, char separator, QObject* parent)
    : QAbstractTableModel(parent), buffer_(buffer), separator_(separator)
{
}

int DataGridModel::BufferRows() const
{
    return static_cast<int>(std::min<std::size_t>(buffer_.size(), rows_));
}

void DataGridModel::SetRows(int rows)
{
    rows = std::max(rows, 1);
    const int old = rows_;
    if (rows == old)
        return;
    if (rows > old) {
        beginInsertRows(QModelIndex(), old, rows - 1);
        rows_ = rows;
        endInsertRows();
        return;
    }
    beginRemoveRows(QModelIndex(), rows, old - 1);
    rows_ = rows;
    typed_.erase(typed_.lower_bound(rows), typed_.end());
    endRemoveRows();
}

void DataGridModel::ShowBuffer()
{
    beginResetModel();
    rows_ = std::max<int>(1, static_cast<int>(buffer_.size()));
    typed_.clear();
    endResetModel();
}

QString DataGridModel::Formatted(int row) const
{
    return QString::fromStdString(FormatGeneral(buffer_[row], separator_));
}

QString DataGridModel::CellText(int row) const
{
    const auto typed = typed_.find(row);
    if (typed != typed_.end())
        return typed->second;
    if (row < static_cast<int>(buffer_.size()))
        return Formatted(row);
    return QString();
}

int DataGridModel::FirstEdit() const
{
    const int rows = BufferRows();
    for (const auto& [row, text] : typed_) {
        if (row >= rows)
            break;
        if (text != Formatted(row))
            return row;
    }
    return -1;
}

bool DataGridModel::ReadEdits(std::vector<std::pair<int, double>>& edits, int& bad) const
{
    edits.clear();
    const int rows = BufferRows();
    double value = 0;
    for (const auto& [row, text] : typed_) {
        if (row >= rows)
            break;
        if (text == Formatted(row))
            continue;
        if (!ParseNumber(text.toStdString(), separator_, value)) {
            bad = row;
            return false;
        }
        edits.emplace_back(row, value);
    }
    return true;
}

void DataGridModel::Applied(const std::vector<std::pair<int, double>>& edits)
{
    for (const auto& [row, value] : edits) {
        const auto typed = typed_.find(row);
        if (typed != typed_.end() && typed->second == Formatted(row))
            typed_.erase(typed);
        const QModelIndex i = index(row, 0);
        emit dataChanged(i, i, {Qt::DisplayRole, Qt::EditRole});
    }
}

int DataGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : rows_;
}

int DataGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1;
}

QVariant DataGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || (role != Qt::DisplayRole && role != Qt::EditRole))
        return {};
    return CellText(index.row());
}

bool DataGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole)
        return false;
    const QString text = value.toString();
    if (text == CellText(index.row()))
        return true;
    typed_[index.row()] = text;
    emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
    return true;
}

Qt::ItemFlags DataGridModel::flags(const QModelIndex& index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}
