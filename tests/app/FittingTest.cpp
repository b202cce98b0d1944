// The fitting tab through its real widgets: the hypothesis and its parameters dialog, the
// chi-square test with its texts and colours, and the histogram.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QValueAxis>
#include <cmath>
#include <functional>
#include <memory>

#include "BulkGeneration.h"
#include "Checks.h"
#include "Controls.h"
#include "ScriptedPlatform.h"
#include "SimpleRandomLib.h"
#include "Unit1.h"

namespace {
using Fill = std::function<void(QDialog*)>;

QLineEdit* Row(QDialog* d, int i) { return d->findChild<QLineEdit*>("E" + QString::number(i)); }
QCheckBox* Auto(QDialog* d, int i) { return d->findChild<QCheckBox*>("Ch" + QString::number(i)); }
void PressOk(QDialog* d) { d->findChild<QPushButton*>("OK")->click(); }

struct Fitting : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    Fitting() { form->PageControl1->setCurrentWidget(form->TabSheet3); }

    // Picks a kind in the list as the user does; `fill` acts in the dialog (by default OK).
    void Choose(TDistKind kind, Fill fill = PressOk)
    {
        QTimer::singleShot(0, [fill] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                fill(d);
        });
        form->ComboBox2->setCurrentIndex(KindIndex(kind));
        emit form->ComboBox2->activated(KindIndex(kind));
    }
    static Fill Typed(std::initializer_list<const char*> values)
    {
        return [values](QDialog* d) {
            int i = 0;
            for (const char* v : values) {
                if (v)
                    Row(d, i)->setText(v);
                ++i;
            }
            PressOk(d);
        };
    }
    void Execute(int k)
    {
        form->Edit7->setText(QString::number(k));
        form->Button5->click();
    }
    QColor Verdict() { return form->Label17->palette().color(QPalette::WindowText); }
    struct Hypothesis {
        TDistKind kind;
        TVector params;
        int estimated;
        QString line, count;
        bool operator==(const Hypothesis& o) const
        {
            return kind == o.kind && SameBits(params, o.params) && estimated == o.estimated &&
                   line == o.line && count == o.count;
        }
    };
    Hypothesis Current()
    {
        return {form->FitKind, form->FitParams, form->FitEstimatedCount, form->Edit6->text(),
                form->Edit10->text()};
    }
};
}  // namespace

TEST_F(Fitting, TheWorkedExample)
{
    form->DataBuffer = {1, 2, 3, 4, 5, 6};
    Choose(TDistKind::Uniform);
    EXPECT_EQ(form->FitParams, (TVector{1, 6}));
    // Both ends were estimated; they are the sample's extremes, which are the categories' ends:
    // they use up no degree of freedom, d = 4 - 0 - 1 = 3.
    EXPECT_EQ(form->FitEstimatedCount, 0);
    EXPECT_EQ(form->Edit10->text(), "2");
    Execute(4);
    EXPECT_EQ(form->LastFit.bounds, (TVector{2.25, 3.5, 4.75, 6}));
    EXPECT_EQ(form->LastFit.observed, (TVector{2, 1, 1, 2}));
    EXPECT_EQ(form->LastFit.expected, (TVector{1.5, 1.5, 1.5, 1.5}));
    EXPECT_EQ(form->Edit11->text(), "Rstat = 0.666666666666667; N=4;Np=0;Rcrit(0.05)=7.814728");
    EXPECT_EQ(form->Edit8->text(), "Significantly exceeded");
    EXPECT_NEAR(form->Edit9->text().toDouble(), 0.881015, 1e-6);
    EXPECT_EQ(form->Label17->text(), "can not be rejected.");
    EXPECT_EQ(Verdict(), QColor(0, 0, 255));
    EXPECT_TRUE(platform.messages.isEmpty());
    // The histogram: one bar per category, the line's vertices at the upper bounds.
    ASSERT_EQ(form->Series4Bars->count(), 4);
    EXPECT_EQ(form->Series4Bars->at(3), 2);
    EXPECT_EQ(form->Series5->points().last(), QPointF(6, 1.5));
    EXPECT_DOUBLE_EQ(form->Chart2AxisX->min(), 2.25 - 1.25 / 2);
    EXPECT_DOUBLE_EQ(form->Chart2AxisX->max(), 6 + 1.25 / 2);
    form->RadioButton4->click();  // cumulated: the last points are N and N F(max)
    EXPECT_EQ(form->Series4Bars->at(3), 6);
    EXPECT_EQ(form->Series5->points().last().y(), 6);
    form->RadioButton3->click();
    EXPECT_EQ(form->Series4Bars->at(0), 2);
}

