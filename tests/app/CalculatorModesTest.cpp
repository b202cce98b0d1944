// The calculator's probability modes, their inverse and shading, the moments line and the
// distribution list that browses without prompting.
#include <gtest/gtest.h>

#include <QAreaSeries>
#include <QComboBox>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTest>
#include <algorithm>
#include <cmath>
#include <memory>

#include "ScriptedPlatform.h"
#include "Unit1.h"

namespace {
const QColor Red(255, 0, 0);

struct CalculatorModes : ::testing::Test {
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    CalculatorModes() { form->show(); }

    void Pick(TDistKind kind, std::initializer_list<const char*> answers = {})
    {
        for (const char* a : answers)
            platform.inputs.push_back(a);
        form->ComboBox1->setCurrentIndex(KindIndex(kind));
        emit form->ComboBox1->activated(KindIndex(kind));
    }
    void Mode(TProbability mode)
    {
        form->ComboBox3->setCurrentIndex(static_cast<int>(mode));
        emit form->ComboBox3->activated(static_cast<int>(mode));
    }
    void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }
    void Calc() { QTest::mouseClick(form->Button1, Qt::LeftButton); }
    double Read(QLineEdit* edit) { return edit->text().toDouble(); }
};
}  // namespace

// Against mpmath: the interval far in one tail keeps its digits (1 - F would give 0), the two
// tails add, and a typed central probability or two-tail sum gives the equal-tailed bounds.
TEST_F(CalculatorModes, IntervalAndTwoTailsForwardAndInverse)
{
    Pick(TDistKind::NormalStd);
    Mode(TProbability::Between);
    EXPECT_TRUE(form->Edit20->isEnabled());
    Type(form->Edit2, "30");
    Type(form->Edit20, "31");
    Calc();
    EXPECT_NEAR(Read(form->Edit21), 4.906713927147918e-198, 1e-6 * 4.9e-198);
    Mode(TProbability::Outside);  // the values at x and b stay: the new mode's value at once
    Type(form->Edit2, "-2");
    Type(form->Edit20, "3");
    Calc();
    EXPECT_NEAR(Read(form->Edit21), 0.024100030, 1e-9);
    // b below x is refused in red, with no value shown.
    Type(form->Edit20, "-3");
    Calc();
    EXPECT_EQ(form->Edit20->palette().color(QPalette::Base), Red);
    EXPECT_EQ(form->Edit21->text(), "");

    Mode(TProbability::Between);
    Type(form->Edit21, "0.95");
    EXPECT_EQ(form->Edit2->text(), "");
    EXPECT_EQ(form->Edit20->text(), "");
    Calc();
    EXPECT_NEAR(Read(form->Edit2), -1.959963985, 1e-9);
    EXPECT_NEAR(Read(form->Edit20), 1.959963985, 1e-9);
    EXPECT_NEAR(Read(form->Edit4), 0.025, 1e-9);
    EXPECT_EQ(form->Edit21->text(), "0.95");  // the typed value stays
    Mode(TProbability::Outside);  // a typed value of the old mode is asked again
    EXPECT_EQ(form->Edit2->text(), "");
    Type(form->Edit21, "0.05");
    Calc();
    EXPECT_NEAR(form->CalcX, -1.959963984540054, 1e-9);
    EXPECT_NEAR(form->CalcB, 1.959963984540054, 1e-9);
    // The upper tail and the lower one of a typed value: x alone.
    Mode(TProbability::Above);
    EXPECT_FALSE(form->Edit20->isEnabled());
    Type(form->Edit21, "0.025");
    Calc();
    EXPECT_NEAR(form->CalcX, 1.959963984540054, 1e-9);
    EXPECT_EQ(form->Edit20->text(), "");
}

