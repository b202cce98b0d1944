// The calculator tab: its build and wiring, a distribution with its parameters, the density,
// probability or quantile at one point, and its chart (the density with the area up to X
// shaded, or the cumulative curve with the point (X, F(X)), over the kind's plot range widened
// to hold X).
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLabel>
#include <QLineEdit>
#include <QLayout>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "CalculatorValues.h"
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
// parameter was read; a value the kind cannot take is asked for again (PromptParams). A
// cancelled box ends the pick with nothing changed and no message: the list shows the
// distribution picked before, and Calc goes on computing it. An unreadable entry says
// "Invalid number format." and leaves no distribution selected. A completed choice returns the
// tab to the input state: the field the user typed (X, the probability or the upper tail)
// keeps its text and stays green, the others are emptied, so that no number of the previous
// distribution stays on show and the next Calc computes for the new one.
void TForm1::ComboBox1Change()
{
    const int position = ComboBox1->currentIndex();
    if (position < 0)
        return;
    const TDistKind kind = DistListKind[position];
    TVector params;
    switch (PromptParams(this, kind, QStringLiteral("Enter parameter value"), DecimalSeparator(), params)) {
    case TPromptEnd::Cancelled:
        ComboBox1->setCurrentIndex(CalcListIndex);
        return;
    case TPromptEnd::Unreadable:
        CurrentPlatform().ShowMessage(this, QStringLiteral("Invalid number format."));
        CalcListIndex = -1;
        ComboBox1->setCurrentIndex(-1);
        return;
    case TPromptEnd::Read:
        break;
    }
    SetCalcDistribution(kind, params, position);
}

void TForm1::SetCalcDistribution(TDistKind kind, const TVector& params, int position)
{
    CalcKind = kind;
    CalcParams = params;
    CalcListIndex = position;
    ShowText(Edit1, Text(ParamsLine(kind, params, DecimalSeparator())));
    SelectCalcInput(CalcInput);
    ShowMoments();
    DrawChart();
}

// The input state: the field the user types keeps its text and is green, the others are
// emptied in the window's colour. The bound b is typed beside x and the probabilities, and
// given by a typed probability of the mode.
void TForm1::SelectCalcInput(QLineEdit* input)
{
    CalcInput = input;
    if (input == Edit21) {
        Edit20->clear();
        SetFieldColour(Edit20, FieldColour::Neutral);
    }
    for (QLineEdit* field : {Edit2, Edit3, Edit4, Edit12, Edit21}) {
        if (field == input)
            continue;
        field->clear();
        SetFieldColour(field, FieldColour::Neutral);
    }
    SetFieldColour(input, FieldColour::Input);
}

void TForm1::Edit2Change()
{
    SelectCalcInput(Edit2);
}

void TForm1::Edit4Change()
{
    SelectCalcInput(Edit4);
}

void TForm1::Edit12Change()
{
    SelectCalcInput(Edit12);
}

void TForm1::Button1Click()
{
    Calculate();
}

// The probability or the upper tail typed into `field`: false, with the field red, where it
// does not read or lies outside 0 to 1 (both accepted).
namespace {
bool ReadProbability(QLineEdit* field, char separator, double& p)
{
    if (!ParseNumber(field->text().toStdString(), separator, p) || p < 0 || p > 1) {
        SetFieldColour(field, FieldColour::Rejected);
        return false;
    }
    SetFieldColour(field, FieldColour::Input);
    return true;
}
}  // namespace

