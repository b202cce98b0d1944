// Charts as files: the view painted on a PNG image, an SVG generator or a PDF page, scaled to
// the size asked for.
#include "ChartExport.h"

#include <QBuffer>
#include <QChart>
#include <QGraphicsLayout>
#include <QGraphicsScene>
#include <QChartView>
#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "Platform.h"

namespace {
// The chart laid out at the size asked for (its axes, labels and legend placed for it, not
// stretched from the view's), painted, and given back its size in the view.
void Paint(QChartView* view, QPaintDevice* device, QSize size)
{
    QChart* chart = view->chart();
    const QRectF shown = chart->geometry();
    chart->setGeometry(QRectF(shown.topLeft(), QSizeF(size)));
    if (chart->layout())
        chart->layout()->activate();
    {
        QPainter painter(device);
        painter.setRenderHint(QPainter::Antialiasing);
        view->scene()->render(&painter, QRectF(QPointF(0, 0), QSizeF(size)), chart->geometry());
    }
    chart->setGeometry(shown);
    if (chart->layout())
        chart->layout()->activate();
}

void WriteSvg(QChartView* view, QIODevice* device, QSize size)
{
    QSvgGenerator svg;
    svg.setOutputDevice(device);
    svg.setSize(size);
    svg.setViewBox(QRect(QPoint(0, 0), size));
    svg.setTitle(view->accessibleName());
    Paint(view, &svg, size);
}
}  // namespace

QByteArray ChartSvg(QChartView* view, QSize size)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    WriteSvg(view, &buffer, size);
    return buffer.data();
}

bool SaveChartImage(QChartView* view, const QString& path, QSize size, QString& error)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("svg")) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly)) {
            error = file.errorString();
            return false;
        }
        WriteSvg(view, &file, size);
        if (file.error() != QFileDevice::NoError) {
            error = file.errorString();
            return false;
        }
        return true;
    }
    if (suffix == QLatin1String("pdf")) {
        QPdfWriter pdf(path);
        pdf.setResolution(72);
        pdf.setPageSize(QPageSize(QSizeF(size), QPageSize::Point));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        Paint(view, &pdf, size);
        if (!QFileInfo::exists(path)) {
            error = QStringLiteral("the file could not be written");
            return false;
        }
        return true;
    }
    QImage image(size, QImage::Format_ARGB32);
    image.fill(Qt::white);
    Paint(view, &image, size);
    if (!image.save(path, "PNG")) {
        error = QStringLiteral("the file could not be written");
        return false;
    }
    return true;
}

void SaveChartImageAs(QChartView* view)
{
    Platform& platform = CurrentPlatform();
    const QString path = platform.SaveFileName(view->window(), QStringLiteral("Save image"),
                                               QStringLiteral("PNG (*.png);;SVG (*.svg);;PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    const QSize shown = view->viewport()->size();
    const auto typed = platform.InputBox(view->window(), QStringLiteral("Save image"),
                                         QStringLiteral("Size in pixels (width x height)"),
                                         QStringLiteral("%1x%2").arg(shown.width()).arg(shown.height()));
    if (!typed)
        return;
    const QStringList parts = typed->split(QLatin1Char('x'));
    bool wide = false, high = false;
    const int width = parts.size() == 2 ? parts[0].trimmed().toInt(&wide) : 0;
    const int height = parts.size() == 2 ? parts[1].trimmed().toInt(&high) : 0;
    if (!wide || !high || width < 16 || height < 16 || width > 20000 || height > 20000) {
        platform.ShowMessage(view->window(), QStringLiteral("The size is two whole numbers from 16 to 20000, as 800x600."));
        return;
    }
    QString error;
    if (!SaveChartImage(view, path, QSize(width, height), error))
        platform.ShowMessage(view->window(), QStringLiteral("Cannot save %1: %2.").arg(QFileInfo(path).fileName(), error));
}
