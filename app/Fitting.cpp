// The fitting tab: the hypothesis with its parameters dialog, and the chi-square test.
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <algorithm>

#include "Controls.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Unit1.h"

namespace {
const QString EstimationError =
    QStringLiteral("An error has occured during parameters automatic estimation.");

// The row of a control named "E"i or "Ch"i: its last character.
QChar RowOf(const QObject* control)
{
    const QString name = control->objectName();
    return name.isEmpty() ? QChar() : name.back();
}

template <class W>
W* Partner(const QObject* control, const char* prefix)
{
    return control->parent()->findChild<W*>(QLatin1String(prefix) + RowOf(control),
                                            Qt::FindDirectChildrenOnly);
}
}  // namespace

// One handler behind the list, the rows' edits and boxes and the dialog's OK button; the
// sender's kind tells them apart, tested as edit, check box, push button, then the list.
void TForm1::ComboBox2Change(QObject* sender)
{
    const int position = ComboBox2->currentIndex();
    if (position < 0)
        return;
    const TDistKind kind = DistListKind[position];
    if (auto* edit = qobject_cast<QLineEdit*>(sender)) {
        if (auto* box = Partner<QCheckBox>(edit, "Ch"))
            box->setChecked(edit->text().isEmpty());
        return;
    }
    if (auto* box = qobject_cast<QCheckBox*>(sender)) {
        if (box->isChecked())
            if (auto* edit = Partner<QLineEdit>(box, "E"))
                edit->clear();
        return;
    }
    if (auto* button = qobject_cast<QPushButton*>(sender)) {
        ConfirmParams(static_cast<QDialog*>(button->window()), kind);
        return;
    }
    ChooseHypothesis(kind);
}

QDialog* TForm1::BuildParamsDialog(TDistKind kind)
{
    auto* dialog = new QDialog(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint);
    Name(dialog, "ParamsDialog", nullptr);
    dialog->setWindowTitle(QStringLiteral("Parameters estimation"));
    dialog->setFont(font());
    // Outer size 300 x 150: the client area inside a small caption and a thin border.
    constexpr int ClientWidth = 294, ClientHeight = 127;
    dialog->setFixedSize(ClientWidth, ClientHeight);
    CentreOnScreen(dialog);
    const int count = ParamCount(kind);
    for (int i = 0; i < count; ++i) {
        std::string name, hint;
        DistParamName(kind, i, name);
        DistParamHint(kind, i, hint);
        const std::string row = std::to_string(i);
        MakeLabel(dialog, ("L" + row).c_str(), 8, 24 * i + 8, (name + " = ").c_str(), nullptr);
        QLineEdit* edit = MakeEdit(dialog, ("E" + row).c_str(), {80, 24 * i, 120, 24}, "",
                                   hint.c_str(), false);
        auto* box = new QCheckBox(QStringLiteral("Auto"), dialog);
        Name(box, ("Ch" + row).c_str(), "Check if you want to estimate the parameter automatically.");
        box->move(208, 24 * i + 8);
        box->adjustSize();
        box->setChecked(true);
        // Connected only now: building the rows raises no event.
        Wire(edit, &QLineEdit::textChanged, this, [this](QObject* s) { ComboBox2Change(s); });
        Wire(box, &QCheckBox::toggled, this, [this](QObject* s) { ComboBox2Change(s); });
    }
    QPushButton* ok = MakeButton(dialog, "OK", {80, ClientHeight - 25 - 8, 75, 25}, "OK",
                                 "Click to confirm");
    ok->setAutoDefault(false);
    ok->setDefault(false);
    Wire(ok, &QPushButton::clicked, this, [this](QObject* s) { ComboBox2Change(s); });
    return dialog;
}

// A typed value is read and checked against the kind's bounds; the dialog closes only when no
// row is red. Later rows are not examined once one does not read.
void TForm1::ConfirmParams(QDialog* dialog, TDistKind kind)
{
    const char separator = DecimalSeparator();
    bool rejected = false;
    for (int i = 0; i < ParamCount(kind); ++i) {
        const QString row = QString::number(i);
        auto* box = dialog->findChild<QCheckBox*>("Ch" + row);
        auto* edit = dialog->findChild<QLineEdit*>("E" + row);
        if (box->isChecked())
            continue;
        SetFieldColour(edit, FieldColour::Neutral);
        double value = 0;
        if (!ParseNumber(edit->text().toStdString(), separator, value)) {
            SetFieldColour(edit, FieldColour::Rejected);
            return;
        }
        if (!DistParamValid(kind, i, value)) {
            SetFieldColour(edit, FieldColour::Rejected);
            rejected = true;
        }
    }
    if (!rejected)
        dialog->accept();
}