void TForm1::Calculate()
{
    if (ComboBox1->currentIndex() < 0)
        return;
    const BusyCursor busy;
    const char sep = DecimalSeparator();
    // A result longer than its field shows its leading digits.
    const auto put = [](QLineEdit* field, const std::string& text) {
        field->setText(Text(text));
        field->setCursorPosition(0);
    };
    // The values at CalcX, each from the library's own tail; the mode's probability; the chart.
    const auto finish = [&](bool typedProbability, bool typedUpper) {
        CalcDensity = DistEval(CalcKind, TDistFunc::Density, CalcParams, CalcX);
        if (!typedProbability)
            CalcProbability = DistEval(CalcKind, TDistFunc::Distribution, CalcParams, CalcX);
        if (!typedUpper)
            CalcUpper = DistUpper(CalcKind, CalcParams, CalcX);
        put(Edit3, ShownDensity(CalcKind, CalcParams, CalcX, sep));
        if (!typedProbability)
            put(Edit4, ShownProbability(CalcKind, CalcParams, TProbability::Below, CalcX, 0, sep));
        if (!typedUpper)
            put(Edit12, ShownProbability(CalcKind, CalcParams, TProbability::Above, CalcX, 0, sep));
        if (CalcInput != Edit21 && !ShowModeProbability())
            return;
        DrawChart();
    };
    // In the computed state Calc gives the mode's probability and redraws.
    if (!Edit2->text().isEmpty() && !Edit4->text().isEmpty()) {
        if (ShowModeProbability())
            DrawChart();
        return;
    }
    if (CalcInput == Edit21 && Edit2->text().isEmpty()) {
        if (!InvertModeProbability())
            return;
        put(Edit2, FormatResult(CalcX, sep));
        finish(false, false);
        return;
    }
    if (CalcInput == Edit12 && Edit2->text().isEmpty()) {
        double q = 0;
        if (!ReadProbability(Edit12, sep, q))
            return;
        CalcUpper = q;
        CalcX = DistUpperInverse(CalcKind, CalcParams, q);
        put(Edit2, FormatResult(CalcX, sep));
        finish(false, true);
        return;
    }
    if (Edit4->text().isEmpty()) {
        double x = 0;
        if (!ParseNumber(Edit2->text().toStdString(), sep, x)) {
            SetFieldColour(Edit2, FieldColour::Rejected);
            return;
        }
        CalcX = x;
        SetFieldColour(Edit2, FieldColour::Input);
        finish(false, false);
        return;
    }
    double p = 0;
    if (!ReadProbability(Edit4, sep, p))
        return;
    CalcProbability = p;
    CalcX = DistEval(CalcKind, TDistFunc::Inverse, CalcParams, p);
    put(Edit2, FormatResult(CalcX, sep));
    finish(true, false);
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
        RunHandler(this, [this] { Calculate(); });
        return true;
    }
    return false;
}

