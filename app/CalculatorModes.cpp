// The calculator's rows below the described ones: the probability the chart shades (below x,
// above x, between x and b, or the two tails) with its inverse, the law's moments, the values
// below the least double shown from their logarithms, and the distribution list that browses
// without prompting.
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>
#include <cfloat>
#include <cmath>

#include "CalculatorValues.h"
#include "Controls.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "Unit1.h"

namespace {
bool TwoBounds(TProbability mode)
{
    return mode == TProbability::Between || mode == TProbability::Outside;
}

std::string MomentText(double v, char sep)
{
    if (std::isnan(v))
        return "does not exist";
    if (std::isinf(v))
        return v > 0 ? "infinite" : "-infinite";
    return FormatDigits(v, 10, sep);
}
// A value that is not 0 but lies below the least double, whose logarithm is not formed.
std::string LeastDoubleBound(char sep)
{
    return std::string("< 4") + sep + "9E-324";
}
}  // namespace

std::string ShownDensity(TDistKind kind, const TVector& params, double x, char sep)
{
    const double value = DistEval(kind, TDistFunc::Density, params, x);
    if (!(value == 0))
        return FormatShownResult(value, sep);
    const double log = DistLogDensity(kind, params, x);
    if (std::isnan(log))
        return FormatShownResult(0, sep);
    return std::isfinite(log) ? FormatFromLog(log, sep) : LeastDoubleBound(sep);
}

std::string ShownProbability(TDistKind kind, const TVector& params, TProbability what, double a,
                             double b, char sep)
{
    const double value = DistProbability(kind, params, what, a, b);
    if (!(value < DBL_MIN) || value < 0)
        return FormatShownResult(value, sep);
    double log = 0;
    if (DistLogProbability(kind, params, what, a, b, log))
        return std::isfinite(log) ? FormatFromLog(log, sep) : FormatShownResult(0, sep);
    // Below the doubles, its logarithm not formed: the subnormal double, or a bound.
    return value > 0 ? FormatShownResult(value, sep) : LeastDoubleBound(sep);
}

void TForm1::BuildCalculatorModes()
{
    const char* modeHint =
        "Select the probability to show and shade: below x, above x, between x and b, or the "
        "two tails below x and above b";
    const char* bHint = "Upper bound b of the interval and of the two tails";
    const char* valueHint =
        "Probability of the chosen event (type a central probability, or the two tails' sum, "
        "to find x and b with equal tails)";
    const char* momentsHint =
        "Mean, standard deviation, median, mode, skewness and excess kurtosis of the distribution";
    Label31 = MakeLabel(Panel1, "Label31", 8, 120, "Probability of", modeHint);
    ComboBox3 = MakeList(Panel1, "ComboBox3", {112, 112, 169, 24}, modeHint);
    for (const char* item : {"X <= x", "X > x", "x < X <= b", "X <= x or X > b"})
        ComboBox3->addItem(QString::fromUtf8(item));
    ComboBox3->setCurrentIndex(0);
    Label33 = MakeLabel(Panel1, "Label33", 296, 120, "is", valueHint);
    Edit21 = MakeEdit(Panel1, "Edit21", {344, 112, 97, 24}, "", valueHint, false);
    Label32 = MakeLabel(Panel1, "Label32", 8, 144, "b", bHint);
    Edit20 = MakeEdit(Panel1, "Edit20", {112, 136, 97, 24}, "", bHint, false);
    Edit20->setEnabled(false);
    Label34 = MakeLabel(Panel1, "Label34", 8, 168, "Moments", momentsHint);
    Edit22 = MakeEdit(Panel1, "Edit22", {112, 160, 393, 24}, "", momentsHint, true);
    for (auto [label, field] : {std::pair<QLabel*, QWidget*>{Label31, ComboBox3}, {Label32, Edit20},
                                {Label33, Edit21}, {Label34, Edit22}})
        NameField(label, field);
    // After the described fields: the mode, its bound, its value, the moments.
    TabChain({RadioButton2, ComboBox3, Edit20, Edit21, Edit22});
    Wire(ComboBox3, &QComboBox::activated, this, [this] { ComboBox3Change(); });
    Wire(Edit20, &QLineEdit::textEdited, this, [this] { Edit20Change(); });
    Wire(Edit21, &QLineEdit::textEdited, this, [this] { Edit21Change(); });
    for (QLineEdit* field : {Edit20, Edit21})
        field->installEventFilter(this);
    ComboBox1->installEventFilter(this);
}

