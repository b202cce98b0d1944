// Spin buttons bound to an edit field, as desktops have them: the arrows, the Up and Down keys
// in the field and the mouse wheel over it step the number in the field by one, from the
// number it holds, and write it back as plain digits. A step that would leave the range does
// nothing: a number beyond the range (typed, or set by the program) is never clamped.
// PageUp and PageDown step by ten, stopping at the range's ends. Home and End go to the ends
// in a read-only field; in one that is typed into they move the text cursor, as in every text
// field (a jump there would empty the Data tab's buffer, or fill it with 100 million zeros).
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
    void Step(int delta);
    // Steps by delta, stopping at the range's ends.
    void StepWithin(int delta);
    // Goes to a number of the range.
    void GoTo(int value);

signals:
    void Stepped();  // the field holds a new number

protected:
    void resizeEvent(QResizeEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QLineEdit* associate_;
    int min_, max_;
    QToolButton* up_;
    QToolButton* down_;
};