void TForm1::WireCalculator()
{
    Wire(ComboBox1, &QComboBox::activated, this, [this] {
        if (CalcBrowsing) {
            CalcBrowsePending = true;  // moved by a key or the wheel: committed later
            return;
        }
        CalcBrowsePending = false;
        ComboBox1Change();
    });
    Wire(Edit2, &QLineEdit::textEdited, this, [this] { Edit2Change(); });
    Wire(Edit4, &QLineEdit::textEdited, this, [this] { Edit4Change(); });
    Wire(Edit12, &QLineEdit::textEdited, this, [this] { Edit12Change(); });
    Wire(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    Wire(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
    WireSelected({RadioButton1, RadioButton2}, this, [this] { RadioButton1Click(); });
    for (QLineEdit* field : {Edit2, Edit4, Edit12})
        field->installEventFilter(this);
}

void TForm1::BuildCalculatorTab()
{
    TabSheet1 = MakeTab(PageControl1, "TabSheet1", "Velmora");
    Panel1 = MakePanel(TabSheet1, "Panel1", 193, true);
    const char* distHint = "Select the type of distribution";
    const char* paramsHint = "Distribution parameters";
    const char* xHint = "Value of random variable (select X or prob)";
    // As listed, "probabolity" and "engange" included.
    const char* densityHint = "Density of probabolity as a function of X or prob";
    const char* probHint =
        "Probability that random variable X will engange the value (select X or prob)";
    const char* upperHint =
        "Probability that random variable X will exceed the value (select X or this probability)";
    const char* showHint = "Click to show the image of distribution";
    const char* viewHint =
        "Select if you wish to show density or cumulative density of distribution";
    Label1 = MakeLabel(Panel1, "Label1", 8, 16, "Distribution", distHint);
    ComboBox1 = MakeList(Panel1, "ComboBox1", {112, 8, 169, 24}, distHint);
    Label2 = MakeLabel(Panel1, "Label2", 296, 16, "Params", paramsHint);
    Edit1 = MakeEdit(Panel1, "Edit1", {344, 8, 161, 24}, "", paramsHint, true);
    Label3 = MakeLabel(Panel1, "Label3", 8, 40, "X", xHint);
    Edit2 = MakeEdit(Panel1, "Edit2", {112, 32, 97, 24}, "0", xHint, false);
    Label4 = MakeLabel(Panel1, "Label4", 296, 40, "Density", densityHint);
    Edit3 = MakeEdit(Panel1, "Edit3", {344, 32, 97, 24}, "0", densityHint, true);
    Label5 = MakeLabel(Panel1, "Label5", 8, 64, "Probability", probHint);
    Edit4 = MakeEdit(Panel1, "Edit4", {112, 56, 97, 24}, "", probHint, false);
    Button1 = MakeButton(Panel1, "Button1", {216, 56, 65, 25}, "Calc", "Click to recalculate");
    // The upper tail in the free place under the density.
    Label22 = MakeLabel(Panel1, "Label22", 296, 64, "P(X > x)", upperHint);
    Edit12 = MakeEdit(Panel1, "Edit12", {344, 56, 97, 24}, "", upperHint, false);
    // Its caption is wider than the column's others: it ends short of its field, not on it.
    Label22->move(std::min(Label22->x(), Edit12->x() - 4 - Label22->width()), Label22->y());
    CalcInput = Edit2;
    Label6 = MakeLabel(Panel1, "Label6", 8, 88, "Show", showHint);
    RadioButton1 = MakeRadio(Panel1, "RadioButton1", {56, 88, 81, 17}, "Density", viewHint, true);
    RadioButton2 =
        MakeRadio(Panel1, "RadioButton2", {128, 88, 89, 17}, "Cumulative", viewHint, false);
    Button2 = MakeButton(Panel1, "Button2", {216, 88, 65, 17}, "Show", showHint);
    for (auto [label, field] : {std::pair<QLabel*, QWidget*>{Label1, ComboBox1}, {Label2, Edit1},
                                {Label3, Edit2}, {Label4, Edit3}, {Label5, Edit4},
                                {Label22, Edit12}})
        NameField(label, field);
    TabChain({Edit4, Edit12, Edit3, Edit2, Edit1, ComboBox1, Button2, Button1, RadioButton1,
              RadioButton2});
    BuildCalculatorModes();

    Chart1 = MakeChart(TabSheet1, "Chart1", "The figure of probability distribution");
    BuildChart1();
    TabSheet1->layout()->addWidget(Panel1);
    TabSheet1->layout()->addWidget(Chart1);
    WireCalculator();
}

namespace {
void ShowInLegend(QChart* chart, QAbstractSeries* series, bool visible)
{
    for (QLegendMarker* marker : chart->legend()->markers(series))
        marker->setVisible(visible);
}

// Adds a point keeping the x values ascending (after any equal x).
void AddSorted(QList<QPointF>& points, double x, double y)
{
    const auto at = std::upper_bound(points.begin(), points.end(), x,
                                     [](double v, const QPointF& p) { return v < p.x(); });
    points.insert(at, QPointF(x, y));
}

// The axes follow the data, with round ticks; the left axis from 0.
void FitAxes(QValueAxis* axisX, QValueAxis* axisY, std::initializer_list<const QXYSeries*> all)
{
    bool any = false;
    double x0 = 0, x1 = 0, y0 = 0, y1 = 0;
    for (const QXYSeries* s : all) {
        for (const QPointF& p : s->points()) {
            if (!std::isfinite(p.x()) || !std::isfinite(p.y()))
                continue;
            if (!any) {
                x0 = x1 = p.x();
                y0 = y1 = p.y();
                any = true;
            }
            x0 = std::min(x0, p.x());
            x1 = std::max(x1, p.x());
            y0 = std::min(y0, p.y());
            y1 = std::max(y1, p.y());
        }
    }
    if (!any)
        return;
    // Densities and probabilities rise from a labelled 0.
    y0 = std::min(y0, 0.0);
    if (x1 == x0) {
        x0 -= 1;
        x1 += 1;
    }
    if (y1 == y0) {
        y0 -= 1;
        y1 += 1;
    }
    SetRoundAxis(axisX, x0, x1);
    SetRoundAxis(axisY, y0, y1, true);
}

// Chart1's axes, kept on resize: the bottom axis spans 5 % to 95 % of the width the chart
// gives its axes, and the left axis starts at 5 % of that height. The axes' labels and the
// legend keep their room outside that span, so the margins are 5 % of the plot area that the
// chart would lay out without them.
void PlaceAxes(QChart* chart, const QRectF& plot)
{
    const QMargins old = chart->margins();
    const qreal width = plot.width() + old.left() + old.right();
    const qreal height = plot.height() + old.top();
    const int side = qRound(0.05 * width), top = qRound(0.05 * height);
    if (old != QMargins(side, top, side, 0))
        chart->setMargins(QMargins(side, top, side, 0));
}
}  // namespace

void TForm1::BuildChart1()
{
    QChart* chart = Chart1->chart();  // no title, legend at the bottom, as every chart
    LocaliseNumbers(chart);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setPlotAreaBackgroundBrush(Qt::white);

    Series2Upper = new QLineSeries(chart);
    Series2 = new QAreaSeries(Series2Upper);
    Series2->setObjectName(QStringLiteral("Series2"));
    // The listed initial title, with its typo; the first redraw names it "Probability area".
    Series2->setName(QStringLiteral("Propability area"));
    Series2->setBrush(QColor(0, 128, 0));
    Series2->setPen(Qt::NoPen);
    Series2->setPointsVisible(false);

    Series1 = MakeLineSeries("Series1", "Density", QColor(255, 0, 0));

    Series3 = new QScatterSeries;
    Series3->setObjectName(QStringLiteral("Series3"));
    Series3->setName(QStringLiteral("Probability"));
    Series3->setMarkerShape(QScatterSeries::MarkerShapeRectangle);
    Series3->setMarkerSize(5);
    Series3->setBrush(QColor(0, 0, 255));
    Series3->setPen(QPen(QColor(255, 255, 0)));

    Chart1AxisX = new QValueAxis;
    Chart1AxisY = new QValueAxis;
    for (QValueAxis* axis : {Chart1AxisX, Chart1AxisY})
        axis->setGridLineVisible(false);
    chart->addAxis(Chart1AxisX, Qt::AlignBottom);
    chart->addAxis(Chart1AxisY, Qt::AlignLeft);
    for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{Series2, Series1, Series3}) {
        chart->addSeries(s);  // drawing order: the area first, behind the others
        s->attachAxis(Chart1AxisX);
        s->attachAxis(Chart1AxisY);
    }
    ShowInLegend(chart, Series3, false);
    chart->layout()->setContentsMargins(0, 0, 0, 0);
    connect(chart, &QChart::plotAreaChanged, this,
            [chart](const QRectF& plot) { PlaceAxes(chart, plot); });
}

void TForm1::Button2Click()
{
    DrawChart();
}

void TForm1::DrawChart()
{
    const BusyCursor busy;
    QChart* chart = Chart1->chart();
    const bool density = RadioButton1->isChecked();
    if (density) {
        Series1->setName(QStringLiteral("Density"));
        Series2->setName(QStringLiteral("Probability area"));
    } else {
        Series1->setName(QStringLiteral("Distribution"));
        Series3->setName(QStringLiteral("Probability"));
    }
    ShowInLegend(chart, Series2, density);
    ShowInLegend(chart, Series3, !density);

    // The points are gathered first and each series is set in one call. Whatever was
    // gathered before an error is drawn, with the axes fitted to it.
    QList<QPointF> curve, area, point;
    struct Draw {
        TForm1* f;
        QList<QPointF>&curve, &area, &point;
        ~Draw()
        {
            f->Series1->replace(curve);
            f->Series2Upper->replace(area);
            f->Series3->replace(point);
            FitAxes(f->Chart1AxisX, f->Chart1AxisY, {f->Series1, f->Series2Upper, f->Series3});
        }
    } draw{this, curve, area, point};

    double lo = 0, hi = 0;
    ChartRange(CalcKind, CalcParams, lo, hi);
    for (double end : {CalcX, CalcHasB ? CalcB : CalcX}) {
        lo = std::min(lo, end);
        hi = std::max(hi, end);
    }
    const TDistFunc mode = density ? TDistFunc::Density : TDistFunc::Distribution;
    // A range wider than the doubles (ends near both of theirs) is stepped in halves.
    const double width = hi - lo;
    const double step = std::isfinite(width) ? width / 128 : hi / 128 - lo / 128;
    for (double x = lo; x < hi;) {
        curve << QPointF(x, DistEval(CalcKind, mode, CalcParams, x));
        const double next = x + step;
        if (!(next > x))
            break;  // a step too small to move x ends the sampling
        x = next;
    }
    const double y = DistEval(CalcKind, mode, CalcParams, CalcX);
    if (!density) {
        point << QPointF(CalcX, y);
        if (CalcHasB)
            point << QPointF(CalcB, DistEval(CalcKind, mode, CalcParams, CalcB));
        return;
    }
    // The shaded area: the density where the mode's event holds, with upright edges at x and
    // b (each bound the last point on its side). Without b, the interval runs above x and the
    // two tails keep the lower one.
    QList<QPointF> all = curve;
    AddSorted(all, CalcX, y);
    if (CalcHasB)
        AddSorted(all, CalcB, DistEval(CalcKind, mode, CalcParams, CalcB));
    const auto inside = [&](double x) {
        switch (CalcMode) {
        case TProbability::Below:
            return x <= CalcX;
        case TProbability::Above:
            return x > CalcX;
        case TProbability::Between:
            return x > CalcX && (!CalcHasB || x <= CalcB);
        case TProbability::Outside:
            return x <= CalcX || (CalcHasB && x > CalcB);
        }
        return false;
    };
    bool wasInside = false;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const bool in = inside(all[i].x());
        if (in && i > 0 && !wasInside) {
            // Down at the end of the area before (the last area closes by itself), up at the
            // bound.
            if (!area.isEmpty())
                area << QPointF(area.last().x(), 0);
            area << QPointF(all[i - 1].x(), 0) << all[i - 1];
        }
        if (in)
            area << all[i];
        wasInside = in;
    }
}

void TForm1::RadioButton1Click()
{
    Calculate();
}
