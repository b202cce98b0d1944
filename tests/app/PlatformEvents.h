// Events delivered as the window system delivers them: through the platform window, with the
// texts X11 attaches to keys (Tab "\t", Delete "\x7f", Enter "\r"), so that every filter of
// the application sees them the way a user's keys and pointer reach it.
#pragma once

#include <QApplication>
#include <QTest>
#include <QWidget>
#include <QWindow>

// Shows the window, makes it active and waits until it can take input.
inline bool ShowActive(QWidget* window)
{
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// Presses and releases a key with the X11 text, delivered to the focused widget of the
// active window.
inline void PressKey(QWidget* window, Qt::Key key, const QString& text,
                     Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWindow* w = window->windowHandle();
    qt_handleKeyEvent(w, QEvent::KeyPress, key, modifiers, text, false, 1);
    qt_handleKeyEvent(w, QEvent::KeyRelease, key, modifiers, text, false, 1);
    QApplication::processEvents();
}

// A left click at a point of a widget, through its window.
inline void ClickAt(QWidget* widget, QPoint at)
{
    QWidget* window = widget->window();
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier,
                      widget->mapTo(window, at));
    QApplication::processEvents();
}

// Types text into the focused widget, one key per character, as X11 delivers them.
inline void TypeKeys(QWidget* window, const QString& text)
{
    for (QChar c : text) {
        const int key = c.toUpper().unicode();
        QWindow* w = window->windowHandle();
        qt_handleKeyEvent(w, QEvent::KeyPress, key, Qt::NoModifier, QString(c), false, 1);
        qt_handleKeyEvent(w, QEvent::KeyRelease, key, Qt::NoModifier, QString(c), false, 1);
    }
    QApplication::processEvents();
}

// Moves the pointer (no button held) onto a point of a widget.
inline void MovePointer(QWidget* widget, QPoint at)
{
    QWidget* window = widget->window();
    QTest::mouseMove(window->windowHandle(), widget->mapTo(window, at));
    QApplication::processEvents();
}
