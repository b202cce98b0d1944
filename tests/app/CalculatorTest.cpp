#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QLegendMarker>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTest>
#include <QValueAxis>
#include <cmath>
#include <memory>
#include <tuple>

#include "NumberFormat.h"
#include "ScriptedPlatform.h"
#include "CalculatorValues.h"
#include "Unit1.h"

namespace {
const QColor Green(0, 255, 0), Red(255, 0, 0);

struct Calculator : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    Calculator() { form->show(); }

    // Picks a list entry as the user does, answering the parameter prompts.
    void Pick(TDistKind kind, std::initializer_list<const char*> answers = {})
    {
        for (const char* a : answers)
            platform.inputs.push_back(a);
        form->ComboBox1->setCurrentIndex(KindIndex(kind));
        emit form->ComboBox1->activated(KindIndex(kind));
    }
    // Types into a field as the user does (the field is emptied first, by the user too).
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    QColor Colour(QLineEdit* edit) { return edit->palette().color(QPalette::Base); }
    QColor Neutral(QLineEdit* edit) { return QApplication::palette(edit).color(QPalette::Base); }
    void Calc() { QTest::mouseClick(form->Button1, Qt::LeftButton); }
    void Show() { QTest::mouseClick(form->Button2, Qt::LeftButton); }
    bool InLegend(QAbstractSeries* s)
    {
        const auto markers = form->Chart1->chart()->legend()->markers(s);
        return !markers.isEmpty() && markers[0]->isVisible();
    }
};
}  // namespace

TEST_F(Calculator, PickingADistributionAsksForEachParameter)
{
    Pick(TDistKind::Normal, {"1.5", "2"});
    EXPECT_EQ(platform.prompts, QStringList({"Enter parameter value|mu", "Enter parameter value|ro"}));
    EXPECT_EQ(form->Edit1->text(), "mu=1.5; ro=2; ");
    EXPECT_EQ(form->CalcKind, TDistKind::Normal);
    EXPECT_EQ(form->CalcParams, (TVector{1.5, 2}));
    Pick(TDistKind::UniformStd);
    EXPECT_EQ(form->Edit1->text(), "");
    EXPECT_TRUE(form->CalcParams.empty());
    Pick(TDistKind::ExtrValue, {"0.00012", "1E20", "-2"});
    EXPECT_EQ(form->Edit1->text(), "mu=0.00012; ro=1E20; xi=-2; ");
}

// A cancelled entry ends the pick silently and shows the distribution picked before (it said
// "Invalid number format." and cleared the list); an unreadable one shows the message and
// clears the selection. Neither changes the calculator's distribution or parameters.
TEST_F(Calculator, AnUnfinishedChoiceChangesNothing)
{
    Pick(TDistKind::Normal, {"1", "2"});
    Pick(TDistKind::Beta, {"2"});  // the second prompt is cancelled
    EXPECT_TRUE(platform.messages.isEmpty());
    EXPECT_EQ(form->ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
    EXPECT_EQ(form->CalcKind, TDistKind::Normal);
    EXPECT_EQ(form->CalcParams, (TVector{1, 2}));
    EXPECT_EQ(form->Edit1->text(), "mu=1; ro=2; ");
    Pick(TDistKind::Beta, {"abc"});
    EXPECT_EQ(platform.prompts.size(), 5);  // the remaining parameter is not asked for
    EXPECT_EQ(platform.messages, QStringList({"Invalid number format."}));
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    // Calc does nothing with no distribution selected; Show draws the committed one.
    form->Edit2->setText("0.5");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "");  // emptied by the completed choice of Normal
    Show();
    EXPECT_EQ(form->Series1->count(), 128);
    EXPECT_EQ(form->Series1->at(0).x(), 1 - 5 * 2.0);
}

