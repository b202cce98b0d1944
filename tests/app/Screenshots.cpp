// Writes the screenshots of docs/screenshots: every tab of the main window, and the
// generation dialog, in the light and the dark palette, each in a typical state.
// Usage: velmora_screenshots <folder>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "BulkGeneration.h"
#include "ChartExport.h"
#include "FormActions.h"
#include "Palettes.h"
#include "ScriptedPlatform.h"
#include "SimpleRandomLib.h"
#include "Unit1.h"
#include "Unit2.h"

namespace {
void Save(QWidget* w, const QString& path)
{
    QApplication::processEvents();
    if (!w->grab().save(path))
        std::fprintf(stderr, "could not write %s\n", qPrintable(path));
}

void Shoot(const QString& folder, const QString& scheme)
{
    ScriptedPlatform platform;
    auto form = std::make_unique<TForm1>();
    form->resize(542, 492);
    form->show();

    // The calculator: the normal density at X = 1.2, typed.
    platform.inputs = {"0", "1"};
    form->ComboBox1->setCurrentIndex(KindIndex(TDistKind::Normal));
    emit form->ComboBox1->activated(KindIndex(TDistKind::Normal));
    form->Edit2->setFocus();
    form->Edit2->selectAll();
    QTest::keyClicks(form->Edit2, "1.2");
    form->Button1->click();
    Save(form.get(), folder + "/calculator-" + scheme + ".png");

    // The other three probabilities of the same law: above X = 1.2, the central 95 % typed
    // (x and b found with equal tails), and the two tails below -1 and above 2.
    const auto mode = [&](TProbability m) {
        form->ComboBox3->setCurrentIndex(static_cast<int>(m));
        emit form->ComboBox3->activated(static_cast<int>(m));
    };
    mode(TProbability::Above);
    form->Button1->click();
    Save(form.get(), folder + "/calculator-above-" + scheme + ".png");
    mode(TProbability::Between);
    form->Edit21->setFocus();
    QTest::keyClicks(form->Edit21, "0.95");
    form->Button1->click();
    Save(form.get(), folder + "/calculator-between-" + scheme + ".png");
    mode(TProbability::Outside);
    form->Edit2->setFocus();
    QTest::keyClicks(form->Edit2, "-1");
    form->Edit20->setFocus();
    form->Edit20->selectAll();
    QTest::keyClicks(form->Edit20, "2");
    form->Button1->click();
    Save(form.get(), folder + "/calculator-tails-" + scheme + ".png");
    mode(TProbability::Below);

    // The Gamma distribution's density at X = 3.
    platform.inputs = {"2.5", "1.5"};
    form->ComboBox1->setCurrentIndex(KindIndex(TDistKind::Gamma));
    emit form->ComboBox1->activated(KindIndex(TDistKind::Gamma));
    form->Edit2->setText("3");
    form->Button1->click();
    Save(form.get(), folder + "/calculator-gamma-" + scheme + ".png");

    // The data tab: 2000 numbers of the normal distribution.
    SeedRandom(11);
    TBulkGeneration normal(TGenMethod::Inverse, TDistKind::Normal, {10, 2}, 2000);
    normal.Run();
    form->DataBuffer = normal.Result();
    form->PageControl1->setCurrentWidget(form->TabSheet2);
    Save(form.get(), folder + "/data-" + scheme + ".png");

    // Opening a file of three columns: the dialog that picks one, shot and cancelled.
    QTemporaryDir dir;
    const QString path = dir.filePath("measurements.csv");
    {
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write("date;temperature;load\n2026-01-05;12,5;310\n2026-01-06;13,25;295\n"
                   "2026-01-07;11,75;;\n2026-01-08;12;301\n");
    }
    QTimer::singleShot(100, [folder, scheme] {
        if (QWidget* dialog = QApplication::activeModalWidget()) {
            Save(dialog, folder + "/open-columns-" + scheme + ".png");
            static_cast<QDialog*>(dialog)->reject();
        }
    });
    form->OpenDataFile(path);

    // The fitting tab: the normal hypothesis with estimated parameters, 20 categories.
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    ChooseOnAuto(*form, TDistKind::Normal);
    form->Edit7->setText("20");
    form->Button5->click();
    Save(form.get(), folder + "/fitting-" + scheme + ".png");
    form->RadioButton5->click();
    Save(form.get(), folder + "/fitting-qq-" + scheme + ".png");

    // How sure a Weibull fit of 500 numbers is: the estimates with their intervals, the 10 %
    // quantile (a B10 life) and P(X > 1) with theirs; and the cumulated counts with the band.
    const TVector normals = form->DataBuffer;
    TBulkGeneration weibull(TGenMethod::Inverse, TDistKind::Weibull, {1.5, 2}, 500);
    weibull.Run();
    form->DataBuffer = weibull.Result();
    QTimer::singleShot(0, [] {
        if (auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
            d->findChild<QPushButton*>("OK")->click();
    });
    form->ComboBox2->setCurrentIndex(KindIndex(TDistKind::Weibull));
    emit form->ComboBox2->activated(KindIndex(TDistKind::Weibull));
    form->Edit7->setText("15");
    form->Button5->click();
    form->RadioButton4->click();
    Save(form.get(), folder + "/fitting-band-" + scheme + ".png");
    form->RadioButton7->click();
    form->Edit16->setText("0.1");
    emit form->Edit16->returnPressed();
    form->Edit18->setText("1");
    emit form->Edit18->returnPressed();
    Save(form.get(), folder + "/fitting-estimates-" + scheme + ".png");
    // What leaves the window as files: the histogram as SVG, and the report of this run.
    if (scheme == "light") {
        form->RadioButton3->click();
        QFile svg(folder + "/fitting-histogram.svg");
        if (svg.open(QIODevice::WriteOnly))
            svg.write(ChartSvg(form->Chart2, QSize(640, 400)));
        QFile report(folder + "/fitting-report.html");
        if (report.open(QIODevice::WriteOnly))
            report.write(form->FittingReport(true).toUtf8());
    }
    form->RadioButton3->click();

    // The ranking of every kind, of the 500 Weibull numbers; the table is shot once its tests
    // have all ended (Stop tests gone), and closed.
    auto* watch = new QTimer;
    QObject::connect(watch, &QTimer::timeout, [watch, folder, scheme] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != "RankingDialog" || w->findChild<QPushButton*>("StopButton")->isVisible())
            return;
        watch->stop();
        watch->deleteLater();
        Save(w, folder + "/ranking-" + scheme + ".png");
        w->findChild<QPushButton*>("CloseButton")->click();
    });
    watch->start(50);
    form->Button7->click();
    form->DataBuffer = normals;

    TForm2 form2;
    form2.show();
    Save(&form2, folder + "/generation-" + scheme + ".png");
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QDir().mkpath(folder);
    {
        PaletteScope light(Scheme::Light);
        Shoot(folder, "light");
    }
    {
        PaletteScope dark(Scheme::Dark);
        Shoot(folder, "dark");
    }
    return 0;
}
