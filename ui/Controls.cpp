#include "Controls.h"

#include <QAbstractAxis>
#include <QAction>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QCursor>
#include <QFrame>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLegend>
#include <QLineEdit>
#include <QLineSeries>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QValueAxis>
#include <QVBoxLayout>
#include <QVariant>

#include <algorithm>
#include <cmath>

#include "ChartExport.h"
#include "Contrast.h"

void Name(QWidget* control, const char* name, const char* hint)
{
    control->setObjectName(QString::fromLatin1(name));
    if (hint) {
        control->setStatusTip(QString::fromUtf8(hint));
        control->setAccessibleDescription(QString::fromUtf8(hint));
    }
}

void TabChain(std::initializer_list<QWidget*> widgets)
{
    for (auto it = widgets.begin(); it + 1 < widgets.end(); ++it)
        QWidget::setTabOrder(*it, *(it + 1));
}

void NameField(QLabel* label, QWidget* field)
{
    label->setBuddy(field);
    QString caption = label->text().trimmed();
    for (const QString& end : {QStringLiteral(":"), QStringLiteral("=")})
        if (caption.endsWith(end))
            caption = caption.chopped(end.size()).trimmed();
    field->setAccessibleName(caption);
}

QFrame* MakePanel(QWidget* parent, const char* name, int height, bool bevel)
{
    auto* panel = new QFrame(parent);
    Name(panel, name, nullptr);
    panel->setFixedHeight(height);
    if (bevel)
        panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    return panel;
}

QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const char* caption,
                  const char* hint)
{
    auto* label = new QLabel(QString::fromUtf8(caption), parent);
    Name(label, name, hint);
    label->move(x, y);
    label->adjustSize();
    return label;
}

QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place, const char* text,
                    const char* hint, bool readOnly)
{
    auto* edit = Placed(new QLineEdit(QString::fromUtf8(text), parent), name, place, hint);
    edit->setReadOnly(readOnly);
    return edit;
}

QComboBox* MakeList(QWidget* parent, const char* name, QRect place, const char* hint)
{
    auto* list = Placed(new QComboBox(parent), name, place, hint);
    list->setEditable(false);
    list->setMaxVisibleItems(16);
    return list;
}

QPushButton* MakeButton(QWidget* parent, const char* name, QRect place, const char* caption,
                        const char* hint)
{
    return Placed(new QPushButton(QString::fromUtf8(caption), parent), name, place, hint);
}

QRadioButton* MakeRadio(QWidget* parent, const char* name, QRect place, const char* caption,
                        const char* hint, bool checked)
{
    auto* radio = Placed(new QRadioButton(QString::fromUtf8(caption), parent), name, place, hint);
    radio->setChecked(checked);
    return radio;
}

void ShowText(QLineEdit* field, const QString& text)
{
    field->setText(text);
    field->setCursorPosition(0);
    RefreshTextTip(field);
}

int TextFitWidth(const QLineEdit* field)
{
    // The frame and the line edit's own inner margin of 2 pixels on each side.
    const QMargins margins = field->textMargins();
    const int frame = field->width() - field->contentsRect().width();
    return field->fontMetrics().horizontalAdvance(field->text()) + margins.left() +
           margins.right() + frame + 2 * 2 + 1;
}

void RefreshTextTip(QLineEdit* field)
{
    field->setToolTip(TextFitWidth(field) > field->width() ? field->text() : QString());
}

namespace {
// The chart as it is shown, at the screen's pixel ratio, without the focus frame around it.
QImage ChartImage(QChartView* view)
{
    return view->viewport()->grab().toImage();
}
}  // namespace

QChartView* MakeChart(QWidget* parent, const char* name, const char* hint)
{
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    Name(view, name, hint);
    view->setAccessibleName(QString::fromUtf8(hint));
    view->setRenderHint(QPainter::Antialiasing);
    view->setFocusPolicy(Qt::StrongFocus);
    view->setStyleSheet(QStringLiteral("QChartView { border: 1px solid transparent; }"
                                       "QChartView:focus { border: 1px solid palette(highlight); }"));
    auto* copy = new QAction(QStringLiteral("Copy image"), view);
    copy->setShortcut(QKeySequence::Copy);
    copy->setShortcutContext(Qt::WidgetShortcut);
    view->addAction(copy);
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    QObject::connect(copy, &QAction::triggered, view,
                     [view] { CurrentPlatform().SetClipboardImage(ChartImage(view)); });
    auto* save = new QAction(QStringLiteral("Save image as..."), view);
    view->addAction(save);
    QObject::connect(save, &QAction::triggered, view, [view] { SaveChartImageAs(view); });
    return view;
}


QWidget* MakeTab(QTabWidget* pages, const char* name, const char* caption)
{
    auto* tab = new QWidget;
    Name(tab, name, nullptr);
    auto* layout = new QVBoxLayout(tab);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    pages->addTab(tab, QString::fromUtf8(caption));
    return tab;
}

QLineSeries* MakeLineSeries(const char* name, const char* title, const QColor& colour)
{
    auto* series = new QLineSeries;
    series->setObjectName(QString::fromUtf8(name));
    series->setName(QString::fromUtf8(title));
    series->setPen(QPen(colour, 2));
    series->setPointsVisible(false);
    return series;
}

namespace {
// A value an object had when first seen, kept on it to go back to from a dark palette.
template <class T, class Get>
T Designed(QObject* object, const char* name, Get get)
{
    const QVariant kept = object->property(name);
    if (kept.isValid())
        return kept.value<T>();
    const T value = get();
    object->setProperty(name, QVariant::fromValue(value));
    return value;
}
}  // namespace