TEST_F(Fitting, TooFewDegreesOfFreedom)
{
    form->DataBuffer = {1, 2, 3, 4, 5, 6};
    Choose(TDistKind::Normal);
    Execute(3);  // d = 3 - 2 - 1 = 0
    EXPECT_EQ(form->Edit8->text(), "fatally not satisfied");
    EXPECT_EQ(form->Edit9->text(), "N/A");
    EXPECT_EQ(form->Edit11->text(), "3 categories leave no degree of freedom for 2 estimates");
    EXPECT_EQ(form->Label17->text(), "N/A");
    EXPECT_EQ(Verdict(), QColor(0, 0, 0));
    EXPECT_EQ(form->Series4Bars->count(), 3);  // the histogram is drawn first
    // All values equal: every bound is that value, d = -2.
    form->DataBuffer.assign(10, 7);
    Choose(TDistKind::Uniform);
    Execute(5);
    EXPECT_EQ(form->LastFit.observed, (TVector{10, 0, 0, 0, 0}));
    EXPECT_EQ(form->Edit8->text(), "fatally not satisfied");
}

TEST_F(Fitting, VerdictsOnTheAssumptions)
{
    // Uniform(0, 10) typed, k = 5: four categories above 5 values, one with exactly 5.
    form->DataBuffer = {0, 1, 1, 1, 1, 1};
    for (double x : {3.0, 5.0, 7.0})
        form->DataBuffer.insert(form->DataBuffer.end(), 6, x);
    form->DataBuffer.insert(form->DataBuffer.end(), {9, 9, 9, 9, 10});
    Choose(TDistKind::Uniform, Typed({"0", "10"}));
    EXPECT_EQ(form->FitEstimatedCount, 0);
    Execute(5);
    EXPECT_EQ(form->Edit8->text(), "Slighly crossed");  // q = 4/5
    // k = 20 with nine categories above 5: q = 9/20.
    form->DataBuffer = {0, 10};
    for (int c = 0; c < 9; ++c)
        form->DataBuffer.insert(form->DataBuffer.end(), 6, c * 0.5 + 0.25);
    Execute(20);
    EXPECT_EQ(form->Edit8->text(), "Significantly exceeded");
    // Categories without expectation: Uniform(0, 5) over values up to 10.
    form->DataBuffer = {0, 1, 2, 3, 4, 6, 8, 10};
    Choose(TDistKind::Uniform, Typed({"0", "5"}));
    Execute(4);
    EXPECT_EQ(form->Edit8->text(), "Roughly violated");
    // d = 4 - 0 - 1 - 2 for alpha; the critical value keeps k - Np - 1 = 3.
    EXPECT_TRUE(form->Edit11->text().endsWith("N=4;Np=0;Rcrit(0.05)=7.814728"));
}

TEST_F(Fitting, AZeroStatisticAndARejection)
{
    form->DataBuffer = {0, 1, 2.5, 3, 5, 6};
    Choose(TDistKind::Uniform, Typed({"0", "6"}));
    Execute(3);
    EXPECT_EQ(form->Edit9->text(), "1");
    EXPECT_EQ(form->Label17->text(), "can not be rejected.");
    // A Normal(10, 1) sample is no exponential one.
    SeedRandom(99);
    TBulkGeneration normal(TGenMethod::Inverse, TDistKind::Normal, {10, 1}, 2000);
    normal.Run();
    form->DataBuffer = normal.Result();
    Choose(TDistKind::Exponential);
    Execute(20);
    EXPECT_EQ(form->Label17->text(), "is rejected.");
    EXPECT_EQ(Verdict(), QColor(255, 0, 0));
}

