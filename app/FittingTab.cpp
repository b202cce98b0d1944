// The fitting tab: its build and wiring, the hypothesis with its parameters dialog, the
// chi-square test, and its histogram (observed counts as red bars, expected counts as a blue
// line, per category or cumulated, each category at its upper bound).
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QValueAxis>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "Controls.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Unit1.h"
#include "UpDown.h"

namespace {
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

// A typed value is read and checked against the kind's bounds; the dialog closes only when no
// row is red. Later rows are not examined once one does not read.
void TForm1::ConfirmParams(TParamsDialog* dialog, TDistKind kind)
{
    const char separator = DecimalSeparator();
    bool rejected = false;
    for (int i = 0; i < ParamCount(kind); ++i) {
        QCheckBox* box = dialog->Autos[i];
        QLineEdit* edit = dialog->Values[i];
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
        const std::unique_ptr<TParamsDialog> dialog(BuildParamsDialog(kind));
        if (dialog->exec() != QDialog::Accepted) {
            ComboBox2->setCurrentIndex(-1);
            return;
        }
        TParamSet which;
        estimated = dialog->Chosen(DecimalSeparator(), params, which);
        if (estimated > 0) {
            bool done = false;
            try {
                done = EstimateParams(kind, DataBuffer, params, which);
            } catch (...) {
                ComboBox2->setCurrentIndex(-1);
                throw;  // its message through the default error handler
            }
            if (!done) {
                CurrentPlatform().ShowMessage(this, EstimationError);
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
        CurrentPlatform().ShowMessage(this, QStringLiteral("Buffer is empty."));
        return;
    }
    SetFieldColour(Edit7, FieldColour::Neutral);
    bool read = false;
    const int k = Edit7->text().toInt(&read);
    if (!read || k < 1) {
        SetFieldColour(Edit7, FieldColour::Rejected);
        return;
    }
    LastFit = ChiSquareFitTest(DataBuffer, FitKind, FitParams, FitEstimatedCount, k);
    const TFitResult& run = LastFit;
    DrawHistogram();

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

void TForm1::BuildFittingTab()
{
    TabSheet3 = MakeTab(PageControl1, "TabSheet3", "Distribution fitting");
    Panel3 = MakePanel(TabSheet3, "Panel3", 105, true);
    Panel4 = MakePanel(TabSheet3, "Panel4", 72, true);
    Panel5 = MakePanel(TabSheet3, "Panel5", 16, false);

    const char* estimatedHint = "Cout of estimated parameters";
    const char* categoriesHint = "The count of cathegories for test";
    const char* assumptionHint = "Claiming about test assumption";
    const char* alphaHint = "Level of significance of null hypothesis that was found";
    const char* detailsHint = "Test result details";
    const char* verdictHint =
        "Claiming about the null hypothesis on the std. level of significance.";
    Label8 = MakeLabel(Panel3, "Label8", 8, 8, "Test null hypothesis:", nullptr);
    Label9 = MakeLabel(Panel3, "Label9", 136, 8,
                       "Buffered data origin is in the distribution defined as follows",
                       "Null hypothesis");
    Label10 = MakeLabel(Panel3, "Label10", 8, 32, "Distribution", "Distribution type");
    ComboBox2 = MakeList(Panel3, "ComboBox2", {136, 24, 169, 24}, "Distribution type");
    Label11 = MakeLabel(Panel3, "Label11", 8, 56, "with params", "distribution parameters");
    Edit6 = MakeEdit(Panel3, "Edit6", {136, 48, 169, 24}, "", "distribution parameters", true);
    Label18 = MakeLabel(Panel3, "Label18", 312, 56, "of which ", estimatedHint);
    Edit10 = MakeEdit(Panel3, "Edit10", {368, 48, 41, 24}, "N/A", estimatedHint, true);
    Label19 = MakeLabel(Panel3, "Label19", 416, 56, "were estimated.", estimatedHint);
    Label12 = MakeLabel(Panel3, "Label12", 8, 80, "Test by histogram of", categoriesHint);
    Edit7 = MakeEdit(Panel3, "Edit7", {136, 72, 41, 24}, "3", categoriesHint, true);
    UpDown2 = Placed(new TUpDown(Panel3, Edit7, 3, 150, 3), "UpDown2", {177, 72, 16, 24},
                     categoriesHint);
    Label13 = MakeLabel(Panel3, "Label13", 200, 80, "cathegories on buffered data.",
                        categoriesHint);
    Button5 = MakeButton(Panel3, "Button5", {448, 72, 75, 25}, "Execute", "Execute test");

    Label14 = MakeLabel(Panel4, "Label14", 8, 8, "Test assuptions:", assumptionHint);
    Edit8 = MakeEdit(Panel4, "Edit8", {112, 0, 233, 24}, "N/A", assumptionHint, true);
    Label16 = MakeLabel(Panel4, "Label16", 368, 8, "Found alpha:", alphaHint);
    Edit9 = MakeEdit(Panel4, "Edit9", {448, 0, 73, 24}, "N/A", alphaHint, true);
    Label20 = MakeLabel(Panel4, "Label20", 8, 24, "Test details:", detailsHint);
    Edit11 = MakeEdit(Panel4, "Edit11", {112, 24, 233, 24}, "N/A", detailsHint, true);
    Label15 = MakeLabel(Panel4, "Label15", 8, 48,
                        "In the std. level of significance (5 %), null hypothesis", verdictHint);
    Label17 = MakeLabel(Panel4, "Label17", 320, 48, "N/A", verdictHint);

    for (auto [label, field] :
         {std::pair<QLabel*, QWidget*>{Label10, ComboBox2}, {Label11, Edit6}, {Label12, Edit7},
          {Label14, Edit8}, {Label16, Edit9}, {Label20, Edit11}})
        NameField(label, field);
    // "of which [Edit10] were estimated.": the field is named by both captions.
    NameField(Label18, Edit10);
    Edit10->setAccessibleName(Label18->text().trimmed() + " … " + Label19->text().chopped(1));
    Label21 = MakeLabel(Panel5, "Label21", 0, 0, "Show", nullptr);
    RadioButton3 = MakeRadio(Panel5, "RadioButton3", {40, -1, 73, 17}, "Density", nullptr, true);
    RadioButton4 =
        MakeRadio(Panel5, "RadioButton4", {112, -1, 113, 17}, "Cumulative", nullptr, false);

    Chart2 = MakeChart(TabSheet3, "Chart2", "Histogram");
    BuildChart2();

    for (QWidget* w : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                       static_cast<QWidget*>(Panel5), static_cast<QWidget*>(Chart2)})
        TabSheet3->layout()->addWidget(w);
    WireFittingTab();
}

void TForm1::BuildChart2()
{
    QChart* chart = Chart2->chart();  // no title, legend at the bottom, as every chart
    Series4 = new QBarSeries;
    Series4->setObjectName(QStringLiteral("Series4"));
    Series4->setName(QStringLiteral("Observed"));
    Series4->setLabelsVisible(true);
    Series4->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    Series4Bars = new QBarSet(QStringLiteral("Observed"));
    Series4Bars->setColor(QColor(255, 0, 0));
    Series4Bars->setLabelColor(QColor(0, 0, 0));
    Series4->append(Series4Bars);

    Series5 = MakeLineSeries("Series5", "Expected", QColor(0, 0, 255));

    // The bars stand on a category axis that is not drawn; the visible bottom axis is the
    // line's value axis, which spans the bars so that bar i stands at its upper bound, with
    // a few round labels that stay readable for any number of categories.
    Chart2Categories = new QBarCategoryAxis;
    Chart2Categories->setVisible(false);
    Chart2AxisX = new QValueAxis;
    Chart2AxisX->setTickType(QValueAxis::TicksDynamic);
    LocaliseNumbers(chart);
    Chart2AxisY = new QValueAxis;
    Chart2AxisY->setLabelFormat(QStringLiteral("%.6g"));  // counts without trailing zeros
    for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{Chart2Categories, Chart2AxisX,
                                                                     Chart2AxisY})
        axis->setGridLineVisible(false);
    chart->addAxis(Chart2Categories, Qt::AlignBottom);
    chart->addAxis(Chart2AxisX, Qt::AlignBottom);
    chart->addAxis(Chart2AxisY, Qt::AlignLeft);
    chart->addSeries(Series4);
    chart->addSeries(Series5);
    Series4->attachAxis(Chart2Categories);
    Series4->attachAxis(Chart2AxisY);
    Series5->attachAxis(Chart2AxisX);
    Series5->attachAxis(Chart2AxisY);
}

// Each series is set in one call. The line's axis spans the bars' axis: bound i sits over the
// centre of bar i, as the categories have equal widths.
void TForm1::RadioButton3Click()
{
    DrawHistogram();
}

void TForm1::DrawHistogram()
{
    const bool density = RadioButton3->isChecked();
    const TVector& bounds = LastFit.bounds;
    const std::size_t k = bounds.size();
    QList<qreal> bars;
    QList<QPointF> line;
    QStringList labels;
    double yObs = 0, yExp = 0, top = 0;
    for (std::size_t i = 0; i < k; ++i) {
        if (density) {
            yObs = LastFit.observed[i];
            yExp = LastFit.expected[i];
        } else {
            yObs = yObs + LastFit.observed[i];
            yExp = yExp + LastFit.expected[i];
        }
        bars << yObs;
        // An expected count that is not a number (parameters outside the catalogue's bounds)
        // has no point on the line: the chart is given finite values only.
        if (std::isfinite(yExp))
            line << QPointF(bounds[i], yExp);
        labels << QString::fromStdString(FormatShort(bounds[i], DecimalSeparator()));
        top = std::max({top, yObs, std::isfinite(yExp) ? yExp : 0.0});
    }
    // Bounds that coincide (a buffer of equal values) are told apart by their positions.
    if (labels.removeDuplicates() > 0) {
        labels.clear();
        for (std::size_t i = 1; i <= k; ++i)
            labels << QString::number(i);
    }
    Series4Bars->remove(0, Series4Bars->count());
    Series4Bars->append(bars);
    Series5->replace(line);
    if (Chart2Categories->categories() != labels)
        Chart2Categories->setCategories(labels);
    if (k == 0)
        return;
    const double first = bounds.front(), last = bounds.back();
    // Half a category on either side, formed without overflow and held in the double range
    // (bounds near the largest double).
    const double half = k > 1 && last > first ? (last / 2 - first / 2) / (k - 1) : 0.5;
    const double from = std::max(first - half, -DBL_MAX), to = std::min(last + half, DBL_MAX);
    PlaceBoundLabels(from, to);
    Chart2AxisY->setRange(0, top > 0 ? top * 1.1 : 1);
    Chart2AxisY->applyNiceNumbers();
    ShowFittingValueMarks(bars);
}

// The range, with about five labels at multiples of a round interval (1, 2 or 5 times a power
// of ten) and as many decimals as the interval needs. The axis counts its ticks from the
// interval: while the range and the interval change together the ticks are fixed (the old
// interval over a new range of 1e300 would make 1e300 ticks), and they stay fixed where the
// interval is lost in the rounding of the bounds (a range of 1 around 1e17).
void TForm1::PlaceBoundLabels(double from, double to)
{
    Chart2AxisX->setTickType(QValueAxis::TicksFixed);
    Chart2AxisX->setLabelFormat(QStringLiteral("%.3g"));
    Chart2AxisX->setRange(from, to);
    const double span = to - from;
    if (!(span > 0) || !std::isfinite(span))
        return;
    const double rough = span / 5, power = std::pow(10, std::floor(std::log10(rough)));
    const double step = rough / power < 1.5 ? power : rough / power < 3.5 ? 2 * power : 5 * power;
    const double largest = std::max(std::fabs(from), std::fabs(to));
    if (!(largest + step / 4 > largest))
        return;
    Chart2AxisX->setTickInterval(step);
    Chart2AxisX->setTickAnchor(std::ceil(from / step) * step);
    const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step))));
    Chart2AxisX->setLabelFormat(largest >= 1e7 || largest < 1e-4
                                    ? QStringLiteral("%.3g")
                                    : QStringLiteral("%.") + QString::number(decimals) +
                                          QStringLiteral("f"));
    Chart2AxisX->setTickType(QValueAxis::TicksDynamic);
}

// The counts over the bars only where the widest of them fits in a bar's width of the plot.
void TForm1::ShowFittingValueMarks(const QList<qreal>& bars)
{
    const QChart* chart = Chart2->chart();
    const qreal plot = chart->plotArea().width() > 0 ? chart->plotArea().width() : Chart2->width() - 80;
    int widest = 0;
    const QFontMetrics metrics(Series4Bars->labelFont());
    for (qreal v : bars)
        widest = std::max(widest, metrics.horizontalAdvance(QString::number(v)));
    const bool fit = !bars.isEmpty() && widest + 4 <= plot / bars.size();
    Series4->setLabelsVisible(fit);
}