QColor FollowPalette(QChart* chart, const QPalette& palette)
{
    const bool dark = IsDark(palette);
    const QColor text = palette.color(QPalette::Text);
    const QBrush background =
        Designed<QBrush>(chart, "designedBackground", [chart] { return chart->backgroundBrush(); });
    chart->setBackgroundBrush(dark ? QBrush(palette.color(QPalette::Window)) : background);
    const QBrush plotArea = Designed<QBrush>(chart, "designedPlotArea",
                                             [chart] { return chart->plotAreaBackgroundBrush(); });
    chart->setPlotAreaBackgroundBrush(dark ? QBrush(palette.color(QPalette::Base)) : plotArea);
    QLegend* legend = chart->legend();
    const QColor legendText =
        Designed<QColor>(legend, "designedLabels", [legend] { return legend->labelColor(); });
    legend->setLabelColor(dark ? text : legendText);
    for (QAbstractAxis* axis : chart->axes()) {
        const auto kept = [axis](const char* name, auto get) { return Designed<QColor>(axis, name, get); };
        const QColor labels = kept("designedLabels", [axis] { return axis->labelsColor(); });
        const QColor line = kept("designedLine", [axis] { return axis->linePenColor(); });
        const QColor grid = kept("designedGrid", [axis] { return axis->gridLineColor(); });
        axis->setLabelsColor(dark ? text : labels);
        axis->setLinePenColor(dark ? text : line);
        axis->setGridLineColor(dark ? palette.color(QPalette::Mid) : grid);
    }
    // The light theme's background is a gradient near white.
    return dark ? palette.color(QPalette::Window) : QColor(Qt::white);
}

void LocaliseNumbers(QChart* chart)
{
    QLocale numbers;
    numbers.setNumberOptions(QLocale::OmitGroupSeparator);
    chart->setLocale(numbers);
    chart->setLocalizeNumbers(true);
}

void SetRoundAxis(QValueAxis* axis, double from, double to, bool roundUpTo, int labels)
{
    // The axis as it is to end, settled first: each change lays its labels out again, so only
    // what differs is set (a chart redrawn over the same range sets nothing).
    bool dynamic = false;
    double interval = 0, anchor = 0;
    QString format = QStringLiteral("%.3g");
    const double span = to - from;
    if (span > 0 && std::isfinite(span)) {
        const double rough = span / std::max(1, labels), power = std::pow(10, std::floor(std::log10(rough)));
        const double r = rough / power;
        const double factor = r < 1.5 ? 1 : r < 2.25 ? 2 : r < 3.5 ? 2.5 : r < 7.5 ? 5 : 10;
        const double step = factor * power;
        const double largest = std::max(std::fabs(from), std::fabs(to));
        if (largest + step / 4 > largest) {
            if (roundUpTo && std::isfinite(std::ceil(to / step) * step))
                to = std::ceil(to / step) * step;
            dynamic = true;
            interval = step;
            anchor = std::ceil(from / step) * step;
            const int decimals = std::max(0, -static_cast<int>(std::floor(std::log10(step) + 1e-9))) +
                                 (factor == 2.5 && step < 10 ? 1 : 0);
            if (largest < 1e7 && largest >= 1e-4)
                format = QStringLiteral("%.") + QString::number(decimals) + QStringLiteral("f");
        }
    }
    const bool moved = axis->min() != from || axis->max() != to;
    const bool retick = dynamic && (axis->tickInterval() != interval || axis->tickAnchor() != anchor);
    if (moved || retick || !dynamic)
        axis->setTickType(QValueAxis::TicksFixed);
    if (moved)
        axis->setRange(from, to);
    if (retick) {
        axis->setTickInterval(interval);
        axis->setTickAnchor(anchor);
    }
    if (axis->labelFormat() != format)
        axis->setLabelFormat(format);
    if (dynamic)
        axis->setTickType(QValueAxis::TicksDynamic);
}

QFont WindowFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(13);
    return font;
}

void CentreOnScreen(QWidget* window)
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window->move(screen->availableGeometry().center() - window->rect().center());
}

BusyCursor::BusyCursor()
{
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QGuiApplication::restoreOverrideCursor();
}

char DecimalSeparatorOf(const QLocale& locale)
{
    const QString point = locale.decimalPoint();
    if (point == QLatin1String(","))
        return ',';
    return '.';
}

QWidget* WindowOf(QObject* sender, QObject* receiver)
{
    for (QObject* o : {sender, receiver})
        if (auto* widget = qobject_cast<QWidget*>(o))
            return widget->window();
    return nullptr;
}

void WireSelected(std::initializer_list<QRadioButton*> radios, QObject* receiver,
                  const std::function<void()>& handler)
{
    for (QRadioButton* radio : radios)
        Wire(radio, &QRadioButton::toggled, receiver, [radio, handler] {
            if (radio->isChecked())
                handler();
        });
}

int CharCode(const QKeyEvent* key)
{
    const int k = key->key();
    if ((key->modifiers() & Qt::ControlModifier) && k >= Qt::Key_A && k <= Qt::Key_Z)
        return k - Qt::Key_A + 1;
    switch (k) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    // Qt's codes from Key_Escape on name keys that are not characters.
    if (k >= Qt::Key_Escape && k != Qt::Key_unknown)
        return -1;
    const QString text = key->text();
    return text.isEmpty() ? -1 : text.at(0).unicode();
}