TEST_F(Fitting, RefusedRunsChangeNothing)
{
    form->DataBuffer = {1, 2, 3, 4, 5, 6};
    form->Button5->click();  // no distribution chosen
    EXPECT_EQ(form->ComboBox2->palette().color(QPalette::Base), QColor(255, 0, 0));
    Choose(TDistKind::Uniform);
    Execute(4);
    const QString details = form->Edit11->text();
    const TVector bounds = form->LastFit.bounds;
    form->DataBuffer = {1, 2};
    Execute(4);
    EXPECT_EQ(platform.messages, QStringList({"Buffer is empty."}));
    EXPECT_EQ(form->Edit11->text(), details);
    EXPECT_EQ(form->LastFit.bounds, bounds);
    // A fault of the hypothesised distribution: Normal(0, 0) divides by zero. The dialog
    // refuses that ro now, so the hypothesis is set as no window can set it.
    form->DataBuffer = {1, 2, 3, 4, 5, 7};
    Choose(TDistKind::Normal, Typed({"0", "1"}));
    form->FitParams = {0, 0};
    Execute(5);
    EXPECT_EQ(platform.messages.last(), "Floating point division by zero");
    EXPECT_EQ(form->LastFit.bounds, bounds);
    EXPECT_EQ(form->LastFit.expected, (TVector{1.5, 1.5, 1.5, 1.5}));
    EXPECT_EQ(form->Series4Bars->count(), 4);
    EXPECT_EQ(form->Edit11->text(), details);
}

TEST_F(Fitting, TheParametersDialog)
{
    form->DataBuffer = {1, 2, 3};
    bool checked = false;
    Choose(TDistKind::Normal, [&](QDialog* d) {
        EXPECT_EQ(d->windowTitle(), "Parameters estimation");
        EXPECT_EQ(d->findChild<QLabel*>("L1")->text(), "ro = ");
        EXPECT_EQ(Row(d, 1)->geometry(), QRect(80, 24, 120, 24));
        EXPECT_EQ(Row(d, 0)->statusTip(), "Midle value");
        EXPECT_EQ(Auto(d, 1)->pos(), QPoint(208, 32));
        EXPECT_EQ(Auto(d, 0)->statusTip(),
                  "Check if you want to estimate the parameter automatically.");
        auto* ok = d->findChild<QPushButton*>("OK");
        EXPECT_EQ(ok->geometry(), QRect(80, d->height() - 33, 75, 25));
        EXPECT_EQ(ok->statusTip(), "Click to confirm");
        EXPECT_FALSE(ok->isDefault());
        // "Auto" and a typed value exclude each other.
        Row(d, 0)->setText("5");
        EXPECT_FALSE(Auto(d, 0)->isChecked());
        Auto(d, 0)->setChecked(true);
        EXPECT_EQ(Row(d, 0)->text(), "");
        Row(d, 1)->setText("3");
        Row(d, 1)->clear();
        checked = Auto(d, 1)->isChecked();
        PressOk(d);
    });
    EXPECT_TRUE(checked);
    EXPECT_EQ(form->FitParams, (TVector{2, 1}));
    EXPECT_EQ(form->Edit6->text(), "mu=2; ro=1; ");
    // Unreadable and out-of-range values turn red and keep the dialog open.
    const auto rejects = [this](TDistKind kind, const char* value) {
        bool red = false, open = false;
        Choose(kind, [&](QDialog* d) {
            Row(d, 0)->setText(value);
            PressOk(d);
            red = Row(d, 0)->palette().color(QPalette::Base) == QColor(255, 0, 0);
            open = d->result() != QDialog::Accepted;
            d->reject();
        });
        return red && open;
    };
    EXPECT_TRUE(rejects(TDistKind::Normal, "abc"));
    EXPECT_TRUE(rejects(TDistKind::Chi2, "1"));
    EXPECT_FALSE(rejects(TDistKind::Chi2, "2"));
    // Outside the catalogue's bounds alone: red, silently, as listed.
    EXPECT_TRUE(rejects(TDistKind::Chi2, "2000"));
    EXPECT_TRUE(platform.messages.isEmpty());
    // What the kind's functions cannot serve is refused as the calculator's prompt refuses it,
    // with the same message, though the catalogue's bounds let it pass.
    EXPECT_TRUE(rejects(TDistKind::Student, "2.5"));
    EXPECT_EQ(platform.messages.last(), "N must be a whole number from 1 to 1000000.");
}

