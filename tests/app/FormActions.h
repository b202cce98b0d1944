// What the window tests do to the main window as a user would.
#pragma once

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QTimer>

#include "Unit1.h"

// Chooses `kind` as the fitting tab's hypothesis with every parameter on "Auto": the
// parameters dialog that the choice opens is accepted as it comes.
inline void ChooseOnAuto(TForm1& form, TDistKind kind)
{
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->findChild<QPushButton*>("OK")->click();
    });
    form.ComboBox2->setCurrentIndex(KindIndex(kind));
    emit form.ComboBox2->activated(KindIndex(kind));
}
