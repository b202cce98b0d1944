// The fitting tab's handlers: the hypothesis with its parameters dialog, the chi-square test
// run by "Execute", and the result fields fitted to the tab's width.
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <algorithm>
#include <cmath>
#include <memory>

#include "Controls.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Progress.h"
#include "Unit1.h"
#include "UpDown.h"

namespace {
// As listed, "occured" included.
const QString EstimationError =
    QStringLiteral("An error has occured during parameters automatic estimation.");
}  // namespace

// The parameters dialog of one choice: a row per parameter with its value ("E"i) and its
// "Auto" box ("Ch"i). It keeps its rows, so that they are read through it, not by name.
class TParamsDialog : public QDialog {
public:
    TParamsDialog() : QDialog(nullptr, Qt::Tool | Qt::MSWindowsFixedSizeDialogHint) {}

    std::vector<QLineEdit*> Values;
    std::vector<QCheckBox*> Autos;

    // The row of one of the rows' controls; -1 for another.
    int RowOf(const QObject* control) const
    {
        for (std::size_t i = 0; i < Values.size(); ++i)
            if (control == Values[i] || control == Autos[i])
                return static_cast<int>(i);
        return -1;
    }

    // What the user chose: the typed values (read in the locale's format) into params, and
    // the rows left on "Auto" into which; returns how many those are.
    int Chosen(char separator, TVector& params, TParamSet& which) const
    {
        int estimated = 0;
        for (std::size_t i = 0; i < Values.size(); ++i) {
            if (Autos[i]->isChecked()) {
                which.set(i);
                ++estimated;
            } else {
                ParseNumber(Values[i]->text().toStdString(), separator, params[i]);
            }
        }
        return estimated;
    }
};

// One handler behind the list, the rows' edits and boxes and the dialog's OK button; the
// sender's kind tells them apart, tested as edit, check box, push button, then the list.
void TForm1::ComboBox2Change(QObject* sender)
{
    const int position = ComboBox2->currentIndex();
    if (position < 0)
        return;
    const TDistKind kind = DistListKind[position];
    auto* dialog = sender ? dynamic_cast<TParamsDialog*>(sender->parent()) : nullptr;
    const int row = dialog ? dialog->RowOf(sender) : -1;
    if (auto* edit = qobject_cast<QLineEdit*>(sender)) {
        if (row >= 0)
            dialog->Autos[row]->setChecked(edit->text().isEmpty());
        return;
    }
    if (auto* box = qobject_cast<QCheckBox*>(sender)) {
        if (box->isChecked() && row >= 0)
            dialog->Values[row]->clear();
        return;
    }
    if (qobject_cast<QPushButton*>(sender)) {
        if (dialog)
            ConfirmParams(dialog, kind);
        return;
    }
    ChooseHypothesis(kind);
}