TEST_F(Calculator, CalcFromXFillsDensityAndProbability)
{
    Pick(TDistKind::UniformStd);
    Type(form->Edit2, "0.25");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "1.000000000");
    EXPECT_EQ(form->Edit4->text(), "0.250000000");
    EXPECT_EQ(Colour(form->Edit2), Green);
    EXPECT_EQ(Colour(form->Edit4), Neutral(form->Edit4));
    EXPECT_EQ(form->CalcX, 0.25);
    // Typing into X after a calculation empties the results and keeps the typed X.
    Type(form->Edit2, "0.5");
    EXPECT_EQ(form->Edit2->text(), "0.5");
    EXPECT_EQ(form->Edit3->text(), "");
    EXPECT_EQ(form->Edit4->text(), "");
}

TEST_F(Calculator, CalcFromAProbabilityGivesTheQuantile)
{
    Pick(TDistKind::Normal, {"3", "2"});
    Type(form->Edit4, "0.975");
    EXPECT_EQ(form->Edit2->text(), "");
    EXPECT_EQ(Colour(form->Edit4), Green);
    Calc();
    EXPECT_EQ(form->Edit2->text(), "6.919927969");
    EXPECT_EQ(Colour(form->Edit4), Green);
    EXPECT_EQ(Colour(form->Edit2), Neutral(form->Edit2));
    // Both limits are accepted; outside them the field turns red and nothing is computed.
    for (const char* p : {"0", "1"}) {
        Type(form->Edit4, p);
        Calc();
        EXPECT_EQ(form->Edit2->text(), "3.000000000") << p;
    }
    for (const char* p : {"1.5", "-0.1", "1e"}) {
        Type(form->Edit4, p);
        Calc();
        EXPECT_EQ(Colour(form->Edit4), p == std::string("1e") ? Green : Red) << p;
        EXPECT_EQ(form->Edit2->text(), p == std::string("1e") ? "3.000000000" : "") << p;
    }
}

TEST_F(Calculator, RejectedXAndTheComputedState)
{
    Pick(TDistKind::NormalStd);
    Type(form->Edit2, "1e-");
    Calc();  // "1e-" reads 1 (no exponent digits)
    EXPECT_EQ(form->Edit4->text(), "0.841344746");
    Type(form->Edit2, "+-");
    Calc();
    EXPECT_EQ(Colour(form->Edit2), Red);
    EXPECT_EQ(form->Edit3->text(), "");
    // In the computed state Calc only redraws: the texts stay as they are.
    Type(form->Edit2, "7");
    Calc();
    form->Edit3->setText("kept");
    QTest::keyClick(form->Edit2, Qt::Key_Return);
    EXPECT_EQ(form->Edit3->text(), "kept");
    // A density and a tail below the doubles show from their logarithms, never as 0.
    Type(form->Edit2, "40");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "1.46327E-348");
    EXPECT_EQ(form->Edit12->text(), "3.655894E-350");
}

TEST_F(Calculator, KeyFilterOfTheInputFields)
{
    for (QLineEdit* edit : {form->Edit2, form->Edit4}) {
        edit->clear();
        QTest::keyClicks(edit, "1a2 b,.+-eE\t3x");
        EXPECT_EQ(edit->text(), "12,.+-eE3");
        QApplication::clipboard()->setText("999");
        QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(edit, Qt::Key_X, Qt::ControlModifier);
        EXPECT_EQ(edit->text(), "12,.+-eE3");
        QTest::keyClick(edit, Qt::Key_Backspace);
        EXPECT_EQ(edit->text(), "12,.+-eE");
    }
    EXPECT_TRUE(form->Edit2KeyPress(3));    // Ctrl+C
    EXPECT_FALSE(form->Edit2KeyPress(22));  // Ctrl+V
    EXPECT_FALSE(form->Edit2KeyPress(24));  // Ctrl+X
    EXPECT_FALSE(form->Edit2KeyPress(26));  // Ctrl+Z
    EXPECT_FALSE(form->Edit2KeyPress(9));   // Tab
    EXPECT_TRUE(form->Edit2KeyPress(8));
}

