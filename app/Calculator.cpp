// The calculator tab: a distribution with its parameters, and the density, probability or
// quantile at one point.
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include "Controls.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamPrompt.h"
#include "ParamsLine.h"
#include "Platform.h"
#include "Unit1.h"

namespace {
QString Text(const std::string& s)
{
    return QString::fromStdString(s);
}
}  // namespace

char TForm1::DecimalSeparator() const
{
    return DecimalSeparatorOf(locale());
}

// A choice commits whole: the kind and its parameters change together, and only once every
// parameter was read. A cancelled or unreadable entry leaves both as they were. A completed
// choice returns the tab to the input state: the field the user typed (X or the probability)
// keeps its text and stays green, the other two are emptied, so that no number of the
// previous distribution stays on show and the next Calc computes for the new one.
void TForm1::ComboBox1Change()
{
    const int position = ComboBox1->currentIndex();
    if (position < 0)
        return;
    const TDistKind kind = DistListKind[position];
    TVector params;
    if (!PromptParams(kind, QStringLiteral("Enter parameter value"), DecimalSeparator(), params)) {
        CurrentPlatform().ShowMessage(QStringLiteral("Invalid number format."));
        ComboBox1->setCurrentIndex(-1);
        return;
    }
    CalcKind = kind;
    CalcParams = params;
    ShowText(Edit1, Text(ParamsLine(kind, params, DecimalSeparator())));
    QLineEdit* input = CalcFromProbability ? Edit4 : Edit2;
    for (QLineEdit* field : {Edit2, Edit3, Edit4})
        if (field != input)
            field->clear();
    SetFieldColour(input, FieldColour::Input);
}

void TForm1::Edit2Change()
{
    CalcFromProbability = false;
    Edit3->clear();
    Edit4->clear();
    SetFieldColour(Edit2, FieldColour::Input);
    SetFieldColour(Edit3, FieldColour::Neutral);
    SetFieldColour(Edit4, FieldColour::Neutral);
}

void TForm1::Edit4Change()
{
    CalcFromProbability = true;
    Edit2->clear();
    Edit3->clear();
    SetFieldColour(Edit2, FieldColour::Neutral);
    SetFieldColour(Edit3, FieldColour::Neutral);
    SetFieldColour(Edit4, FieldColour::Input);
}

void TForm1::Button1Click()
{
    if (ComboBox1->currentIndex() < 0)
        return;
    const BusyCursor busy;
    const char sep = DecimalSeparator();
    if (Edit4->text().isEmpty()) {
        double x = 0;
        if (!ParseNumber(Edit2->text().toStdString(), sep, x)) {
            SetFieldColour(Edit2, FieldColour::Rejected);
            return;
        }
        CalcX = x;
        SetFieldColour(Edit2, FieldColour::Input);
        CalcDensity = DistEval(CalcKind, TDistFunc::Density, CalcParams, CalcX);
        CalcProbability = DistEval(CalcKind, TDistFunc::Distribution, CalcParams, CalcX);
        Edit3->setText(Text(FormatResult(CalcDensity, sep)));
        Edit4->setText(Text(FormatResult(CalcProbability, sep)));
        Button2Click();
        return;
    }
    if (!Edit2->text().isEmpty()) {
        Button2Click();
        return;
    }
    double p = 0;
    if (!ParseNumber(Edit4->text().toStdString(), sep, p)) {
        SetFieldColour(Edit4, FieldColour::Rejected);
        return;
    }
    CalcProbability = p;
    if (CalcProbability < 0 || CalcProbability > 1) {
        SetFieldColour(Edit4, FieldColour::Rejected);
        return;
    }
    SetFieldColour(Edit4, FieldColour::Input);
    CalcX = DistEval(CalcKind, TDistFunc::Inverse, CalcParams, CalcProbability);
    CalcDensity = DistEval(CalcKind, TDistFunc::Density, CalcParams, CalcX);
    Edit2->setText(Text(FormatResult(CalcX, sep)));
    Edit3->setText(Text(FormatResult(CalcDensity, sep)));
    Button2Click();
}

bool TForm1::Edit2KeyPress(int key)
{
    if (key >= 0 && key <= 8)
        return true;
    if (key == '+' || key == ',' || key == '-' || key == '.' || key == 'E' || key == 'e')
        return true;
    if (key >= '0' && key <= '9')
        return true;
    if (key == 13) {
        RunHandler([this] { Button1Click(); });
        return true;
    }
    return false;
}

void TForm1::WireCalculator()
{
    Wire(ComboBox1, &QComboBox::activated, this, [this] { ComboBox1Change(); });
    Wire(Edit2, &QLineEdit::textEdited, this, [this] { Edit2Change(); });
    Wire(Edit4, &QLineEdit::textEdited, this, [this] { Edit4Change(); });
    Wire(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Wire(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    WireSelected({RadioButton1, RadioButton2}, this, [this] { RadioButton1Click(); });
    Edit2->installEventFilter(this);
    Edit4->installEventFilter(this);
}
