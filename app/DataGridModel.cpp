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
    shown_ = std::min(shown_, rows);
    typed_.erase(typed_.lower_bound(rows), typed_.end());
    endRemoveRows();
}

void DataGridModel::ShowBuffer()
{
    beginResetModel();
    rows_ = std::max<int>(1, static_cast<int>(buffer_.size()));
    shown_ = static_cast<int>(buffer_.size());
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
    if (row < shown_ && row < static_cast<int>(buffer_.size()))
        return Formatted(row);
    return QString();
}

int DataGridModel::FirstEdit() const
{
    const int rows = BufferRows();
    // A row that was never filled differs (its text is empty); the first one not typed over.
    int unfilled = shown_;
    for (auto t = typed_.lower_bound(shown_); t != typed_.end() && t->first == unfilled; ++t)
        ++unfilled;
    int first = unfilled < rows ? unfilled : -1;
    for (const auto& [row, text] : typed_) {
        if (row >= rows || (first >= 0 && row >= first))
            break;
        if (text != Formatted(row))
            return row;
    }
    return first;
}

bool DataGridModel::ReadEdits(std::vector<std::pair<int, double>>& edits, int& bad) const
{
    edits.clear();
    const int rows = BufferRows();
    auto typed = typed_.begin();
    double value = 0;
    // Typed rows in order, and the unfilled rows among them, whose empty text never parses.
    for (int row = 0; row < rows;) {
        if (typed != typed_.end() && typed->first == row) {
            if (typed->second != Formatted(row)) {
                if (!ParseNumber(typed->second.toStdString(), separator_, value)) {
                    bad = row;
                    return false;
                }
                edits.emplace_back(row, value);
            }
            ++typed;
            ++row;
        } else if (row >= shown_) {
            bad = row;
            return false;
        } else {
            // Rows that show their entries: nothing to read up to the next typed row.
            row = std::min(shown_, typed == typed_.end() ? rows : typed->first);
        }
    }
    return true;
}

void DataGridModel::Applied(const std::vector<std::pair<int, double>>& edits)
{
    for (const auto& [row, value] : edits) {
        const auto typed = typed_.find(row);
        if (typed != typed_.end() && row < shown_ && typed->second == Formatted(row))
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