TEST_F(Calculator, EnterRunsCalc)
{
    Pick(TDistKind::Exponential, {"2"});
    Type(form->Edit2, "0.5");
    QTest::keyClick(form->Edit2, Qt::Key_Return);
    EXPECT_EQ(form->Edit4->text(), "0.632120559");
}

// The prompt refuses such parameters; they are set here as a caller could.
TEST_F(Calculator, FloatingPointErrorsReachTheDefaultHandlerAndWhatWasWrittenStays)
{
    Pick(TDistKind::Normal, {"0", "1"});
    form->CalcParams = {0, 0};
    Type(form->Edit2, "1");
    Calc();
    EXPECT_EQ(platform.messages, QStringList({"Floating point division by zero"}));
    EXPECT_EQ(Colour(form->Edit2), Green);
    EXPECT_EQ(form->Edit3->text(), "");
    EXPECT_EQ(form->Edit4->text(), "");
    // A range that divides by zero ends the redraw with its message.
    Pick(TDistKind::Pareto, {"1", "1"});
    form->CalcParams = {1, 0};
    Show();
    EXPECT_EQ(platform.messages.last(), "Floating point division by zero");
}

// Inputs a hostile user can type: each action ends (the suite's deadline fails it otherwise)
// with its value or its message (degrees of freedom beyond a million, which no method serves,
// are refused at their prompt), the busy cursor gone before a message shows, and the fields
// and the chart agree afterwards.
TEST_F(Calculator, HostileInputsEndAndTheFieldsAgreeWithTheChart)
{
    struct Case {
        TDistKind kind;
        std::initializer_list<const char*> params;
        const char* x;
        const char* message;  // null: a value
    };
    const Case cases[] = {
        {TDistKind::Chi2, {"1000000000"}, "2", "N must be a whole number from 1 to 1000000."},
        {TDistKind::Student, {"1000000000"}, "2", "N must be a whole number from 1 to 1000000."},
        {TDistKind::F, {"1000000", "5"}, "2", nullptr},
        {TDistKind::Chi2, {"1024"}, "1000", nullptr},  // served truly beyond the listed 1022
        {TDistKind::Chi2, {"3e9"}, "2", "N must be a whole number from 1 to 1000000."},
        {TDistKind::Normal, {"2", "2"}, "1e300", nullptr},
        {TDistKind::Normal, {"1e300", "10"}, "0", "mu must lie between -1.3E153 and 1.3E153."},
        {TDistKind::LogNormal, {"0", "1e-6"}, "1e300", nullptr},
        {TDistKind::Cauchy, {"0", "1e-300"}, "-1e300", nullptr},
    };
    bool busyAtMessage = false;
    platform.onMessage = [&] { busyAtMessage = QGuiApplication::overrideCursor() != nullptr; };
    form->RadioButton2->click();
    for (const Case& c : cases) {
        platform.messages.clear();
        Pick(c.kind, c.params);
        Type(form->Edit2, c.x);
        Calc();
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << c.x;
        EXPECT_FALSE(busyAtMessage) << c.x;
        if (c.message) {
            EXPECT_EQ(platform.messages, QStringList({c.message})) << c.x;
            continue;
        }
        EXPECT_TRUE(platform.messages.isEmpty()) << c.x << " " << platform.messages.join("|").toStdString();
        const double x = form->CalcX;
        EXPECT_EQ(form->Edit4->text().toStdString(),
                  ShownProbability(c.kind, form->CalcParams, TProbability::Below, x, 0, '.')) << c.x;
        EXPECT_EQ(form->CalcProbability, DistEval(c.kind, TDistFunc::Distribution, form->CalcParams, x));
        ASSERT_EQ(form->Series3->count(), 1) << c.x;
        EXPECT_EQ(form->Series3->at(0), QPointF(x, form->CalcProbability)) << c.x;
    }
}

