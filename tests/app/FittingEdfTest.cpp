// The fitting tab's tests on the empirical distribution function, its ranking of every kind
// and its Q-Q and P-P views, through the real widgets: the buttons clicked, the radio buttons
// chosen, the ranking's table and the progress box driven as the user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QFrame>
#include <QTimer>
#include <QValueAxis>
#include <algorithm>
#include <cmath>
#include <functional>
#include <memory>
#include <random>

#include "FormActions.h"
#include "ScriptedPlatform.h"
#include "SimpleRandomLib.h"
#include "Unit1.h"

namespace {
struct FittingEdf : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    FittingEdf() { form->PageControl1->setCurrentWidget(form->TabSheet3); }

    static TVector Normal(std::size_t n, unsigned seed)
    {
        std::mt19937 g(seed);
        std::normal_distribution<double> d(10, 2);
        TVector x(n);
        for (double& v : x)
            v = d(g);
        return x;
    }
    // Picks a kind with every parameter on "Auto" as the user does.
    // Acts in the next modal window once it is shown (the ranking's table, a progress box).
    static void WhenShown(std::function<bool(QWidget*)> act)
    {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [timer, act] {
            if (QWidget* w = QApplication::activeModalWidget(); w && act(w)) {
                timer->stop();
                timer->deleteLater();
            }
        });
        timer->start(20);
    }
    // Cancels the next progress box shown, setting `cancelled`.
    static void CancelProgressWhenShown(bool& cancelled)
    {
        WhenShown([&cancelled](QWidget* w) {
            auto* progress = qobject_cast<QProgressDialog*>(w);
            if (!progress)
                return false;
            progress->cancel();
            cancelled = true;
            return true;
        });
    }
    QColor Colour(QLabel* label) { return label->palette().color(QPalette::WindowText); }
};
}  // namespace

TEST_F(FittingEdf, ExecuteShowsBothTestsWithTheirVerdictsAndDrawsNothingFromTheSource)
{
    form->DataBuffer = Normal(100, 3);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("10"));
    const std::uint64_t digest = RandomStateDigest();
    form->Button5->click();
    EXPECT_TRUE(form->Edit13->text().startsWith(QStringLiteral("A2 = ")));
    EXPECT_TRUE(form->Edit13->text().endsWith(QStringLiteral("(1000 replicates)")));
    EXPECT_TRUE(form->Edit14->text().startsWith(QStringLiteral("D = ")));
    EXPECT_EQ(form->LastEdf.replicates, 1000);
    EXPECT_GT(form->LastEdf.pAD, 0.05);
    EXPECT_EQ(form->Label24->text(), "can not be rejected.");
    EXPECT_EQ(Colour(form->Label24), QColor(0, 0, 255));
    EXPECT_EQ(RandomStateDigest(), digest);  // the bootstrap drew nothing from the source
    // The same buffer and source give the same p-values.
    const TEdfResult first = form->LastEdf;
    form->Button5->click();
    EXPECT_EQ(form->LastEdf.pAD, first.pAD);
    EXPECT_EQ(form->LastEdf.pKS, first.pKS);

    // Typed parameters far from the data: the exact laws, and both tests reject in red.
    QTimer::singleShot(0, [] {
        auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        d->findChild<QLineEdit*>("E0")->setText(QStringLiteral("12"));
        d->findChild<QLineEdit*>("E1")->setText(QStringLiteral("2"));
        d->findChild<QPushButton*>("OK")->click();
    });
    emit form->ComboBox2->activated(KindIndex(TDistKind::Normal));
    form->Button5->click();
    EXPECT_TRUE(form->Edit13->text().endsWith(QStringLiteral("(parameters given)")));
    EXPECT_EQ(form->Label24->text(), "is rejected.");
    EXPECT_EQ(form->Label26->text(), "is rejected.");
    EXPECT_EQ(Colour(form->Label26), QColor(255, 0, 0));
}

TEST_F(FittingEdf, NothingLeftToTestShowsNotAvailable)
{
    // The uniform's ends estimated from a buffer of equal values: every value is an end.
    form->DataBuffer = {5, 5, 5, 5};
    ChooseOnAuto(*form, TDistKind::Uniform);
    form->Edit7->setText(QStringLiteral("3"));
    form->Button5->click();
    EXPECT_EQ(form->Edit8->text(), "fatally not satisfied");
    EXPECT_EQ(form->Edit13->text(), "N/A");
    EXPECT_EQ(form->Label26->text(), "N/A");
    EXPECT_EQ(Colour(form->Label24), QColor(0, 0, 0));
}

