#include "Progress.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressDialog>
#include <chrono>
#include <memory>
#include <thread>

bool RunWithProgress(QWidget* parent, const QString& text, const std::function<bool()>& step,
                     const std::function<double()>& progress)
{
    QElapsedTimer clock;
    clock.start();
    std::unique_ptr<QProgressDialog> dialog;
    while (!step()) {
        if (!dialog && clock.elapsed() >= ProgressDelay) {
            dialog = std::make_unique<QProgressDialog>(text, QStringLiteral("Cancel"), 0, 1000,
                                                       parent);
            dialog->setObjectName(QStringLiteral("Progress"));
            dialog->setWindowModality(Qt::ApplicationModal);
            dialog->setAutoClose(false);
            dialog->setAutoReset(false);
            dialog->setMinimumDuration(0);
            dialog->show();
        }
        if (!dialog)
            continue;
        const double share = progress();
        if (share < 0)
            dialog->setRange(0, 0);
        else
            dialog->setValue(static_cast<int>(share * 1000));
        QApplication::processEvents();
        if (dialog->wasCanceled())
            return false;
    }
    return true;
}

bool WaitWithProgress(QWidget* parent, const QString& text, const std::function<bool()>& done,
                      const std::function<double()>& progress)
{
    return RunWithProgress(
        parent, text,
        [&done] {
            if (!done())
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            return done();
        },
        progress);
}
