// Spin buttons bound to an edit field: each click steps the number in the field by one within
// the range and writes it back as plain digits.
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(QWidget* parent, QLineEdit* associate, int min, int max, int position);

    int Min() const { return min_; }
    int Max() const { return max_; }
    int Position() const;
    void Step(int delta);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QLineEdit* associate_;
    int min_, max_;
    QToolButton* up_;
    QToolButton* down_;
};
