// Shows in a label the hint of the control under the mouse pointer in one window, or of its
// nearest enclosing control that has one. It follows the pointer itself (every move over the
// window), not only its entering a control, so a bare area shows the window's own hint.
#pragma once

#include <QObject>

class QLabel;
class QWidget;

class HintTracker : public QObject {
public:
    // Watches the whole application for pointer events over `window`.
    HintTracker(QWidget* window, QLabel* panel);
    ~HintTracker() override;

    // Shows the hint for the control at a global position; nothing outside the window.
    void ShowHintAt(const QPoint& global);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* window_;
    QLabel* panel_;
};