TParamsDialog* TForm1::BuildParamsDialog(TDistKind kind)
{
    auto* dialog = new TParamsDialog;
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
        QLabel* label = MakeLabel(dialog, ("L" + row).c_str(), 8, 24 * i + 8,
                                  (name + " = ").c_str(), nullptr);
        QLineEdit* edit = MakeEdit(dialog, ("E" + row).c_str(), {80, 24 * i, 120, 24}, "",
                                   hint.c_str(), false);
        NameField(label, edit);
        auto* box = new QCheckBox(QStringLiteral("Auto"), dialog);
        Name(box, ("Ch" + row).c_str(), "Check if you want to estimate the parameter automatically.");
        box->move(208, 24 * i + 8);
        box->adjustSize();
        box->setChecked(true);
        dialog->Values.push_back(edit);
        dialog->Autos.push_back(box);
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

// A typed value is read, then checked against the catalogue's bounds (DistParamValid, the
// listed check) and against the kind's rule (DistParamRefusal, which the calculator's and the
// generation dialog's prompts ask too): a value either refuses turns red, and the first the rule
// refuses is told with the rule's message. The dialog closes only when no row is red. Later
// rows are not examined once one does not read.
void TForm1::ConfirmParams(TParamsDialog* dialog, TDistKind kind)
{
    const char separator = DecimalSeparator();
    const int count = ParamCount(kind);
    // The values typed so far, for the tie between parameters (max above min); not known once
    // a row is left on "Auto", whose estimate is checked after the estimation.
    TVector typed(count, 0);
    bool allTyped = true;
    bool rejected = false;
    std::string refusal;
    for (int i = 0; i < count; ++i) {
        QCheckBox* box = dialog->Autos[i];
        QLineEdit* edit = dialog->Values[i];
        if (box->isChecked()) {
            allTyped = false;
            continue;
        }
        SetFieldColour(edit, FieldColour::Neutral);
        double value = 0;
        if (!ParseNumber(edit->text().toStdString(), separator, value)) {
            SetFieldColour(edit, FieldColour::Rejected);
            return;
        }
        typed[i] = value;
        const std::string why =
            DistParamRefusal(kind, i, value, allTyped ? typed : TVector{}, separator);
        if (!DistParamValid(kind, i, value) || !why.empty()) {
            SetFieldColour(edit, FieldColour::Rejected);
            rejected = true;
        }
        if (refusal.empty())
            refusal = why;
    }
    if (!refusal.empty())
        CurrentPlatform().ShowMessage(dialog, QString::fromStdString(refusal));
    if (!rejected)
        dialog->accept();
}

// A choice completes whole: the kind, its parameters, the estimated count, Edit6 and Edit10
// change together. Edit10 says how many parameters were estimated; FitEstimatedCount ("Np" in
// the details) is what the test subtracts from its degrees of freedom: the estimates that use
// one up (not whole degrees of freedom, nor the sample's extremes). A choice that does not
// complete (the close box, parameters on "Auto" that cannot be estimated, with the message
// saying which and why, estimates that break a tie with typed values, a floating-point fault in
// the estimation) clears the list's selection and leaves the previous hypothesis.
void TForm1::ChooseHypothesis(TDistKind kind)
{
    const int count = ParamCount(kind);
    TVector params = FitParams;
    params.resize(count);
    TParamSet which;
    if (count > 0) {
        const std::unique_ptr<TParamsDialog> dialog(BuildParamsDialog(kind));
        if (dialog->exec() != QDialog::Accepted) {
            ComboBox2->setCurrentIndex(-1);
            return;
        }
        const int estimated = dialog->Chosen(DecimalSeparator(), params, which);
        if (estimated > 0) {
            // On a thread of its own: a threshold's profile over a million numbers takes
            // seconds, and Cancel leaves the choice as the close box does.
            struct TEstimated {
                bool done = false;
                TVector params;
                std::string refusal;
            };
            const auto job = Background.Start<TEstimated>([data = DataBuffer, kind, params, which] {
                TEstimated e{false, params, {}};
                e.done = EstimateParams(kind, data, e.params, which, e.refusal);
                return e;
            });
            if (!WaitWithProgress(this, QStringLiteral("Estimating the parameters..."),
                                  [&job] { return job->done.load(); }, [] { return -1.0; })) {
                ComboBox2->setCurrentIndex(-1);
                return;
            }
            try {
                params = job->Result().params;
            } catch (...) {
                ComboBox2->setCurrentIndex(-1);
                throw;  // its message through the default error handler
            }
            if (!job->result.done) {
                const std::string& refusal = job->result.refusal;
                CurrentPlatform().ShowMessage(
                    this, refusal.empty() ? EstimationError : QString::fromStdString(refusal));
                ComboBox2->setCurrentIndex(-1);
                return;
            }
            // Estimates beside typed values may break a tie with them (an estimated min above
            // a typed max). Estimates alone stand as they come: the uniform's ends of a buffer
            // of equal values are equal, and its test is "fatally not satisfied".
            const std::string broken = estimated < count
                                           ? DistParamsRefusal(kind, params, DecimalSeparator())
                                           : std::string();
            if (!broken.empty()) {
                CurrentPlatform().ShowMessage(this, QString::fromStdString(broken));
                ComboBox2->setCurrentIndex(-1);
                return;
            }
        }
    }
    SetHypothesis(kind, params, which);
}

void TForm1::SetHypothesis(TDistKind kind, const TVector& params, const TParamSet& estimated)
{
    FitKind = kind;
    FitParams = params;
    FitEstimatedCount = DistFreedomUsed(kind, estimated);
    FitEstimated = estimated;
    ShowText(Edit6, QString::fromStdString(ParamsLine(kind, params, DecimalSeparator())));
    int estimatedCount = 0;
    for (int i = 0; i < ParamCount(kind); ++i)
        estimatedCount += estimated[i];
    ShowText(Edit10, QString::number(estimatedCount));
    FollowCategoryDefault();
}

// The run's categories, counts and expectations, the tests on the empirical distribution
// function and the plot points are formed aside and stored only once they are complete, so a
// fault in the hypothesised distribution or a cancelled test leaves fields, chart and texts.
void TForm1::Button5Click()
{
    if (ComboBox2->currentIndex() < 0) {
        SetFieldColour(ComboBox2, FieldColour::Rejected);
        return;
    }
    SetFieldColour(ComboBox2, FieldColour::Neutral);
    const std::size_t n = DataBuffer.size();
    if (n < 3) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Buffer is empty."));
        return;
    }
    int k = 0;
    if (!ReadCategoryCount(k))
        return;
    // The intervals, the chi-square and the tests run beside the window (a threshold's
    // grouped likelihood or intervals over many values take seconds).
    TRunFit fitted{DataBuffer, FitKind, FitParams, FitEstimated, true};
    const auto intervals = StartIntervals(fitted, IntervalLevel);
    // Estimated parameters are refitted to these categories (the statistic's degrees of
    // freedom hold with those); the shown estimates stay those of the raw data.
    struct TChiSquare {
        bool refitted = false;
        TFitResult fit;
    };
    const auto chiSquare = Background.Start<TChiSquare>([fitted, used = FitEstimatedCount, k] {
        TChiSquare c;
        TVector params = fitted.params;
        c.refitted = RefitToCategories(fitted.data, fitted.kind, params, fitted.estimated, k);
        if (c.refitted)
            c.fit = ChiSquareFitTest(fitted.data, fitted.kind, params, used, k);
        return c;
    });
    if (!WaitWithProgress(this, QStringLiteral("Testing the buffered data..."),
                          [&chiSquare] { return chiSquare->done.load(); }, [] { return -1.0; }))
        return;  // cancelled: the last run's results stay
    if (!chiSquare->Result().refitted) {
        CurrentPlatform().ShowMessage(
            this, QStringLiteral("The estimates cannot be refitted to %1 categories.").arg(k));
        return;
    }
    TFitResult fit = std::move(chiSquare->result.fit);
    TEdfResult edf;
    TVector sorted;
    if (!RunEdfTests(edf, sorted, [&intervals] { return intervals->done.load(); }))
        return;  // cancelled: the last run's results stay
    TQuantilePairs pairs = QuantilePairs(sorted, FitKind, FitParams, QuantilePlotPoints);
    if (edf.n > 0)
        AddQuantileBand(pairs, FitKind, FitParams, edf.bandKS / std::sqrt(double(edf.n)));
    LastFit = std::move(fit);
    LastEdf = edf;
    LastQuantiles = std::move(pairs);
    LastRunFit = std::move(fitted);
    KeepIntervals(*intervals);
    const TFitResult& run = LastFit;
    RadioButton3Click();
    ShowEdfResults();

    ShowText(Edit8, QString::fromStdString(run.verdict));
    ShowText(Edit11, QString::fromStdString(FitDetails(run, FitEstimatedCount, DecimalSeparator())));
    if (run.fatal) {
        ShowText(Edit9, QStringLiteral("N/A"));
        Label17->setText(QStringLiteral("N/A"));
        VerdictColour = QColor(0, 0, 0);
    } else {
        ShowText(Edit9, QString::fromStdString(FormatGeneral(run.alpha, DecimalSeparator())));
        Label17->setText(run.rejected ? QStringLiteral("is rejected.")
                                      : QStringLiteral("can not be rejected."));
        VerdictColour = run.rejected ? QColor(255, 0, 0) : QColor(0, 0, 255);
    }
    ShowTextColours();
    Label17->adjustSize();
    Panel4Resize();
}

bool TForm1::ReadCategoryCount(int& k)
{
    SetFieldColour(Edit7, FieldColour::Neutral);
    bool read = false;
    k = Edit7->text().toInt(&read);
    if (!read || k < UpDown2->Min() || k > UpDown2->Max()) {
        SetFieldColour(Edit7, FieldColour::Rejected);
        return false;
    }
    return true;
}

void TForm1::Edit7Apply()
{
    int k = 0;
    ReadCategoryCount(k);
}

void TForm1::FollowCategoryDefault()
{
    if (CategoriesSetByUser)
        return;
    Edit7->setText(QString::number(DefaultCategoryCount(DataBuffer.size(), FitEstimatedCount)));
    SetFieldColour(Edit7, FieldColour::Neutral);
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
    Button11->move(W - Button11->width() - 8, Button11->y());
    for (QLineEdit* field : {Edit6, Edit8, Edit9, Edit11})
        RefreshTextTip(field);
}
