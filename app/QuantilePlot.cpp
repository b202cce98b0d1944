// The Q-Q and P-P views of the fitting chart: the buffer's order statistics against the
// hypothesis, with the identity line, on the chart's value axes.
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPen>
#include <QRadioButton>
#include <QScatterSeries>
#include <QValueAxis>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "Controls.h"
#include "Unit1.h"

void TForm1::BuildQuantileSeries()
{
    QChart* chart = Chart2->chart();
    Series6 = new QScatterSeries;
    Series6->setObjectName(QStringLiteral("Series6"));
    Series6->setName(QStringLiteral("Buffered data"));
    Series6->setColor(QColor(255, 0, 0));
    Series6->setBorderColor(QColor(255, 0, 0));
    Series6->setMarkerSize(5);
    Series7 = MakeLineSeries("Series7", "Identity", QColor(0, 0, 255));
    // The band's two lines share one legend entry (the lower line's), dashed in the identity's
    // colour.
    Series8 = MakeLineSeries("Series8", "95 % band", QColor(0, 0, 255));
    Series9 = MakeLineSeries("Series9", "95 % band", QColor(0, 0, 255));
    for (QLineSeries* band : {Series8, Series9}) {
        QPen pen = band->pen();
        pen.setStyle(Qt::DashLine);
        pen.setWidth(1);
        band->setPen(pen);
    }
    chart->addSeries(Series7);
    chart->addSeries(Series8);
    chart->addSeries(Series9);
    chart->addSeries(Series6);
    for (QAbstractSeries* series :
         {static_cast<QAbstractSeries*>(Series6), static_cast<QAbstractSeries*>(Series7),
          static_cast<QAbstractSeries*>(Series8), static_cast<QAbstractSeries*>(Series9)}) {
        series->attachAxis(Chart2AxisX);
        series->attachAxis(Chart2AxisY);
    }
    chart->legend()->markers(Series9).front()->setVisible(false);
    ShowHistogramSeries(true);
}

// The band of the last run's tests: its two lines, named by where its width comes from; no
// band without points.
void TForm1::DrawBand(const QList<QPointF>& lower, const QList<QPointF>& upper)
{
    const bool shown = !lower.isEmpty() && !upper.isEmpty();
    Series8->setName(LastEdf.replicates > 0 ? QStringLiteral("95 % band (bootstrap)")
                                            : QStringLiteral("95 % band (Kolmogorov-Smirnov law)"));
    Series8->replace(lower);
    Series9->replace(upper);
    Series8->setVisible(shown);
    Series9->setVisible(shown);
    Chart2->chart()->legend()->markers(Series9).front()->setVisible(false);
}

void TForm1::ShowHistogramSeries(bool histogram)
{
    Series4->setVisible(histogram);
    Series5->setVisible(histogram);
    Series6->setVisible(!histogram);
    Series7->setVisible(!histogram);
    DrawBand({}, {});
    if (!histogram) {
        Series4Bars->remove(0, Series4Bars->count());
        Series5->clear();
    } else {
        Series6->clear();
        Series7->clear();
    }
}

// Q-Q: the buffer's quantiles (up) against the hypothesised ones (across); P-P: the
// empirical probabilities against the hypothesised ones. Only finite points are drawn (a
// hypothesised quantile of an unbounded kind at a probability that rounds to 1).
void TForm1::DrawQuantilePlot()
{
    ShowHistogramSeries(false);
    const bool qq = RadioButton5->isChecked();
    const TVector& across = qq ? LastQuantiles.hypothesised : LastQuantiles.probabilities;
    const TVector& up = qq ? LastQuantiles.sample : LastQuantiles.empirical;
    Series6->setName(qq ? QStringLiteral("Buffered data quantiles")
                        : QStringLiteral("Buffered data probabilities"));
    Chart2AxisX->setTitleText(qq ? QStringLiteral("Quantiles of the hypothesis")
                                 : QStringLiteral("Probabilities of the hypothesis"));
    Chart2AxisY->setTitleText(qq ? QStringLiteral("Buffered data quantiles")
                                 : QStringLiteral("Buffered data probabilities"));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(across.size()));
    double lo = DBL_MAX, hi = -DBL_MAX;
    for (std::size_t i = 0; i < across.size(); ++i) {
        if (!std::isfinite(across[i]) || !std::isfinite(up[i]))
            continue;
        points << QPointF(across[i], up[i]);
        lo = std::min({lo, across[i], up[i]});
        hi = std::max({hi, across[i], up[i]});
    }
    Series6->replace(points);
    if (points.isEmpty())
        return;
    if (!(hi > lo)) {
        lo -= 0.5;
        hi += 0.5;
    }
    Series7->replace(QList<QPointF>{{lo, lo}, {hi, hi}});
    // The simultaneous band: on the buffer's quantiles at each plotting probability (Q-Q), or
    // the identity moved by the band's half-width in probability (P-P).
    QList<QPointF> lower, upper;
    const double width = LastEdf.n > 0 ? LastEdf.bandKS / std::sqrt(double(LastEdf.n)) : 0;
    if (width > 0) {
        if (qq) {
            for (std::size_t i = 0; i < across.size() && i < LastQuantiles.bandLower.size(); ++i) {
                if (!std::isfinite(across[i]))
                    continue;
                if (std::isfinite(LastQuantiles.bandLower[i]))
                    lower << QPointF(across[i], LastQuantiles.bandLower[i]);
                if (std::isfinite(LastQuantiles.bandUpper[i]))
                    upper << QPointF(across[i], LastQuantiles.bandUpper[i]);
            }
        } else {
            lower << QPointF(width, 0) << QPointF(1, 1 - width);
            upper << QPointF(0, width) << QPointF(1 - width, 1);
        }
    }
    DrawBand(lower, upper);
    // A margin of 2 % keeps the end points whole; the upright axis has a label for every 30
    // pixels of the plot at most.
    const double margin = (hi / 2 - lo / 2) / 25;
    lo = std::max(lo - margin, -DBL_MAX);
    hi = std::min(hi + margin, DBL_MAX);
    const int high = static_cast<int>(Chart2->chart()->plotArea().height());
    SetRoundAxis(Chart2AxisX, lo, hi);
    SetRoundAxis(Chart2AxisY, lo, hi, false, std::clamp(high / 30, 2, 5));
}
