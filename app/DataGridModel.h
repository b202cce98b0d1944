// The one-column data grid as a view over DataBuffer: no item per cell. A row shows the text
// typed into it, else its buffer entry in the general format, formatted when drawn (rows added
// by a larger count show their new entry, 0, like every other). Typed texts are held sparsely
// and reach the buffer only when applied; the check for edits looks at them alone.
#pragma once

#include <QAbstractTableModel>
#include <map>
#include <utility>
#include <vector>

#include "Stat_Lib.h"

class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    DataGridModel(const TVector& buffer, char separator, QObject* parent = nullptr);

    int Rows() const { return rows_; }
    // The grid's row count (at least 1); rows beyond it are dropped with their texts.
    void SetRows(int rows);
    // Every row of the buffer shows its entry; typed texts are replaced. One model reset.
    void ShowBuffer();
    QString CellText(int row) const;

    // The first row below the buffer's length whose text differs from its entry in the
    // general format, as exact strings; -1 when none does.
    int FirstEdit() const;
    // The rows that differ, with their values; false at the first (in row order) whose text
    // does not parse, with its row in `bad`.
    bool ReadEdits(std::vector<std::pair<int, double>>& edits, int& bad) const;
    // After edits were applied: typed texts that now show just what the entry shows are no
    // longer held; the others stay as typed.
    void Applied(const std::vector<std::pair<int, double>>& edits);
    std::size_t HeldTexts() const { return typed_.size(); }

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QString Formatted(int row) const;
    int BufferRows() const;

    const TVector& buffer_;
    char separator_;
    int rows_ = 1;
    std::map<int, QString> typed_;   // texts typed into cells, by row
};
