// The texts of the one-column data grid. The grid is only a view: its cells hold texts, which
// reach DataBuffer only when the user applies them. One string per row, no item objects, so
// the grid can show millions of rows.
#pragma once

#include <QAbstractTableModel>
#include <vector>

class DataGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit DataGridModel(QObject* parent = nullptr);

    int RowCount() const { return static_cast<int>(cells_.size()); }
    // At least one row is kept, as the grid always shows one.
    void SetRowCount(int rows);
    const QString& Cell(int row) const { return cells_[row]; }
    void SetCell(int row, const QString& text);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    std::vector<QString> cells_;
};