TEST_F(FittingEdf, QuantileViewsShowTheBufferAgainstTheHypothesis)
{
    form->DataBuffer = Normal(5000, 4);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("20"));
    form->Button5->click();
    form->RadioButton5->click();  // Q-Q
    EXPECT_EQ(form->Series6->count(), 2000);
    EXPECT_EQ(form->Series7->count(), 2);
    EXPECT_EQ(form->Series4Bars->count(), 0);
    EXPECT_FALSE(form->Series4->isVisible());
    // Near the identity for a true hypothesis: the median's point.
    const QPointF middle = form->Series6->at(1000);
    EXPECT_NEAR(middle.x(), middle.y(), 0.2);
    EXPECT_EQ(form->Chart2AxisX->titleText(), "Quantiles of the hypothesis");
    EXPECT_EQ(form->Chart2AxisY->titleText(), "Buffered data quantiles");
    form->RadioButton6->click();  // P-P: probabilities on both axes
    EXPECT_EQ(form->Chart2AxisX->titleText(), "Probabilities of the hypothesis");
    EXPECT_EQ(form->Series6->count(), 2000);
    EXPECT_GE(form->Series6->at(0).x(), 0);
    EXPECT_LE(form->Series6->at(1999).y(), 1);
    form->RadioButton3->click();  // back to the histogram
    EXPECT_EQ(form->Series4Bars->count(), 20);
    EXPECT_EQ(form->Series6->count(), 0);
    EXPECT_TRUE(form->Series4->isVisible());
    EXPECT_EQ(form->Chart2AxisY->titleText(), "");
}

// The upright axis of the histogram after the Q-Q and P-P views: fixed ticks of counts over a
// range that holds the tallest bar, whatever views came before (the Q-Q view's round ticks
// stayed on it, 81 of them over a range of 400, labelled "...").
TEST_F(FittingEdf, TheHistogramKeepsItsAxisThroughTheViews)
{
    form->DataBuffer = Normal(2000, 6);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("20"));
    form->Button5->click();
    const auto axisHolds = [&](const char* view) {
        const QValueAxis* y = form->Chart2AxisY;
        double tallest = 0;
        for (int i = 0; i < form->Series4Bars->count(); ++i)
            tallest = std::max(tallest, form->Series4Bars->at(i));
        EXPECT_EQ(y->tickType(), QValueAxis::TicksFixed) << view;
        EXPECT_LE(y->tickCount(), 12) << view;
        EXPECT_EQ(y->labelFormat(), "%.6g") << view;
        EXPECT_EQ(y->min(), 0) << view;
        EXPECT_GE(y->max(), tallest) << view;
        EXPECT_LE(y->max(), 2 * tallest) << view;
    };
    axisHolds("density");
    for (QRadioButton* view : {form->RadioButton5, form->RadioButton6, form->RadioButton3}) {
        view->click();
        if (view == form->RadioButton3)
            axisHolds("density after Q-Q and P-P");
    }
    form->RadioButton4->click();
    axisHolds("cumulative");
    form->Button5->click();
    axisHolds("cumulative after a new run");
}

// The cumulative, Q-Q and P-P views draw the simultaneous 95 % band of the last run, named by
// where it comes from: the bootstrap with estimates, the Kolmogorov-Smirnov law with every
// parameter given.
TEST_F(FittingEdf, TheViewsDrawTheBandOfTheTests)
{
    form->DataBuffer = Normal(1000, 7);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("20"));
    form->Button5->click();
    form->RadioButton3->click();
    EXPECT_FALSE(form->Series8->isVisible());  // none on the histogram of counts
    form->RadioButton4->click();
    EXPECT_TRUE(form->Series8->isVisible());
    EXPECT_EQ(form->Series8->name(), "95 % band (bootstrap)");
    EXPECT_EQ(form->Series8->count(), 20);
    const double width = form->LastEdf.bandKS / std::sqrt(1000.0);
    EXPECT_NEAR(form->Series9->at(10).y() - form->Series5->at(10).y(), 1000 * width, 1e-9);
    form->RadioButton6->click();  // P-P: the identity moved by the band's width
    EXPECT_NEAR(form->Series9->at(0).y() - form->Series9->at(0).x(), width, 1e-12);
    form->RadioButton5->click();  // Q-Q: the hypothesis's quantiles at p -+ width
    ASSERT_GT(form->Series8->count(), 100);
    const TQuantilePairs& q = form->LastQuantiles;
    EXPECT_EQ(q.bandLower.size(), q.sample.size());
    EXPECT_LT(q.bandLower[500], q.hypothesised[500]);
    EXPECT_GT(q.bandUpper[500], q.hypothesised[500]);
    form->RadioButton3->click();
    EXPECT_FALSE(form->Series8->isVisible());
}