TEST_F(Calculator, ChartSamplesTheRangeWidenedToX)
{
    Pick(TDistKind::NormalStd);
    Type(form->Edit2, "7");
    Calc();
    ASSERT_EQ(form->Series1->count(), 128);
    for (int i = 0; i < 128; ++i)
        EXPECT_DOUBLE_EQ(form->Series1->at(i).x(), -5 + i * 12.0 / 128);
    // The area runs up to X and ends exactly on it.
    const QList<QPointF> area = form->Series2Upper->points();
    EXPECT_EQ(area.size(), 129);
    EXPECT_EQ(area.last().x(), 7.0);
    EXPECT_EQ(area.last().y(), form->CalcDensity);
    EXPECT_EQ(form->Series3->count(), 0);
    EXPECT_EQ(form->Series1->name(), "Density");
    EXPECT_EQ(form->Series2->name(), "Probability area");
    EXPECT_TRUE(InLegend(form->Series2));
    EXPECT_FALSE(InLegend(form->Series3));
}

TEST_F(Calculator, CumulativeViewMarksThePointAtX)
{
    Pick(TDistKind::Normal, {"1", "2"});
    Type(form->Edit2, "2");
    Calc();
    form->RadioButton2->click();  // the switch runs Calc, which only redraws
    EXPECT_EQ(form->Series1->name(), "Distribution");
    EXPECT_EQ(form->Series3->name(), "Probability");
    EXPECT_EQ(form->Series2Upper->count(), 0);
    ASSERT_EQ(form->Series3->count(), 1);
    EXPECT_EQ(form->Series3->at(0), QPointF(2, form->CalcProbability));
    EXPECT_EQ(form->Series1->at(0).y(), DistEval(TDistKind::Normal, TDistFunc::Distribution, {1, 2}, -9));
    EXPECT_FALSE(InLegend(form->Series2));
    EXPECT_TRUE(InLegend(form->Series3));
    // X below the range: the area holds only the point at X.
    form->RadioButton1->click();
    Type(form->Edit2, "-50");
    Calc();
    EXPECT_EQ(form->Series2Upper->count(), 2);
    EXPECT_EQ(form->Series1->at(0).x(), -50.0);
}

TEST_F(Calculator, SeriesAndTheirInitialSettings)
{
    QChart* chart = form->Chart1->chart();
    ASSERT_EQ(chart->series().size(), 3);
    EXPECT_EQ(chart->series()[0], form->Series2);
    EXPECT_EQ(chart->series()[1], form->Series1);
    EXPECT_EQ(chart->series()[2], form->Series3);
    EXPECT_EQ(form->Series2->name(), "Propability area");
    EXPECT_EQ(form->Series1->name(), "Density");
    EXPECT_EQ(form->Series3->name(), "Probability");
    EXPECT_EQ(form->Series1->pen().width(), 2);
    EXPECT_EQ(form->Series1->pen().color(), QColor(255, 0, 0));
    EXPECT_EQ(form->Series3->markerSize(), 5);
    EXPECT_EQ(form->Series3->brush().color(), QColor(0, 0, 255));
    EXPECT_EQ(chart->legend()->alignment(), Qt::AlignBottom);
    EXPECT_TRUE(chart->title().isEmpty());
}

// With a huge location and a tiny spread the step no longer moves x: sampling still ends.
TEST_F(Calculator, SamplingEndsWhenTheStepNoLongerMovesX)
{
    Pick(TDistKind::Uniform, {"1E17", "1E17"});
    Type(form->Edit2, "1E17");
    Calc();
    EXPECT_LE(form->Series1->count(), 129);
}