// A choice completes whole: the kind, its parameters, the estimated count, Edit6 and Edit10
// change together. A choice that does not complete (the close box, parameters on "Auto" that
// cannot be estimated, a floating-point fault in the estimation) clears the list's selection
// and leaves the previous hypothesis.
void TForm1::ChooseHypothesis(TDistKind kind)
{
    const int count = ParamCount(kind);
    TVector params = FitParams;
    params.resize(count);
    std::int32_t estimated = 0;
    if (count > 0) {
        const std::unique_ptr<QDialog> dialog(BuildParamsDialog(kind));
        if (dialog->exec() != QDialog::Accepted) {
            ComboBox2->setCurrentIndex(-1);
            return;
        }
        TParamSet which;
        const char separator = DecimalSeparator();
        for (int i = 0; i < count; ++i) {
            const QString row = QString::number(i);
            if (dialog->findChild<QCheckBox*>("Ch" + row)->isChecked()) {
                which.set(i);
                ++estimated;
            } else {
                ParseNumber(dialog->findChild<QLineEdit*>("E" + row)->text().toStdString(),
                            separator, params[i]);
            }
        }
        if (estimated > 0) {
            bool done = false;
            try {
                done = EstimateParams(kind, DataBuffer, params, which);
            } catch (...) {
                ComboBox2->setCurrentIndex(-1);
                throw;  // its message through the default error handler
            }
            if (!done) {
                CurrentPlatform().ShowMessage(EstimationError);
                ComboBox2->setCurrentIndex(-1);
                return;
            }
        }
    }
    FitKind = kind;
    FitParams = params;
    FitEstimatedCount = estimated;
    ShowText(Edit6, QString::fromStdString(ParamsLine(kind, params, DecimalSeparator())));
    ShowText(Edit10, QString::number(estimated));
}

// The run's categories, counts and expectations are formed aside and stored only once they
// are complete, so a fault in the hypothesised distribution leaves fields, chart and texts.
void TForm1::Button5Click()
{
    if (ComboBox2->currentIndex() < 0) {
        SetFieldColour(ComboBox2, FieldColour::Rejected);
        return;
    }
    SetFieldColour(ComboBox2, FieldColour::Neutral);
    const std::size_t n = DataBuffer.size();
    if (n < 3) {
        CurrentPlatform().ShowMessage(QStringLiteral("Buffer is empty."));
        return;
    }
    SetFieldColour(Edit7, FieldColour::Neutral);
    bool read = false;
    const int k = Edit7->text().toInt(&read);
    if (!read || k < 1) {
        SetFieldColour(Edit7, FieldColour::Rejected);
        return;
    }
    TFitResult run = ChiSquareFitTest(DataBuffer, FitKind, FitParams, FitEstimatedCount, k);
    HistBounds.swap(run.bounds);
    HistObserved.swap(run.observed);
    HistExpected.swap(run.expected);
    RadioButton3Click();

    QPalette verdict = Label17->palette();
    ShowText(Edit8, QString::fromStdString(run.verdict));
    ShowText(Edit11, QString::fromStdString(FitDetails(run, FitEstimatedCount, DecimalSeparator())));
    if (run.fatal) {
        ShowText(Edit9, QStringLiteral("N/A"));
        Label17->setText(QStringLiteral("N/A"));
        verdict.setColor(QPalette::WindowText, QColor(0, 0, 0));
    } else {
        ShowText(Edit9, QString::fromStdString(FormatGeneral(run.alpha, DecimalSeparator())));
        Label17->setText(run.rejected ? QStringLiteral("is rejected.")
                                      : QStringLiteral("can not be rejected."));
        verdict.setColor(QPalette::WindowText,
                         run.rejected ? QColor(255, 0, 0) : QColor(0, 0, 255));
    }
    Label17->setPalette(verdict);
    Label17->adjustSize();
    Panel4Resize();
}

// The found alpha's field grows leftward to show its whole text (a cut 1.00142116821189E-13
// read as 1.00142116), from its design width of 73 pixels.
void TForm1::Panel4Resize()
{
    constexpr int AlphaWidth = 73;
    const int W = Panel4->width();
    Edit9->resize(std::max(AlphaWidth, TextFitWidth(Edit9)), Edit9->height());
    Edit9->move(W - Edit9->width() - 8, Edit9->y());
    Label16->move(Edit9->x() - Label16->width() - 8, Label16->y());
    Edit11->resize(W - Edit11->x() - 8, Edit11->height());
    Edit8->resize(Label16->x() - Edit8->x() - 8, Edit8->height());
    for (QLineEdit* field : {Edit6, Edit8, Edit9, Edit11})
        RefreshTextTip(field);
}

void TForm1::WireFittingTab()
{
    Wire(ComboBox2, &QComboBox::activated, this, [this](QObject* s) { ComboBox2Change(s); });
    Wire(Button5, &QPushButton::clicked, this, [this] { Button5Click(); });
    WireSelected({RadioButton3, RadioButton4}, this, [this] { RadioButton3Click(); });
    Panel4->installEventFilter(this);
}
