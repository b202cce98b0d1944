// TForm2, the random generation dialog: created hidden at start and shown modally from the
// Data tab. "Generate now" replaces the main window's buffer whole and closes with OK.
#pragma once

#include <QDialog>

#include "Stat_Lib.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TExpGen;

class TForm2 : public QDialog {
    Q_OBJECT
public:
    TForm2();

    QLabel *Label1, *Label2, *Label3, *Label4;
    QLineEdit *Edit1, *Edit2;
    QComboBox* ComboBox1;
    QRadioButton *RadioButton1, *RadioButton2, *RadioButton3;
    QPushButton* Button1;

    TDistKind GenKind = TDistKind::UniformStd;
    TVector GenParams;
    TExpGen* GenThread = nullptr;  // the experimental method's thread while it runs

    // The numbers of the last completed generation, swapped into `into`; false (and `into`
    // untouched) when no generation completed since they were last taken.
    bool TakeNumbers(TVector& into);

public slots:
    void FormCreate();
    void ComboBox1Change();
    void Button1Click();

private:
    TVector Numbers;
    bool HasNumbers = false;
    // The list position of the distribution last picked whole (-1: none).
    int GenListIndex = -1;

    // The numbers of the chosen method into `result`; false when the user cancelled.
    bool Generate(std::size_t count, TVector& result);
    bool GenerateExperimental(std::size_t count, TVector& result);
};

extern TForm2* Form2;