// The estimates view: the table of estimates with their standard errors and intervals, a new
// level, the fitted quantile and tail, and "Use in calculator".
TEST_F(FittingEdf, TheEstimatesViewShowsHowSureTheFitIs)
{
    form->DataBuffer = Normal(400, 8);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->RadioButton7->click();
    EXPECT_FALSE(form->Chart2->isVisible() && form->isVisible());
    EXPECT_EQ(form->Label30->text(), "Execute the test to see the estimates.");
    form->Edit7->setText(QStringLiteral("10"));
    form->Button5->click();
    ASSERT_EQ(form->StringGrid2->rowCount(), 2);
    EXPECT_EQ(form->StringGrid2->item(0, 0)->text(), "mu");
    EXPECT_EQ(form->StringGrid2->item(1, 5)->text(), "exact");
    EXPECT_EQ(form->StringGrid2->horizontalHeaderItem(3)->text(), "Lower (95 %)");
    const double width95 = form->LastIntervals[0].upper - form->LastIntervals[0].lower;
    form->Edit15->setText(QStringLiteral("99"));
    emit form->Edit15->returnPressed();
    EXPECT_EQ(form->StringGrid2->horizontalHeaderItem(3)->text(), "Lower (99 %)");
    EXPECT_GT(form->LastIntervals[0].upper - form->LastIntervals[0].lower, width95);
    form->Edit16->setText(QStringLiteral("0.5"));
    emit form->Edit16->returnPressed();
    EXPECT_TRUE(form->Edit17->text().startsWith("x = ")) << form->Edit17->text().toStdString();
    EXPECT_TRUE(form->Edit17->text().endsWith("profile likelihood"));
    form->Edit18->setText(QStringLiteral("abc"));
    emit form->Edit18->returnPressed();
    EXPECT_EQ(form->Edit19->text(), "Invalid number format.");
    form->Button8->click();  // to the calculator, with the fitted law
    EXPECT_EQ(form->PageControl1->currentWidget(), form->TabSheet1);
    EXPECT_EQ(form->ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
    EXPECT_EQ(form->CalcKind, TDistKind::Normal);
    EXPECT_EQ(form->CalcParams, form->FitParams);
    EXPECT_TRUE(form->Edit1->text().startsWith("mu="));
    EXPECT_TRUE(platform.messages.isEmpty());
}

TEST_F(FittingEdf, ARowOfTheRankingBecomesTheHypothesis)
{
    form->DataBuffer = Normal(40, 5);
    form->Edit7->setText(QStringLiteral("10"));
    QString firstKind;
    WhenShown([&firstKind](QWidget* w) {
        auto* table = w->findChild<QTableWidget*>("RankingTable");
        if (!table)
            return false;
        // The normal's row, chosen with a click and "Use as hypothesis".
        for (int row = 0; row < table->rowCount(); ++row)
            if (table->item(row, 0)->text() == "Normal") {
                table->selectRow(row);
                break;
            }
        firstKind = table->item(0, 0)->text();
        w->findChild<QPushButton*>("UseButton")->click();
        return true;
    });
    form->Button7->click();
    EXPECT_FALSE(firstKind.isEmpty());
    EXPECT_EQ(form->FitKind, TDistKind::Normal);
    EXPECT_EQ(form->ComboBox2->currentIndex(), KindIndex(TDistKind::Normal));
    EXPECT_EQ(form->FitEstimatedCount, 2);
    EXPECT_TRUE(form->Edit6->text().startsWith(QStringLiteral("mu=")));
    EXPECT_EQ(form->Edit10->text(), "2");
    EXPECT_TRUE(platform.messages.isEmpty());
}

// The ranking's table comes with its tests still running ("..." in their cells, a bar and
// "Stop tests"); stopped, the cells not formed read N/A and the bar and button go.
TEST_F(FittingEdf, TheRankingShowsItsTableWhileItsTestsRunAndStops)
{
    form->DataBuffer = Normal(3000, 8);
    form->Edit7->setText(QStringLiteral("20"));
    QStringList first, stopped;
    bool barGone = false;
    WhenShown([&](QWidget* w) {
        auto* table = w->findChild<QTableWidget*>("RankingTable");
        if (!table)
            return false;
        for (int row = 0; row < table->rowCount(); ++row)
            if (QTableWidgetItem* p = table->item(row, 9))  // p (AD) of a fitted row
                first << p->text();
        w->findChild<QPushButton*>("StopButton")->click();
        QTimer::singleShot(0, w, [&, w, table] {
            auto* stop = w->findChild<QPushButton*>("StopButton");
            QElapsedTimer wait;
            wait.start();
            while (stop->isVisible() && wait.elapsed() < 10000)
                QApplication::processEvents(QEventLoop::AllEvents, 50);
            barGone = !stop->isVisible() && !w->findChild<QProgressBar*>("RankingProgress")->isVisible();
            for (int row = 0; row < table->rowCount(); ++row)
                if (QTableWidgetItem* p = table->item(row, 9))
                    stopped << p->text();
            w->findChild<QPushButton*>("CloseButton")->click();
        });
        return true;
    });
    form->Button7->click();
    ASSERT_GT(first.size(), 10);
    EXPECT_TRUE(first.contains(QStringLiteral("...")));
    EXPECT_TRUE(barGone);
    EXPECT_FALSE(stopped.contains(QStringLiteral("...")));
    EXPECT_TRUE(stopped.contains(QStringLiteral("N/A")));
}

// A threshold's estimate and intervals over a large buffer take seconds: they run while the
// window waits with its progress box, whose Cancel leaves the choice as the close box does,
// and a new level's intervals as they were.
TEST_F(FittingEdf, ALongEstimateOrIntervalWaitsWithCancel)
{
    form->DataBuffer = Normal(40, 6);
    ChooseOnAuto(*form, TDistKind::Normal);
    const TVector params = form->FitParams;
    form->DataBuffer = Normal(200000, 9);
    bool cancelled = false;
    CancelProgressWhenShown(cancelled);
    ChooseOnAuto(*form, TDistKind::Weibull3);
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(form->FitKind, TDistKind::Normal);
    EXPECT_EQ(form->FitParams, params);
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);

    form->LastRunFit = {form->DataBuffer, TDistKind::Weibull3, {5, 10, 0},
                        AllParams(TDistKind::Weibull3), true};
    const QString level = form->Edit15->text();
    cancelled = false;
    CancelProgressWhenShown(cancelled);
    form->Edit15->setText(QStringLiteral("90"));
    form->Edit15Apply();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(form->IntervalLevel, 0.95);
    EXPECT_EQ(form->Edit15->text(), level);
}

