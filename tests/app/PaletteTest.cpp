// The windows in a light and a dark palette, measured from their pixels: every coloured text
// keeps its listed colour on a light window and a contrast of 4.5:1 on a dark one; the fields'
// texts read on their bright green and red; the charts follow the palette.
#include <gtest/gtest.h>

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QDialog>
#include <memory>

#include "Contrast.h"
#include "FieldColour.h"
#include "Palettes.h"
#include "ScriptedPlatform.h"
#include "Unit1.h"

namespace {
// The colour of most pixels of the image: the background.
QColor Background(const QImage& image)
{
    QHash<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.begin(); it != counts.end(); ++it)
        if (it.value() > best) {
            best = it.value();
            most = it.key();
        }
    return QColor(most);
}

// The contrast of a widget's text against its background, from its pixels: the text's solid
// strokes are the pixels farthest in contrast from the background.
struct Measured {
    QColor background, text;
    double contrast = 1;
};
Measured Measure(QWidget* w, QRect inner = {})
{
    QImage image = w->grab().toImage();
    if (!inner.isNull())
        image = image.copy(inner);
    Measured m;
    m.background = Background(image);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c(image.pixel(x, y));
            const double r = ContrastRatio(c, m.background);
            if (r > m.contrast) {
                m.contrast = r;
                m.text = c;
            }
        }
    return m;
}

// The inside of a line edit: its base and text without the frame.
QRect Inside(QLineEdit* edit)
{
    return edit->rect().adjusted(3, 3, -3, -3);
}

struct Palettes : ::testing::TestWithParam<Scheme> {
    PaletteScope scope{GetParam()};
    ScriptedPlatform platform;
    std::unique_ptr<TForm1> form = std::make_unique<TForm1>();
    bool dark = GetParam() == Scheme::Dark;

    Palettes()
    {
        form->resize(542, 492);
        form->show();
        QApplication::processEvents();
    }
    void ExpectColouredText(QWidget* w, const QColor& listed, const char* what)
    {
        const Measured m = Measure(w);
        if (dark)
            EXPECT_GE(m.contrast, LegibleContrast) << what;
        else  // as designed on a light window (within the text's anti-aliasing)
            EXPECT_LE(std::abs(m.text.red() - listed.red()) + std::abs(m.text.green() - listed.green()) +
                          std::abs(m.text.blue() - listed.blue()),
                      30)
                << what << " " << m.text.name().toStdString();
    }
    void RunFit(const TVector& data, const char* mu, const char* ro)
    {
        form->DataBuffer = data;
        form->PageControl1->setCurrentWidget(form->TabSheet3);
        QTimer::singleShot(0, [mu, ro] {
            auto* d = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            d->findChild<QLineEdit*>("E0")->setText(mu);
            d->findChild<QLineEdit*>("E1")->setText(ro);
            for (const char* box : {"Ch0", "Ch1"})
                d->findChild<QCheckBox*>(box)->setChecked(false);
            d->findChild<QPushButton*>("OK")->click();
        });
        form->ComboBox2->setCurrentIndex(KindIndex(TDistKind::Normal));
        emit form->ComboBox2->activated(KindIndex(TDistKind::Normal));
        form->Edit7->setText("3");
        form->Button5->click();
        QApplication::processEvents();
    }
};
}  // namespace

TEST_P(Palettes, ColouredTextsAreLegible)
{
    form->PageControl1->setCurrentWidget(form->TabSheet3);
    QApplication::processEvents();
    ExpectColouredText(form->Label9, QColor(255, 0, 0), "null hypothesis");

    TVector normal, shifted;
    for (int i = 0; i < 40; ++i) {
        normal.push_back(DistEval(TDistKind::NormalStd, TDistFunc::Inverse, {}, (i + 0.5) / 40));
        shifted.push_back(normal.back() + 1.5);
    }
    RunFit(normal, "0", "1");
    ASSERT_EQ(form->Label17->text(), "can not be rejected.");
    ExpectColouredText(form->Label17, QColor(0, 0, 255), "can not be rejected.");

    RunFit(shifted, "0", "1");
    ASSERT_EQ(form->Label17->text(), "is rejected.");
    ExpectColouredText(form->Label17, QColor(255, 0, 0), "is rejected.");
}

TEST_P(Palettes, FieldTextsReadOnGreenAndRed)
{
    for (FieldColour colour : {FieldColour::Input, FieldColour::Rejected}) {
        SetFieldColour(form->Edit2, colour);
        QApplication::processEvents();
        const Measured m = Measure(form->Edit2, Inside(form->Edit2));
        EXPECT_EQ(m.background, colour == FieldColour::Input ? QColor(0, 255, 0) : QColor(255, 0, 0));
        EXPECT_GE(m.contrast, LegibleContrast);
    }
    SetFieldColour(form->Edit2, FieldColour::Neutral);
    QApplication::processEvents();
    EXPECT_EQ(Measure(form->Edit2, Inside(form->Edit2)).background,
              QApplication::palette().color(QPalette::Base));
}

TEST_P(Palettes, ChartsFollowThePalette)
{
    for (QChartView* chart : {form->Chart1, form->Chart2}) {
        form->PageControl1->setCurrentWidget(chart->parentWidget());
        QApplication::processEvents();
        const Measured m = Measure(chart);
        EXPECT_EQ(m.background.lightness() < 128, dark) << chart->objectName().toStdString();
        EXPECT_GE(m.contrast, LegibleContrast) << chart->objectName().toStdString();
    }
}

// The palette may change while the window is open (the desktop switches theme).
TEST_P(Palettes, TheWindowFollowsAChangeOfPalette)
{
    const QColor before = form->palette().color(QPalette::Window);
    QApplication::setPalette(dark ? QApplication::style()->standardPalette() : DarkPalette());
    QApplication::processEvents();
    EXPECT_NE(form->palette().color(QPalette::Window), before);
    EXPECT_EQ(IsDark(form->palette()), !dark);
    EXPECT_GE(Measure(form->Label9).contrast, dark ? 3.0 : LegibleContrast);
}

INSTANTIATE_TEST_SUITE_P(LightAndDark, Palettes, ::testing::Values(Scheme::Light, Scheme::Dark),
                         [](const auto& info) {
                             return info.param == Scheme::Dark ? std::string("Dark")
                                                               : std::string("Light");
                         });