// A completed pick returns the tab to its input state: the typed field keeps its text and
// stays green, the other two are emptied, and Calc computes for the new distribution (the
// normal's density and probability stayed on show beside the exponential's chart).
TEST_F(Calculator, PickingAnotherDistributionShowsNoNumberOfTheOld)
{
    Pick(TDistKind::Normal, {"10", "2"});
    Type(form->Edit2, "12");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "0.120985362");
    Pick(TDistKind::Exponential, {"2"});
    EXPECT_EQ(form->Edit2->text(), "12");
    EXPECT_EQ(Colour(form->Edit2), Green);
    EXPECT_EQ(form->Edit3->text(), "");
    EXPECT_EQ(form->Edit4->text(), "");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "7.550269E-11");  // 2 exp(-24), with its digits
    EXPECT_EQ(form->Edit4->text(), "1.000000000");
    // From a probability: the probability stays, X and the density go.
    Type(form->Edit4, "0.5");
    Calc();
    Pick(TDistKind::Normal, {"0", "1"});
    EXPECT_EQ(form->Edit4->text(), "0.5");
    EXPECT_EQ(Colour(form->Edit4), Green);
    EXPECT_EQ(form->Edit2->text(), "");
    EXPECT_EQ(form->Edit3->text(), "");
    Calc();
    EXPECT_EQ(form->Edit2->text(), "0.000000000");
    // A cancelled pick changes nothing.
    Pick(TDistKind::Beta, {});
    EXPECT_EQ(form->Edit2->text(), "0.000000000");
    EXPECT_EQ(form->ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
}

// Each prompt refuses what the kind cannot take, names the parameter and its range, and asks
// for that parameter again with the answer kept for editing; the accepted pick is whole.
TEST_F(Calculator, RefusedParametersAreAskedForAgain)
{
    Pick(TDistKind::Normal, {"0", "-1", "2"});
    EXPECT_EQ(platform.messages, QStringList({"ro must be greater than 0."}));
    EXPECT_EQ(platform.prompts, QStringList({"Enter parameter value|mu", "Enter parameter value|ro",
                                             "Enter parameter value|ro"}));
    EXPECT_EQ(platform.defaults, QStringList({"", "", "-1"}));
    EXPECT_EQ(form->CalcParams, (TVector{0, 2}));
    EXPECT_EQ(form->Edit1->text(), "mu=0; ro=2; ");
    // Degrees of freedom the library serves truly are taken: 1, and beyond the listed 1022.
    platform.messages.clear();
    Pick(TDistKind::Chi2, {"2.5", "1"});
    EXPECT_EQ(platform.messages, QStringList({"N must be a whole number from 1 to 1000000."}));
    EXPECT_EQ(form->CalcParams, (TVector{1}));
    Pick(TDistKind::Chi2, {"1500"});
    EXPECT_EQ(form->CalcParams, (TVector{1500}));
    Type(form->Edit2, "1500");
    Calc();
    EXPECT_EQ(form->Edit4->text(), "0.504855807");  // scipy chi2.cdf(1500, 1500)
    // The uniform's max against its min.
    platform.messages.clear();
    Pick(TDistKind::Uniform, {"3", "2", "4"});
    EXPECT_EQ(platform.messages, QStringList({"max must be greater than min."}));
    EXPECT_EQ(form->CalcParams, (TVector{3, 4}));
}

// Cancel, at the first prompt or a later one, ends the pick with nothing changed and no
// message: the list shows the distribution picked before, whose results and chart stay, and
// Calc goes on computing it.
TEST_F(Calculator, CancelAtAnyPromptChangesNothing)
{
    Pick(TDistKind::Normal, {"10", "2"});
    Type(form->Edit2, "12");
    Calc();
    const QString density = form->Edit3->text();
    const QList<QPointF> curve = form->Series1->points();
    for (std::initializer_list<const char*> answers : {std::initializer_list<const char*>{}, {"2"}}) {
        Pick(TDistKind::Beta, answers);
        EXPECT_TRUE(platform.messages.isEmpty());
        EXPECT_EQ(form->ComboBox1->currentIndex(), KindIndex(TDistKind::Normal));
        EXPECT_EQ(form->CalcParams, (TVector{10, 2}));
        EXPECT_EQ(form->Edit1->text(), "mu=10; ro=2; ");
        EXPECT_EQ(form->Edit3->text(), density);
        EXPECT_EQ(form->Series1->points(), curve);
    }
    Type(form->Edit2, "14");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "0.026995483");
    // Before any pick, a cancelled one leaves the list empty.
    TForm1 fresh;
    platform.inputs.clear();
    fresh.ComboBox1->setCurrentIndex(KindIndex(TDistKind::Beta));
    emit fresh.ComboBox1->activated(KindIndex(TDistKind::Beta));
    EXPECT_EQ(fresh.ComboBox1->currentIndex(), -1);
    EXPECT_TRUE(platform.messages.isEmpty());
}