// ro = -1 lies inside Normal's listed bounds (from -1.3E153) but no normal law has it: the
// dialog refuses it with the calculator's message, and the test never sees it.
TEST_F(Fitting, TheDialogAsksTheRuleEveryWindowAsks)
{
    form->DataBuffer = {1, 2, 3, 4, 5, 7};
    bool red = false, open = false;
    Choose(TDistKind::Normal, [&](QDialog* d) {
        Row(d, 0)->setText("0");
        Row(d, 1)->setText("-1");
        PressOk(d);
        red = Row(d, 1)->palette().color(QPalette::Base) == QColor(255, 0, 0);
        open = d->result() != QDialog::Accepted;
        Row(d, 1)->setText("2");
        PressOk(d);
    });
    EXPECT_TRUE(red && open);
    EXPECT_EQ(platform.messages, QStringList({"ro must be greater than 0."}));
    EXPECT_EQ(form->FitParams, (TVector{0, 2}));
    // The tie between typed values, and between a typed value and an estimate, which is told
    // once the estimate is formed: the choice does not complete.
    const Hypothesis normal = Current();
    Choose(TDistKind::Uniform, [&](QDialog* d) {
        Row(d, 0)->setText("5");
        Row(d, 1)->setText("3");
        PressOk(d);
        open = d->result() != QDialog::Accepted;
        d->reject();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(platform.messages.last(), "max must be greater than min.");
    Choose(TDistKind::Uniform, Typed({nullptr, "0.5"}));
    EXPECT_EQ(platform.messages.size(), 3);
    EXPECT_EQ(platform.messages.last(), "max must be greater than min.");
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
    EXPECT_TRUE(Current() == normal);
}

TEST_F(Fitting, ChoicesThatCompleteAndChoicesThatDoNot)
{
    form->DataBuffer = {1, 2, 3};
    Choose(TDistKind::Normal);
    const Hypothesis normal = Current();
    EXPECT_EQ(normal.count, "2");
    // The close box: no selection, the hypothesis as it was, the test refuses.
    Choose(TDistKind::Beta, [](QDialog* d) { d->reject(); });
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
    EXPECT_TRUE(Current() == normal);
    // "Auto" on parameters that cannot be estimated: the refusal says which and why; with
    // fewer than 3 numbers, the general message.
    Choose(TDistKind::Beta);
    form->DataBuffer = {1, 2};
    Choose(TDistKind::Normal);
    EXPECT_EQ(platform.messages,
              QStringList({"alpha and beta cannot be estimated: the buffer holds values outside (0, 1).",
                           "An error has occured during parameters automatic estimation."}));
    EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
    EXPECT_TRUE(Current() == normal);
    // Nothing on "Auto": the typed values stand, without a message (Cauchy with both typed
    // showed the estimation's error).
    Choose(TDistKind::Cauchy, Typed({"0", "2"}));
    EXPECT_EQ(platform.messages.size(), 2);
    EXPECT_EQ(form->FitKind, TDistKind::Cauchy);
    EXPECT_EQ(form->FitParams, (TVector{0, 2}));
    EXPECT_EQ(form->Edit10->text(), "0");
    const Hypothesis cauchy = Current();
    const auto refused = [&](TDistKind kind, const TVector& data) {
        form->DataBuffer = data;
        Choose(kind);
        EXPECT_EQ(form->ComboBox2->currentIndex(), -1);
        EXPECT_TRUE(Current() == cauchy);
        return platform.messages.last();
    };
    EXPECT_EQ(refused(TDistKind::LogNormal, {-1, -2, -3}),
              "mu and ro cannot be estimated: the buffer holds values at or below 0.");
    EXPECT_EQ(refused(TDistKind::Normal, {5, 5, 5}),
              "ro cannot be estimated: the estimate 0 lies outside the values it may take.");
    // A floating-point fault in the estimation: an exponential rate beyond the doubles.
    EXPECT_EQ(refused(TDistKind::Exponential, {1e-310, 1e-310, 2e-310}), "Floating point overflow");
    // Whole degrees of freedom use up no degree of freedom, though both were estimated.
    form->DataBuffer = {1.5, 2.5, 3.5, 7};
    Choose(TDistKind::F);
    EXPECT_EQ(form->Edit10->text(), "2");
    EXPECT_EQ(form->FitEstimatedCount, 0);
    Choose(TDistKind::Weibull, [this](QDialog* d) {
        Row(d, 0)->setText("2");
        PressOk(d);
    });
    EXPECT_EQ(form->FitEstimatedCount, 1);
    EXPECT_EQ(form->Edit10->text(), "1");
    // A kind without parameters: no dialog.
    Choose(TDistKind::UniformStd);
    EXPECT_EQ(form->Edit6->text(), "");
    EXPECT_EQ(form->FitEstimatedCount, 0);
    EXPECT_TRUE(form->FitParams.empty());
}

// Estimates on "Auto" are refitted to the run's categories for its expectations; the shown
// ones stay those of the raw data.
TEST_F(Fitting, TheRunRefitsTheEstimatesToItsCategories)
{
    TVector data;
    for (int i = 1; i <= 400; ++i)
        data.push_back(3 * std::pow(-std::log(1 - (i - 0.5) / 400), 1 / 1.5) + (i % 7) * 0.01);
    form->DataBuffer = data;
    Choose(TDistKind::Weibull);
    const TVector shown = form->FitParams;
    const QString line = form->Edit6->text();
    Execute(20);
    TParamSet both;
    both.set(0);
    both.set(1);
    TVector refitted = shown;
    ASSERT_TRUE(RefitToCategories(data, TDistKind::Weibull, refitted, both, 20));
    EXPECT_NE(refitted, shown);
    EXPECT_EQ(form->LastFit.expected,
              ChiSquareFitTest(data, TDistKind::Weibull, refitted, 2, 20).expected);
    EXPECT_EQ(form->FitParams, shown);
    EXPECT_EQ(form->Edit6->text(), line);
    EXPECT_EQ(form->Edit11->text().section(';', 2, 2), "Np=2");
}

TEST_F(Fitting, ResultFieldsFollowThePanelsWidth)
{
    form->show();
    form->resize(800, 600);
    QApplication::processEvents();
    const int W = form->Panel4->width();
    EXPECT_EQ(form->Edit9->x(), W - form->Edit9->width() - 8);
    EXPECT_EQ(form->Label16->x(), form->Edit9->x() - form->Label16->width() - 8);
    EXPECT_EQ(form->Edit11->width(), W - form->Edit11->x() - 8);
    EXPECT_EQ(form->Edit8->width(), form->Label16->x() - form->Edit8->x() - 8);
}

// No number is shown cut so that it reads as another: the found alpha's field grows leftward
// to its whole text, and a field that cannot show its text carries it in its tooltip.
TEST_F(Fitting, ResultsAreNeverShownCut)
{
    form->resize(558, 530);
    form->show();
    TVector data;
    for (int i = 0; i < 3000; ++i)
        data.push_back(i % 211 == 0 ? 50 + i % 13 : (i % 100) / 10.0);  // far from normal
    form->DataBuffer = data;
    Choose(TDistKind::Normal);
    Execute(20);
    ASSERT_EQ(form->Label17->text(), "is rejected.");
    const QString alpha = form->Edit9->text();
    EXPECT_GT(alpha.size(), 10) << alpha.toStdString();
    EXPECT_GE(form->Edit9->width(), TextFitWidth(form->Edit9));
    EXPECT_EQ(form->Edit9->x() + form->Edit9->width(), form->Panel4->width() - 8);
    EXPECT_EQ(form->Label16->x() + form->Label16->width(), form->Edit9->x() - 8);
    EXPECT_EQ(form->Edit8->x() + form->Edit8->width(), form->Label16->x() - 8);
    for (QLineEdit* field : {form->Edit6, form->Edit8, form->Edit9, form->Edit11}) {
        const bool fits = TextFitWidth(field) <= field->width();
        EXPECT_EQ(field->toolTip(), fits ? QString() : field->text()) << field->objectName().toStdString();
    }
    EXPECT_EQ(form->Edit6->toolTip(), form->Edit6->text());  // "mu=...; ro=...; " is long
}

// At the design size the histogram stays readable for every category count: a handful of
// round bound labels on the value axis, and counts over the bars only where they fit.
TEST_F(Fitting, TheHistogramIsReadableForEveryCategoryCount)
{
    form->resize(558, 530);
    form->show();
    TVector data;
    for (int i = 0; i < 5000; ++i)
        data.push_back(DistEval(TDistKind::NormalStd, TDistFunc::Inverse, {}, (i + 0.5) / 5000));
    form->DataBuffer = data;
    Choose(TDistKind::Normal);
    for (int k : {3, 20, 150}) {
        Execute(k);
        QApplication::processEvents();
        const QValueAxis* axis = form->Chart2AxisX;
        EXPECT_TRUE(axis->isVisible());
        EXPECT_LE((axis->max() - axis->min()) / axis->tickInterval(), 10) << k;
        EXPECT_EQ(form->Series4->isLabelsVisible(), k == 3) << k;
    }
}

namespace {
QStringList chartWarnings;
void RecordWarning(QtMsgType type, const QMessageLogContext&, const QString& text)
{
    if (type == QtWarningMsg && !text.startsWith("This plugin does not support"))
        chartWarnings << text;
}
}  // namespace

// Bounds near the largest double: the histogram's axes and points are given finite numbers
// only (the chart warns of and ignores any other).
TEST_F(Fitting, TheHistogramGetsFiniteValuesOnly)
{
    chartWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler(RecordWarning);
    form->DataBuffer = {-1.7e308, -1, 0, 0.5, 1, 2, 1.7e308};
    Choose(TDistKind::Normal, Typed({"0", "1"}));
    for (QRadioButton* view : {form->RadioButton3, form->RadioButton4}) {
        view->click();
        Execute(3);
        EXPECT_TRUE(std::isfinite(form->Chart2AxisX->min()) && std::isfinite(form->Chart2AxisX->max()));
        EXPECT_TRUE(std::isfinite(form->Chart2AxisY->max()));
        for (const QPointF& p : form->Series5->points())
            EXPECT_TRUE(std::isfinite(p.x()) && std::isfinite(p.y()));
        for (int i = 0; i < form->Series4Bars->count(); ++i)
            EXPECT_TRUE(std::isfinite(form->Series4Bars->at(i)));
    }
    qInstallMessageHandler(previous);
    EXPECT_TRUE(chartWarnings.isEmpty()) << chartWarnings.join("\n").toStdString();
}

// Histograms of very different spans one after the other: each is drawn with a handful of
// labels (before, the previous interval laid over a span of 1e300 made the window hang).
TEST_F(Fitting, HistogramsOfAnySpanFollowEachOther)
{
    Choose(TDistKind::Normal, Typed({"0", "1"}));
    const TVector spans[] = {{1, 2, 3, 4, 5, 6},
                             {-1e300, -1, 0, 1, 1e300, 2},
                             {0.001, 0.002, 0.003, 0.004},
                             {1e17, 1e17 + 16, 1e17 + 32, 1e17 + 64},
                             {-5e-310, 0, 5e-310, 1e-309}};
    for (const TVector& data : spans) {
        form->DataBuffer = data;
        Execute(3);
        QApplication::processEvents();
        const QValueAxis* axis = form->Chart2AxisX;
        EXPECT_TRUE(axis->tickType() == QValueAxis::TicksFixed ||
                    (axis->max() - axis->min()) / axis->tickInterval() <= 10)
            << data[0];
    }
}

// The category count follows the buffer's size and the hypothesis until the user sets it.
TEST_F(Fitting, CategoryCountFollowsTheBufferUntilSet)
{
    form->Edit5->setText("6");
    form->Edit5Change();
    EXPECT_EQ(form->Edit7->text(), "4");  // 2 6^(2/5) = 4.1
    form->DataBuffer = {1, 2, 3, 4, 5, 6};
    Choose(TDistKind::Normal);
    EXPECT_EQ(form->Edit7->text(), "5");  // two estimates leave two degrees of freedom
    form->Edit5->setText("1000");
    form->Edit5Change();
    EXPECT_EQ(form->Edit7->text(), "32");  // 31.7
    QTest::keyClick(form->Edit7, Qt::Key_Backspace);
    EXPECT_EQ(form->Edit7->text(), "3");
    form->Edit5->setText("100");
    form->Edit5Change();
    EXPECT_EQ(form->Edit7->text(), "3");  // typed: it stays
}
