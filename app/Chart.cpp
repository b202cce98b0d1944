// The calculator's chart: the density with the area up to X shaded, or the cumulative curve
// with the point (X, F(X)), over the kind's plot range widened to hold X.
#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QGraphicsLayout>
#include <QLegendMarker>
#include <QLineSeries>
#include <QRadioButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

#include "ChartRange.h"
#include "Controls.h"
#include "Unit1.h"

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

// The axes follow the data.
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
    if (x1 == x0) {
        x0 -= 1;
        x1 += 1;
    }
    if (y1 == y0) {
        y0 -= 1;
        y1 += 1;
    }
    axisX->setRange(x0, x1);
    axisY->setRange(y0, y1);
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
    Series2->setName(QStringLiteral("Propability area"));
    Series2->setBrush(QColor(0, 128, 0));
    Series2->setPen(Qt::NoPen);
    Series2->setPointsVisible(false);

    Series1 = new QLineSeries;
    Series1->setObjectName(QStringLiteral("Series1"));
    Series1->setName(QStringLiteral("Density"));
    Series1->setPen(QPen(QColor(255, 0, 0), 2));
    Series1->setPointsVisible(false);

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
    if (CalcX < lo)
        lo = CalcX;
    if (CalcX > hi)
        hi = CalcX;
    const TDistFunc mode = density ? TDistFunc::Density : TDistFunc::Distribution;
    const double step = (hi - lo) / 128;
    for (double x = lo; x < hi;) {
        const double y = DistEval(CalcKind, mode, CalcParams, x);
        curve << QPointF(x, y);
        if (density && x <= CalcX)
            area << QPointF(x, y);
        const double next = x + step;
        if (!(next > x))
            break;  // a step too small to move x ends the sampling
        x = next;
    }
    const double y = DistEval(CalcKind, mode, CalcParams, CalcX);
    if (density)
        AddSorted(area, CalcX, y);
    else
        point << QPointF(CalcX, y);
}

void TForm1::RadioButton1Click()
{
    Button1Click();
}