// A new mode keeps what the user typed: a typed probability of the old mode is asked again
// (the fields it gave are emptied), values at x give the new mode's probability at once.
void TForm1::ComboBox3Change()
{
    CalcMode = static_cast<TProbability>(std::max(0, ComboBox3->currentIndex()));
    Edit20->setEnabled(TwoBounds(CalcMode));
    if (!TwoBounds(CalcMode)) {
        Edit20->clear();
        SetFieldColour(Edit20, FieldColour::Neutral);
        CalcHasB = false;
    }
    if (CalcInput == Edit21) {
        SelectCalcInput(Edit21);
        return;
    }
    if (ComboBox1->currentIndex() >= 0 && !Edit2->text().isEmpty() && !Edit4->text().isEmpty() &&
        ShowModeProbability())
        DrawChart();
    else
        Edit21->clear();
}

void TForm1::Edit20Change()
{
    if (CalcInput == Edit21)
        SelectCalcInput(Edit2);
    Edit21->clear();
    SetFieldColour(Edit20, FieldColour::Input);
}

void TForm1::Edit21Change()
{
    SelectCalcInput(Edit21);
}

bool TForm1::ShowModeProbability()
{
    const char sep = DecimalSeparator();
    CalcHasB = false;
    if (TwoBounds(CalcMode)) {
        if (Edit20->text().isEmpty()) {
            Edit21->clear();
            return true;
        }
        double b = 0;
        if (!ParseNumber(Edit20->text().toStdString(), sep, b) || !(b >= CalcX)) {
            SetFieldColour(Edit20, FieldColour::Rejected);
            Edit21->clear();
            return false;
        }
        SetFieldColour(Edit20, FieldColour::Input);
        CalcB = b;
        CalcHasB = true;
    }
    ShowText(Edit21, QString::fromStdString(ShownProbability(CalcKind, CalcParams, CalcMode, CalcX, CalcB, sep)));
    return true;
}

// The typed probability of the mode: x (and b) with equal tails. Below and above x as the
// probability and the upper tail give them; a central probability c leaves (1 - c) / 2 in each
// tail, two tails of sum a leave a / 2 each.
bool TForm1::InvertModeProbability()
{
    const char sep = DecimalSeparator();
    double p = 0;
    if (!ParseNumber(Edit21->text().toStdString(), sep, p) || p < 0 || p > 1) {
        SetFieldColour(Edit21, FieldColour::Rejected);
        return false;
    }
    SetFieldColour(Edit21, FieldColour::Input);
    CalcHasB = TwoBounds(CalcMode);
    const double tail = CalcMode == TProbability::Between ? (1 - p) / 2 : p / 2;
    switch (CalcMode) {
    case TProbability::Below:
        CalcX = DistEval(CalcKind, TDistFunc::Inverse, CalcParams, p);
        break;
    case TProbability::Above:
        CalcX = DistUpperInverse(CalcKind, CalcParams, p);
        break;
    case TProbability::Between:
    case TProbability::Outside:
        CalcX = DistEval(CalcKind, TDistFunc::Inverse, CalcParams, tail);
        CalcB = DistUpperInverse(CalcKind, CalcParams, tail);
        ShowText(Edit20, QString::fromStdString(FormatResult(CalcB, sep)));
        SetFieldColour(Edit20, FieldColour::Neutral);
        break;
    }
    return true;
}

void TForm1::ShowMoments()
{
    const char sep = DecimalSeparator();
    const TMoments m = DistMoments(CalcKind, CalcParams);
    const std::string line = "mean " + MomentText(m.mean, sep) + "; sd " + MomentText(m.sd, sep) +
                             "; median " + MomentText(m.median, sep) + "; mode " +
                             MomentText(m.mode, sep) + "; skewness " +
                             MomentText(m.skewness, sep) + "; excess kurtosis " +
                             MomentText(m.kurtosis, sep);
    ShowText(Edit22, QString::fromStdString(line));
    Edit22->setToolTip(QString::fromStdString(line));
}

bool TForm1::CalcListFilter(QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && CalcBrowsePending) {
            CommitCalcBrowse();
            return true;
        }
        if (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
            key->modifiers() & (Qt::AltModifier | Qt::ControlModifier))
            return false;  // leaving the list, or opening its popup
        [[fallthrough]];
    }
    case QEvent::Wheel: {
        // The list moves as it would; the change waits for the commit, which leaving the list
        // gives: a list without the focus is not moved by the wheel.
        if (event->type() == QEvent::Wheel && !ComboBox1->hasFocus())
            return true;
        CalcBrowsing = true;
        const bool handled = static_cast<QObject*>(ComboBox1)->event(event);
        CalcBrowsing = false;
        return handled || event->type() == QEvent::Wheel;
    }
    case QEvent::FocusOut:
        if (CalcBrowsePending && static_cast<QFocusEvent*>(event)->reason() != Qt::PopupFocusReason)
            QTimer::singleShot(0, this, [this] { CommitCalcBrowse(); });
        return false;
    default:
        return false;
    }
}

void TForm1::CommitCalcBrowse()
{
    if (!CalcBrowsePending)
        return;
    CalcBrowsePending = false;
    ComboBox1Change();
}
