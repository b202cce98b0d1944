// TForm2, the random generation dialog: created hidden at start and shown modally from the
// Data tab.
#pragma once

#include <QDialog>

#include "Stat_Lib.h"

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2();

    TDistKind GenKind = TDistKind::UniformStd;
    TVector GenParams;
};

extern TForm2* Form2;
