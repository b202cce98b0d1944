// Charts out of the window: an image file (PNG, SVG or PDF, by the name's suffix) at a size in
// pixels, and the SVG text a report embeds.
#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

class QChartView;
class QWidget;

// False where the file cannot be written; `error` then says why.
bool SaveChartImage(QChartView* view, const QString& path, QSize size, QString& error);
QByteArray ChartSvg(QChartView* view, QSize size);
// "Save image as...": the file and its size asked for, then written; a message where it fails.
void SaveChartImageAs(QChartView* view);
