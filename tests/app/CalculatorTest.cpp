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
#include <memory>

#include "NumberFormat.h"
#include "ScriptedPlatform.h"
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

// A cancelled or unreadable entry shows the message, clears the selection, and leaves the
// calculator's distribution and parameters as they were.
TEST_F(Calculator, AnUnfinishedChoiceChangesNothing)
{
    Pick(TDistKind::Normal, {"1", "2"});
    Pick(TDistKind::Beta, {"2"});  // the second prompt is cancelled
    EXPECT_EQ(platform.messages, QStringList({"Invalid number format."}));
    EXPECT_EQ(form->ComboBox1->currentIndex(), -1);
    EXPECT_EQ(form->CalcKind, TDistKind::Normal);
    EXPECT_EQ(form->CalcParams, (TVector{1, 2}));
    EXPECT_EQ(form->Edit1->text(), "mu=1; ro=2; ");
    Pick(TDistKind::Beta, {"abc"});
    EXPECT_EQ(platform.prompts.size(), 5);  // the remaining parameter is not asked for
    EXPECT_EQ(platform.messages.size(), 2);
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
    // Small results never turn scientific.
    Type(form->Edit2, "40");
    Calc();
    EXPECT_EQ(form->Edit3->text(), "0.000000000");
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

TEST_F(Calculator, FloatingPointErrorsReachTheDefaultHandlerAndWhatWasWrittenStays)
{
    Pick(TDistKind::Normal, {"0", "0"});
    Type(form->Edit2, "1");
    Calc();
    EXPECT_EQ(platform.messages, QStringList({"Floating point division by zero"}));
    EXPECT_EQ(Colour(form->Edit2), Green);
    EXPECT_EQ(form->Edit3->text(), "");
    EXPECT_EQ(form->Edit4->text(), "");
    // A range that divides by zero ends the redraw with its message.
    Pick(TDistKind::Pareto, {"1", "0"});
    Show();
    EXPECT_EQ(platform.messages.last(), "Floating point division by zero");
}

// Inputs a hostile user can type: each action ends (the suite's deadline fails it otherwise)
// with its value or its message (degrees of freedom beyond a million are served by no sound
// method, and the listed ones overflow), the busy cursor gone before a message shows, and the
// fields and the chart agree afterwards.
TEST_F(Calculator, HostileInputsEndAndTheFieldsAgreeWithTheChart)
{
    struct Case {
        TDistKind kind;
        std::initializer_list<const char*> params;
        const char* x;
        const char* message;  // null: a value
    };
    const Case cases[] = {
        {TDistKind::Chi2, {"1000000000"}, "2", "Floating point overflow"},
        {TDistKind::Student, {"1000000000"}, "2", "Floating point overflow"},
        {TDistKind::F, {"1000000", "5"}, "2", nullptr},
        {TDistKind::Chi2, {"1024"}, "1000", nullptr},  // served truly beyond the listed 1022
        {TDistKind::Chi2, {"3e9"}, "2", "Floating point overflow"},
        {TDistKind::Normal, {"2", "2"}, "1e300", nullptr},
        {TDistKind::Normal, {"1e300", "10"}, "0", nullptr},
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
        EXPECT_EQ(form->Edit4->text().toStdString(), FormatResult(form->CalcProbability, '.')) << c.x;
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
    EXPECT_EQ(form->Edit3->text(), "0.000000000");
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
