#include "HintTracker.h"

#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

HintTracker::HintTracker(QWidget* window, QLabel* panel)
    : QObject(window), window_(window), panel_(panel)
{
    qApp->installEventFilter(this);
}

HintTracker::~HintTracker()
{
    qApp->removeEventFilter(this);
}

void HintTracker::ShowHintAt(const QPoint& global)
{
    const QPoint local = window_->mapFromGlobal(global);
    if (!window_->rect().contains(local))
        return;
    for (QWidget* w = window_->childAt(local); w && w != window_; w = w->parentWidget()) {
        if (!w->statusTip().isEmpty()) {
            panel_->setText(w->statusTip());
            return;
        }
    }
    panel_->setText(window_->statusTip());
}

bool HintTracker::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::MouseMove && type != QEvent::Enter)
        return false;
    // Pointer events reach the window's platform window first, and then a widget only when it
    // tracks the mouse; enter events reach the widgets.
    const bool ours = watched->isWidgetType()
                          ? static_cast<QWidget*>(watched)->window() == window_
                          : watched == window_->windowHandle();
    if (!ours)
        return false;
    const auto* pointer = static_cast<const QSinglePointEvent*>(event);
    ShowHintAt(pointer->globalPosition().toPoint());
    return false;
}
