#include "UpDown.h"

#include <QKeyEvent>
#include <algorithm>
#include <QLineEdit>
#include <QToolButton>
#include <QWheelEvent>

TUpDown::TUpDown(QWidget* parent, QLineEdit* associate, int min, int max, int position)
    : QWidget(parent), associate_(associate), min_(min), max_(max),
      up_(new QToolButton(this)), down_(new QToolButton(this))
{
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setIconSize(QSize(6, 6));
    }
    connect(up_, &QToolButton::clicked, this, [this] { Step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { Step(-1); });
    associate_->setText(QString::number(position));
    associate_->installEventFilter(this);
}

// A field that holds no number steps to the range's lower end.
void TUpDown::Step(int delta)
{
    bool ok = false;
    const long long value = associate_->text().toLongLong(&ok);
    const long long next = ok ? value + delta : min_;
    if (next < min_ || next > max_)
        return;
    associate_->setText(QString::number(next));
    emit Stepped();
}

void TUpDown::StepWithin(int delta)
{
    bool ok = false;
    const long long value = associate_->text().toLongLong(&ok);
    if (!ok) {
        GoTo(min_);
        return;
    }
    GoTo(static_cast<int>(std::clamp<long long>(value + delta, min_, max_)));
}

void TUpDown::GoTo(int value)
{
    const QString text = QString::number(value);
    if (text == associate_->text())
        return;
    associate_->setText(text);
    emit Stepped();
}

bool TUpDown::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != associate_ || !isEnabled())
        return false;
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
        if (key == Qt::Key_PageUp || key == Qt::Key_PageDown) {
            StepWithin(key == Qt::Key_PageUp ? 10 : -10);
            return true;
        }
        if ((key == Qt::Key_Home || key == Qt::Key_End) && associate_->isReadOnly()) {
            GoTo(key == Qt::Key_Home ? min_ : max_);
            return true;
        }
    } else if (event->type() == QEvent::Wheel) {
        const int dy = static_cast<QWheelEvent*>(event)->angleDelta().y();
        if (dy != 0)
            Step(dy > 0 ? 1 : -1);
        return true;
    }
    return false;
}

void TUpDown::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
