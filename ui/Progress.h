// Long work in the user-interface thread that keeps the windows painting: after half a second a
// modal progress dialog with Cancel appears, and events are processed between steps.
#pragma once

#include <QString>
#include <functional>

class QWidget;

// Runs step() until it returns true. progress() gives the share done, 0 to 1, or a negative
// value when it is unknown. False when the user cancelled (the work is then left unfinished).
bool RunWithProgress(QWidget* parent, const QString& text, const std::function<bool()>& step,
                     const std::function<double()>& progress);

// The same for work running on threads of its own: waits, a few milliseconds at a time, until
// done() holds. False when the user cancelled (the caller then cancels the work).
bool WaitWithProgress(QWidget* parent, const QString& text, const std::function<bool()>& done,
                      const std::function<double()>& progress);

// How long work runs before the progress dialog is shown, in milliseconds.
constexpr int ProgressDelay = 500;