// The density is shaded where the mode's event holds and nowhere else; the cumulative view
// marks both bounds.
TEST_F(CalculatorModes, ShadingFollowsTheMode)
{
    Pick(TDistKind::Normal, {"0", "1"});
    const auto check = [&](TProbability mode, double a, double b) {
        Mode(mode);
        Type(form->Edit2, QString::number(a));
        Type(form->Edit20, QString::number(b));
        Calc();
        const QList<QPointF> area = form->Series2Upper->points();
        ASSERT_GT(area.size(), 2);
        for (const QPointF& p : area) {
            const double density = DistEval(TDistKind::Normal, TDistFunc::Density, {0, 1}, p.x());
            const bool in = mode == TProbability::Between ? p.x() >= a && p.x() <= b
                                                          : p.x() <= a || p.x() >= b;
            EXPECT_TRUE(p.y() == 0 || (in && p.y() == density)) << p.x() << " " << p.y();
        }
        // The edges stand at the bounds: both bounds' densities are on the line.
        for (double bound : {a, b})
            EXPECT_TRUE(std::any_of(area.begin(), area.end(), [&](const QPointF& p) {
                return p.x() == bound && p.y() > 0;
            })) << bound;
    };
    check(TProbability::Between, -0.5, 1.25);
    check(TProbability::Outside, -1.5, 0.75);
    // Between the two tails the line runs on the axis.
    const QList<QPointF> area = form->Series2Upper->points();
    EXPECT_TRUE(std::any_of(area.begin(), area.end(), [](const QPointF& p) {
        return p.x() == -1.5 && p.y() == 0;
    }));
    form->RadioButton2->click();
    ASSERT_EQ(form->Series3->count(), 2);
    EXPECT_EQ(form->Series3->at(1).x(), 0.75);
}

TEST_F(CalculatorModes, MomentsLineNamesWhatDoesNotExist)
{
    Pick(TDistKind::Normal, {"1.5", "2"});
    EXPECT_EQ(form->Edit22->text(),
              "mean 1.5; sd 2; median 1.5; mode 1.5; skewness 0; excess kurtosis 0");
    Pick(TDistKind::Cauchy, {"0", "1"});
    EXPECT_EQ(form->Edit22->text().left(35), "mean does not exist; sd does not ex");
    Pick(TDistKind::Student, {"3"});
    EXPECT_TRUE(form->Edit22->text().contains("excess kurtosis infinite"));
    EXPECT_EQ(form->Edit22->toolTip(), form->Edit22->text());
}

// Keys move through the list without a prompt; Enter commits, and the chart follows at once.
TEST_F(CalculatorModes, TheListBrowsesAndCommitsOnEnter)
{
    Pick(TDistKind::NormalStd);
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    form->ComboBox1->setFocus();
    QTest::keyClick(form->ComboBox1, Qt::Key_Down);
    QTest::keyClick(form->ComboBox1, Qt::Key_Down);
    EXPECT_TRUE(platform.prompts.isEmpty());
    EXPECT_EQ(form->ComboBox1->currentIndex(), KindIndex(TDistKind::Chi2));
    EXPECT_EQ(form->CalcKind, TDistKind::NormalStd);
    platform.inputs.push_back("4");
    QTest::keyClick(form->ComboBox1, Qt::Key_Return);
    EXPECT_EQ(platform.prompts, QStringList({"Enter parameter value|N"}));
    EXPECT_EQ(form->CalcKind, TDistKind::Chi2);
    EXPECT_EQ(form->CalcParams, TVector{4});
    ASSERT_GT(form->Series1->count(), 0);
    const QPointF first = form->Series1->at(10);
    EXPECT_EQ(first.y(), DistEval(TDistKind::Chi2, TDistFunc::Density, {4}, first.x()));
    // Leaving the list commits too.
    platform.inputs.push_back("0");
    platform.inputs.push_back("2");
    QTest::keyClick(form->ComboBox1, Qt::Key_Up);
    QTest::keyClick(form->ComboBox1, Qt::Key_Tab);
    QTest::qWait(10);
    EXPECT_EQ(platform.prompts.size(), 3);
    EXPECT_EQ(form->CalcKind, TDistKind::Normal);
    EXPECT_EQ(form->CalcParams, (TVector{0, 2}));
}

// The ends of the typed probability: a central probability of 1 or two tails of 0 reach the
// support's ends, 0 and 1 the other way meet at the median; nothing hangs or throws.
TEST_F(CalculatorModes, TheEndsOfATypedProbability)
{
    Pick(TDistKind::Normal, {"0", "1"});
    for (auto [mode, p] : {std::pair{TProbability::Between, "1"}, {TProbability::Between, "0"},
                           {TProbability::Outside, "0"}, {TProbability::Outside, "1"},
                           {TProbability::Above, "0"}, {TProbability::Below, "1"}}) {
        Mode(mode);
        Type(form->Edit21, p);
        Calc();
        EXPECT_TRUE(platform.messages.isEmpty()) << p << " " << platform.messages.join("|").toStdString();
        EXPECT_LE(form->Series1->count(), 129);
    }
    Mode(TProbability::Between);
    Type(form->Edit21, "0");
    Calc();
    EXPECT_EQ(form->CalcX, form->CalcB);  // both at the median
}
