#include "UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <algorithm>

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
}

int TUpDown::Position() const
{
    bool ok = false;
    const int value = associate_->text().toInt(&ok);
    return ok ? std::clamp(value, min_, max_) : min_;
}

void TUpDown::Step(int delta)
{
    const int next = std::clamp(Position() + delta, min_, max_);
    associate_->setText(QString::number(next));
}

void TUpDown::resizeEvent(QResizeEvent*)
{
    const int half = height() / 2;
    up_->setGeometry(0, 0, width(), half);
    down_->setGeometry(0, half, width(), height() - half);
}
