// The fitting histogram: observed counts as red bars, expected counts as a blue line, per
// category or cumulated, each category at its upper bound.
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFontMetrics>
#include <QLineSeries>
#include <QRadioButton>
#include <QValueAxis>
#include <algorithm>
#include <cfloat>
#include <cmath>

#include "Controls.h"
#include "NumberFormat.h"
#include "Unit1.h"

namespace {
// The histogram's upright axis: counts without trailing zeros, on a few fixed ticks.
const QString CountFormat = QStringLiteral("%.6g");
constexpr int CountTicks = 5;
}  // namespace

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
    Chart2AxisY->setLabelFormat(CountFormat);
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
    BuildQuantileSeries();
}

// The view switch: the same categories, per category or cumulated, or the last run's Q-Q or
// P-P view.
void TForm1::RadioButton3Click()
{
    const bool estimates = RadioButton7->isChecked();
    Chart2->setVisible(!estimates);
    Panel7->setVisible(estimates);
    if (estimates)
        ShowEstimates();
    else if (RadioButton5->isChecked() || RadioButton6->isChecked())
        DrawQuantilePlot();
    else
        DrawHistogram();
}

// Each series is set in one call. The line's axis spans the bars' axis: bound i sits over the
// centre of bar i, as the categories have equal widths.
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
    ShowHistogramSeries(true);
    Series4Bars->remove(0, Series4Bars->count());
    Series4Bars->append(bars);
    Series5->replace(line);
    // Cumulated, the band about the expected counts: N times the band's half-width in
    // probability either side, within 0 and N.
    const double n = LastEdf.n, width = n > 0 ? LastEdf.bandKS / std::sqrt(n) : 0;
    if (!density && width > 0) {
        QList<QPointF> lower, upper;
        double all = 0;  // the run's count
        for (double count : LastFit.observed)
            all += count;
        for (const QPointF& p : line) {
            lower << QPointF(p.x(), std::max(0.0, p.y() - all * width));
            upper << QPointF(p.x(), std::min(all, p.y() + all * width));
        }
        DrawBand(lower, upper);
    }
    if (Chart2Categories->categories() != labels)
        Chart2Categories->setCategories(labels);
    if (k == 0)
        return;
    const double first = bounds.front(), last = bounds.back();
    // Half a category on either side, formed without overflow and held in the double range
    // (bounds near the largest double).
    const double half = k > 1 && last > first ? (last / 2 - first / 2) / (k - 1) : 0.5;
    const double from = std::max(first - half, -DBL_MAX), to = std::min(last + half, DBL_MAX);
    SetRoundAxis(Chart2AxisX, from, to);
    // The Q-Q and P-P views leave the upright axis with round ticks and a format of their own
    // (a tick every 2 over a range of 400 filled it with "..."): the counts take back fixed
    // ticks and their format.
    Chart2AxisY->setTickType(QValueAxis::TicksFixed);
    Chart2AxisY->setTickCount(CountTicks);
    for (QValueAxis* axis : {Chart2AxisX, Chart2AxisY})
        axis->setTitleText(QString());  // the plots' titles: the bars and counts need none
    Chart2AxisY->setLabelFormat(CountFormat);
    Chart2AxisY->setRange(0, top > 0 ? top * 1.1 : 1);
    Chart2AxisY->applyNiceNumbers();
    ShowFittingValueMarks(bars);
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