// Small densities and probabilities keep their digits, and the upper tail P(X > x) is shown
// beside the probability with its own precision (scipy's norm.pdf, cdf and sf).
TEST_F(Calculator, SmallResultsAndTheUpperTail)
{
    Pick(TDistKind::NormalStd);
    Type(form->Edit2, "-10");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "7.694599E-23");
    EXPECT_EQ(form->Edit4->text(), "7.619853E-24");
    EXPECT_EQ(form->Edit12->text(), "1.000000000");
    EXPECT_EQ(form->Edit4->cursorPosition(), 0);  // the leading digits in view
    Type(form->Edit2, "8");
    Calc();
    EXPECT_EQ(form->Edit4->text(), "1.000000000");
    EXPECT_EQ(form->Edit12->text(), "6.220961E-16");
    EXPECT_EQ(form->Edit3->text(), "5.052271E-15");
    // Typing the upper tail finds its quantile in one step (scipy's norm.isf(1e-12)).
    Type(form->Edit12, "1e-12");
    EXPECT_EQ(form->Edit2->text(), "");
    EXPECT_EQ(form->Edit4->text(), "");
    EXPECT_EQ(Colour(form->Edit12), Green);
    Calc();
    EXPECT_EQ(form->Edit2->text(), "7.034483825");
    EXPECT_EQ(form->Edit3->text(), "7.171402E-12");
    EXPECT_EQ(form->Edit4->text(), "1.000000000");
    EXPECT_EQ(form->Edit12->text(), "1e-12");
    EXPECT_EQ(Colour(form->Edit12), Green);
    EXPECT_EQ(Colour(form->Edit2), Neutral(form->Edit2));
    EXPECT_EQ(form->CalcX, DistUpperInverse(TDistKind::NormalStd, {}, 1e-12));
    // Outside 0 to 1 the field turns red; typing X again makes X the input.
    Type(form->Edit12, "2");
    Calc();
    EXPECT_EQ(Colour(form->Edit12), Red);
    Type(form->Edit2, "0");
    EXPECT_EQ(form->Edit12->text(), "");
    Calc();
    EXPECT_EQ(form->Edit12->text(), "0.500000000");
    // From a probability, the upper tail at the quantile found.
    Type(form->Edit4, "0.999");
    Calc();
    EXPECT_EQ(form->Edit12->text().toStdString(),
              FormatShownResult(DistUpper(TDistKind::NormalStd, {}, form->CalcX), '.'));
}