TEST_F(FittingEdf, AClosedRankingAndACancelledTestChangeNothing)
{
    form->DataBuffer = Normal(40, 6);
    ChooseOnAuto(*form, TDistKind::Normal);
    const TVector params = form->FitParams;
    WhenShown([](QWidget* w) {
        if (!w->findChild<QTableWidget*>("RankingTable"))
            return false;
        w->findChild<QPushButton*>("CloseButton")->click();
        return true;
    });
    form->Button7->click();
    EXPECT_EQ(form->FitKind, TDistKind::Normal);
    EXPECT_EQ(form->FitParams, params);

    // A bootstrap of a large buffer shows its progress box; Cancel leaves every result.
    form->DataBuffer = Normal(400000, 7);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("20"));
    bool cancelled = false;
    CancelProgressWhenShown(cancelled);
    form->Button5->click();
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(form->Edit13->text(), "N/A");
    EXPECT_EQ(form->Edit8->text(), "N/A");
    EXPECT_TRUE(form->LastFit.bounds.empty());
    EXPECT_EQ(form->Label24->text(), "N/A");

    // The ranking of the same buffer, cancelled: no table, the hypothesis as it was.
    const TVector chosen = form->FitParams;
    bool rankingCancelled = false, tableShown = false;
    WhenShown([&](QWidget* w) {
        if (w->findChild<QTableWidget*>("RankingTable")) {
            tableShown = true;
            w->findChild<QPushButton*>("CloseButton")->click();
            return true;
        }
        auto* progress = qobject_cast<QProgressDialog*>(w);
        if (!progress)
            return false;
        progress->cancel();
        rankingCancelled = true;
        return true;
    });
    form->Button7->click();
    EXPECT_TRUE(rankingCancelled);
    EXPECT_FALSE(tableShown);
    EXPECT_EQ(form->FitParams, chosen);
    EXPECT_EQ(form->ComboBox2->currentIndex(), KindIndex(TDistKind::Normal));

    form->DataBuffer = {1, 2};
    form->Button7->click();
    EXPECT_EQ(platform.messages.value(0), "Buffer is empty.");
}
