// The controls kit shared by every window: naming, placing and hinting controls, the window
// font, centring, the decimal separator, the character code of a key press, and the wiring of
// a control's signal to a handler inside the default error handler.
#pragma once

#include <QLocale>
#include <QObject>
#include <QRect>
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>

#include "Platform.h"

class QCheckBox;
class QComboBox;
class QFont;
class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

// Gives a control its name (also its objectName) and, when hint is not null, its hint (shown
// in the status bar, and the description a screen reader gives).
void Name(QWidget* control, const char* name, const char* hint);
// Makes the label the buddy of its field, and gives the field the label's caption (without a
// closing colon or " = ") as the name a screen reader announces.
void NameField(QLabel* label, QWidget* field);
// Tab moves through the widgets in the order given.
void TabChain(std::initializer_list<QWidget*> widgets);

// Names a control, gives it its hint and puts it at its fixed place in its parent.
template <class W>
W* Placed(W* control, const char* name, QRect place, const char* hint)
{
    Name(control, name, hint);
    control->setGeometry(place);
    return control;
}

QFrame* MakePanel(QWidget* parent, const char* name, int height, bool bevel);
// A label at (x, y) sized to its caption.
QLabel* MakeLabel(QWidget* parent, const char* name, int x, int y, const char* caption,
                  const char* hint);
QLineEdit* MakeEdit(QWidget* parent, const char* name, QRect place, const char* text,
                    const char* hint, bool readOnly);
// A drop-down list without typing.
QComboBox* MakeList(QWidget* parent, const char* name, QRect place, const char* hint);
QPushButton* MakeButton(QWidget* parent, const char* name, QRect place, const char* caption,
                        const char* hint);
QRadioButton* MakeRadio(QWidget* parent, const char* name, QRect place, const char* caption,
                        const char* hint, bool checked);

// Writes a result into a field showing its beginning, as a field the user has not scrolled;
// a text that does not fit is shown whole in the field's tooltip.
void ShowText(QLineEdit* field, const QString& text);
// The width a field needs to show its whole text, and the tooltip rule for its width now.
int TextFitWidth(const QLineEdit* field);
void RefreshTextTip(QLineEdit* field);

// A page of a tab widget with a vertical layout and no margins, and a chart view with its
// legend at the bottom, both named. The chart view is a tab stop, named after its hint, with a
// frame in the highlight colour while it has focus; its context menu and Ctrl+C put the chart
// on the clipboard as an image at the screen's pixel ratio, and the menu's "Save image as..."
// writes it to a PNG, SVG or PDF file (ChartExport.h).
class QTabWidget;
class QChartView;
QWidget* MakeTab(QTabWidget* pages, const char* name, const char* caption);
QChartView* MakeChart(QWidget* parent, const char* name, const char* hint);
// A named line series with its title, drawn 2 pixels wide in the colour, without point marks.
class QLineSeries;
QLineSeries* MakeLineSeries(const char* name, const char* title, const QColor& colour);

class QChart;
// A chart's background, plot area, legend and axes in the window's palette: as designed (the
// light chart theme) in a light palette; in a dark one the window and base colours with the
// palette's text colour. Call again when the palette changes. Returns the colour the chart's
// labels and lines are drawn on.
class QPalette;
QColor FollowPalette(QChart* chart, const QPalette& palette);

// A chart's axis numbers in the locale's decimal separator, as in the fields, without group
// separators.
class QChart;
void LocaliseNumbers(QChart* chart);

// An axis over [from, to] with about five labels at multiples of a round interval (1, 2, 2.5
// or 5 times a power of ten) and as many decimals as the interval needs. The axis counts its
// ticks from the interval: while the range and the interval change together the ticks are
// fixed (the old interval over a new range of 1e300 would make 1e300 ticks), and they stay
// fixed where the interval is lost in the rounding of the bounds (a range of 1 around 1e17).
// With roundUpTo the axis ends at the first tick at or above `to`, so the top has a label.
// About `labels` labels are shown (fewer where the axis is short on screen).
class QValueAxis;
void SetRoundAxis(QValueAxis* axis, double from, double to, bool roundUpTo = false,
                  int labels = 5);

// Arial 13 px (Liberation Sans where Arial is absent): the font of every window.
QFont WindowFont();
// Moves a window so that its frame sits at the centre of the primary screen.
void CentreOnScreen(QWidget* window);

// The decimal separator of a locale for every number shown or typed: the locale's own where
// it is '.' or ',', else '.' (a separator outside Latin-1 cannot be typed into the fields).
char DecimalSeparatorOf(const QLocale& locale);

// The wait cursor over every window while it lives: an action that may take long (a far
// distribution value, a large chart) shows that the window is busy, not frozen.
class BusyCursor {
public:
    BusyCursor();
    ~BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The character code a key filter sees for a key press: Ctrl+letter gives 1 to 26, Enter 13,
// Backspace 8, Escape 27, a character key its character. Keys that are not characters (Tab
// and Shift+Tab, which move focus; Delete, arrows, Home, End and the other editing and
// function keys) give -1 whatever text the platform attaches, and are never filtered.
int CharCode(const QKeyEvent* key);

// Connects a control's signal to a handler run inside the default error handler, so that no
// exception leaves a Qt slot. A handler taking a QObject* is given the sender, so that one
// handler shared by several controls can tell them apart. Arguments of the signal are dropped.
// Connects radio buttons that share a handler: it runs, inside the default error handler,
// when either of them becomes selected.
void WireSelected(std::initializer_list<QRadioButton*> radios, QObject* receiver,
                  const std::function<void()>& handler);

// The window of a sender (a control), else of the receiver: where an action's boxes belong.
QWidget* WindowOf(QObject* sender, QObject* receiver);

template <class Sender, class Signal, class Handler>
QMetaObject::Connection Wire(Sender* sender, Signal signal, QObject* receiver, Handler handler)
{
    // Its errors are shown over the window of the control that raised the event.
    return QObject::connect(sender, signal, receiver, [sender, receiver, handler = std::move(handler)] {
        RunHandler(WindowOf(sender, receiver), [&] {
            if constexpr (std::is_invocable_v<Handler&, QObject*>)
                handler(static_cast<QObject*>(sender));
            else
                handler();
        });
    });
}