// Round ticks over the listed range (1, 2, 2.5 or 5 times a power of ten, about five labels),
// and finite axes for an X near the largest double.
TEST_F(Calculator, RoundTicksAndFiniteAxes)
{
    struct Case {
        TDistKind kind;
        std::initializer_list<const char*> params;
        const char* x;
        double interval, anchor;
    };
    const Case cases[] = {
        {TDistKind::NormalStd, {}, "0", 2, -4},        // -5 to 4.92
        {TDistKind::Chi2, {"9"}, "1", 5, 0},           // 0 to 19.5
        {TDistKind::Normal, {"100", "0.02"}, "100", 0.05, 99.9},
        {TDistKind::Exponential, {"1"}, "0", 0.5, 0},  // 0 to 3
        {TDistKind::NormalStd, {}, "7", 2.5, -5},       // -5 to 6.9
    };
    for (const Case& c : cases) {
        Pick(c.kind, c.params);
        Type(form->Edit2, c.x);
        Calc();
        EXPECT_EQ(form->Chart1AxisX->tickType(), QValueAxis::TicksDynamic) << c.x;
        EXPECT_DOUBLE_EQ(form->Chart1AxisX->tickInterval(), c.interval) << KindIndex(c.kind);
        EXPECT_NEAR(form->Chart1AxisX->tickAnchor(), c.anchor, 1e-9) << KindIndex(c.kind);
        const double span = form->Chart1AxisX->max() - form->Chart1AxisX->min();
        EXPECT_GE(span / c.interval, 3);
        EXPECT_LE(span / c.interval, 8);
        EXPECT_EQ(form->Chart1AxisY->tickType(), QValueAxis::TicksDynamic);
    }
    Pick(TDistKind::NormalStd);
    Type(form->Edit2, "1e308");
    Calc();
    EXPECT_TRUE(std::isfinite(form->Chart1AxisX->max()));
    EXPECT_TRUE(std::isfinite(form->Chart1AxisX->tickInterval()));
    EXPECT_EQ(form->Chart1AxisX->labelFormat(), "%.3g");
    EXPECT_LE(form->Series1->count(), 129);
}

// A chart redrawn over the same range leaves its axes alone (each change lays their labels out
// again, most of a redraw's time), and an axis moved from the widest range back to a small one
// ends as a fresh one would.
TEST_F(Calculator, ARedrawOverTheSameRangeLeavesTheAxesAlone)
{
    Pick(TDistKind::Chi2, {"10"});
    Type(form->Edit2, "3");
    Calc();
    int changes = 0;
    for (QValueAxis* axis : {form->Chart1AxisX, form->Chart1AxisY}) {
        const auto count = [&changes] { ++changes; };
        QObject::connect(axis, &QValueAxis::rangeChanged, count);
        QObject::connect(axis, &QValueAxis::labelFormatChanged, count);
        QObject::connect(axis, &QValueAxis::tickTypeChanged, count);
        QObject::connect(axis, &QValueAxis::tickIntervalChanged, count);
        QObject::connect(axis, &QValueAxis::tickAnchorChanged, count);
    }
    for (QRadioButton* view : {form->RadioButton2, form->RadioButton1}) {
        view->click();
        changes = 0;
        form->Button2Click();
        EXPECT_EQ(changes, 0) << view->objectName().toStdString();
    }
    const auto state = [this](QValueAxis* a) {
        return std::make_tuple(a->min(), a->max(), a->tickInterval(), a->tickAnchor(),
                               a->labelFormat(), a->tickType());
    };
    const auto fresh = std::make_pair(state(form->Chart1AxisX), state(form->Chart1AxisY));
    Type(form->Edit2, "1e308");
    Calc();
    Type(form->Edit2, "3");
    Calc();
    EXPECT_EQ(std::make_pair(state(form->Chart1AxisX), state(form->Chart1AxisY)), fresh);
}

// The axes speak the locale of the fields: "0,5" in both under a comma locale.
TEST(ChartLocale, AxesUseTheFieldsSeparator)
{
    ScriptedPlatform platform;
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    {
        TForm1 form;
        for (QChartView* view : {form.Chart1, form.Chart2}) {
            EXPECT_TRUE(view->chart()->localizeNumbers());
            EXPECT_EQ(view->chart()->locale().decimalPoint(), QChar(','));
            EXPECT_EQ(view->chart()->locale().toString(1000.5), "1000,5");  // no group separator
        }
        EXPECT_EQ(form.DecimalSeparator(), ',');
    }
    QLocale::setDefault(before);
}
