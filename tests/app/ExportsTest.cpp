// What leaves the window as files: a chart as PNG, SVG and PDF at a typed size, the fitting
// report as HTML and Markdown, and the ranking as CSV.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <memory>

#include "ChartExport.h"
#include "FormActions.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"

namespace {
struct Exports : ::testing::Test {
    ScriptedPlatform platform;
    QTemporaryDir dir;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();

    Exports()
    {
        form->show();
        for (int i = 1; i <= 400; ++i)
            form->DataBuffer.push_back(DistEval(TDistKind::Weibull, TDistFunc::Inverse, {1.5, 2}, (i - 0.5) / 400));
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        ChooseOnAuto(*form, TDistKind::Weibull);
    }
    QByteArray Read(const QString& path)
    {
        QFile file(path);
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
};
}  // namespace

TEST_F(Exports, ChartImagesAtTheSizeAsked)
{
    form->Button5->click();
    QAction* save = nullptr;
    for (QAction* a : form->Chart2->actions())
        if (a->text() == "Save image as...")
            save = a;
    ASSERT_NE(save, nullptr);
    for (const char* name : {"chart.png", "chart.svg", "chart.pdf"}) {
        SCOPED_TRACE(name);
        platform.files.push_back(dir.filePath(name));
        platform.inputs.push_back("800x500");
        save->trigger();
    }
    EXPECT_EQ(QImage(dir.filePath("chart.png")).size(), QSize(800, 500));
    const QByteArray svg = Read(dir.filePath("chart.svg"));
    EXPECT_TRUE(svg.contains("<svg") && svg.contains("viewBox=\"0 0 800 500\"") && svg.contains("Observed"))
        << svg.left(600).toStdString();
    EXPECT_TRUE(Read(dir.filePath("chart.pdf")).startsWith("%PDF"));
    // Laid out at the size asked for even while the chart is hidden behind the estimates
    // view: the bars reach the lower half of the image (a stretched copy of the hidden view
    // left it blank).
    form->RadioButton7->click();
    QString error;
    ASSERT_TRUE(SaveChartImage(form->Chart2, dir.filePath("hidden.png"), QSize(640, 400), error));
    const QImage hidden(dir.filePath("hidden.png"));
    int red = 0;
    for (int y = 200; y < 400; ++y)
        for (int x = 0; x < 640; ++x)
            red += hidden.pixelColor(x, y) == QColor(255, 0, 0);
    EXPECT_GT(red, 2000);
    // A size that does not read is refused with the rule; a cancelled box writes nothing.
    platform.files.push_back(dir.filePath("bad.png"));
    platform.inputs.push_back("big");
    save->trigger();
    EXPECT_EQ(platform.messages.last(), "The size is two whole numbers from 16 to 20000, as 800x600.");
    platform.files.push_back(dir.filePath("none.png"));
    save->trigger();
    EXPECT_FALSE(QFile::exists(dir.filePath("bad.png")) || QFile::exists(dir.filePath("none.png")));
}

TEST_F(Exports, TheReportHoldsTheRunAndItsCharts)
{
    form->Button11->click();
    EXPECT_EQ(platform.messages.last(), "Execute the test first: the report shows its results.");
    form->Edit7->setText("12");
    form->Button5->click();
    form->RadioButton6->click();  // P-P: the user's view, put back after the report
    platform.files.push_back(dir.filePath("report.html"));
    form->Button11->click();
    EXPECT_TRUE(form->RadioButton6->isChecked());
    const QString html = QString::fromUtf8(Read(dir.filePath("report.html")));
    for (const char* part : {"<h1>Velmora: fit of 400 numbers to Weibull</h1>", "<h2>Estimates</h2>",
                             "profile likelihood", "Anderson-Darling", "can not be rejected.",
                             "Chi-square (12 categories)", "<svg"})
        EXPECT_TRUE(html.contains(QString::fromUtf8(part))) << part;
    EXPECT_EQ(html.count("<svg"), 2);
    EXPECT_TRUE(html.contains(form->Edit13->text().toHtmlEscaped()));
    platform.files.push_back(dir.filePath("report.md"));
    form->Button11->click();
    const QString md = QString::fromUtf8(Read(dir.filePath("report.md")));
    EXPECT_TRUE(md.startsWith("# Velmora: fit of 400 numbers to Weibull\n"));
    EXPECT_TRUE(md.contains("| parameter | estimate | standard error | lower (95 %) | upper (95 %) | method |"));
    EXPECT_FALSE(md.contains("<svg"));
    EXPECT_FALSE(md.contains("Ranking by AIC"));  // none ran
}

TEST_F(Exports, TheRankingAsCsv)
{
    form->Edit7->setText("12");
    form->Button5->click();
    auto* watch = new QTimer;
    QString copied;
    QObject::connect(watch, &QTimer::timeout, [&, watch] {
        QWidget* w = QApplication::activeModalWidget();
        if (!w || w->objectName() != "RankingDialog")
            return;
        watch->stop();
        auto* table = w->findChild<QTableWidget*>("RankingTable");
        table->actions().at(0)->trigger();  // Copy as CSV
        copied = platform.clipboard;
        w->findChild<QPushButton*>("CloseButton")->click();
    });
    watch->start(20);
    form->Button7->click();
    delete watch;
    const QStringList lines = copied.split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), DistKindCount + 1);
    EXPECT_TRUE(lines[0].startsWith("Distribution,Estimates,95 % intervals,ln L,AIC,BIC,Chi-square (12)"));
    EXPECT_TRUE(lines[1].startsWith("Weibull") || lines[2].startsWith("Weibull")) << lines[1].toStdString();
    // The report now carries the ranking of the same buffer.
    platform.files.push_back(dir.filePath("ranked.md"));
    form->Button11->click();
    EXPECT_TRUE(Read(dir.filePath("ranked.md")).contains("## Ranking by AIC"));
}
