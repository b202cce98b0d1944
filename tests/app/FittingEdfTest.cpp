// The fitting tab's tests on the empirical distribution function, its ranking of every kind
// and its Q-Q and P-P views, through the real widgets: the buttons clicked, the radio buttons
// chosen, the ranking's table and the progress box driven as the user does.
#include <gtest/gtest.h>

#include <QApplication>
#include <QBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QScatterSeries>
#include <QTableWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <random>

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
    void ChooseAuto(TDistKind kind)
    {
        QTimer::singleShot(0, [] {
            if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                d->findChild<QPushButton*>("OK")->click();
        });
        form->ComboBox2->setCurrentIndex(KindIndex(kind));
        emit form->ComboBox2->activated(KindIndex(kind));
    }
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
    QColor Colour(QLabel* label) { return label->palette().color(QPalette::WindowText); }
};
}  // namespace

TEST_F(FittingEdf, ExecuteShowsBothTestsWithTheirVerdictsAndDrawsNothingFromTheSource)
{
    form->DataBuffer = Normal(100, 3);
    ChooseAuto(TDistKind::Normal);
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
    ChooseAuto(TDistKind::Uniform);
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
    ChooseAuto(TDistKind::Normal);
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
    form->RadioButton6->click();  // P-P: probabilities on both axes
    EXPECT_EQ(form->Series6->count(), 2000);
    EXPECT_GE(form->Series6->at(0).x(), 0);
    EXPECT_LE(form->Series6->at(1999).y(), 1);
    form->RadioButton3->click();  // back to the histogram
    EXPECT_EQ(form->Series4Bars->count(), 20);
    EXPECT_EQ(form->Series6->count(), 0);
    EXPECT_TRUE(form->Series4->isVisible());
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

TEST_F(FittingEdf, AClosedRankingAndACancelledTestChangeNothing)
{
    form->DataBuffer = Normal(40, 6);
    ChooseAuto(TDistKind::Normal);
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
    ChooseAuto(TDistKind::Normal);
    form->Edit7->setText(QStringLiteral("20"));
    bool cancelled = false;
    WhenShown([&cancelled](QWidget* w) {
        auto* progress = qobject_cast<QProgressDialog*>(w);
        if (!progress)
            return false;
        progress->cancel();
        cancelled = true;
        return true;
    });
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
