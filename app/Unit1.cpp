// The main window: its frame, status bar and start; each tab is built and behaves in a file
// of its own.
#include "Unit1.h"

#include <algorithm>
#include <functional>
#include <utility>

#include <QApplication>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QPen>
#include <QFrame>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QStyle>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "Contrast.h"
#include "Controls.h"
#include "HintTracker.h"

TForm1* Form1 = nullptr;

namespace {
// A new application palette (a light or dark desktop theme) is announced to the application
// object; the watch hands it on.
class ApplicationPaletteWatch : public QObject {
public:
    ApplicationPaletteWatch(QObject* owner, std::function<void()> changed)
        : QObject(owner), changed_(std::move(changed))
    {
        qApp->installEventFilter(this);
    }
    ~ApplicationPaletteWatch() override { qApp->removeEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == qApp && event->type() == QEvent::ApplicationPaletteChange)
            changed_();
        return false;
    }

private:
    std::function<void()> changed_;
};
}  // namespace


// The window's own teardown, which follows, moves the focus and delivers events while this
// form is half destroyed: what listens to the application on its behalf goes first.
TForm1::~TForm1()
{
    // A field that loses its focus as the window goes would finish its edit on a form that
    // is half destroyed.
    disconnect(Edit5, nullptr, this, nullptr);
    disconnect(Edit7, nullptr, this, nullptr);
    disconnect(FocusWatch);
    delete GridWatch;
    delete PaletteWatch;
    delete Hints;
    if (Form1 == this)
        Form1 = nullptr;
}

TForm1::TForm1()
{
    Form1 = this;
    Name(this, "Form1", "Mainform");
    setWindowTitle(QStringLiteral("Velmora"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFont(WindowFont());
    setAutoFillBackground(true);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    PageControl1 = new QTabWidget(this);
    Name(PageControl1, "PageControl1", nullptr);
    layout->addWidget(PageControl1, 1);
    StatusBar1 = new QStatusBar(this);
    Name(StatusBar1, "StatusBar1", "Help");
    StatusBar1->setFixedHeight(19);
    StatusBar1->setSizeGripEnabled(false);
    StatusPanel = new QLabel(StatusBar1);
    StatusPanel->setObjectName(QStringLiteral("StatusPanel"));
    StatusPanel->setMinimumWidth(50);
    StatusBar1->addWidget(StatusPanel, 1);
    layout->addWidget(StatusBar1);

    BuildCalculatorTab();
    BuildDataTab();
    BuildFittingTab();
    PageControl1->setCurrentIndex(0);

    // Client area of the 558 x 530 outer window; never so small that a control of a tab
    // leaves the window.
    setMinimumSize(MinimumClientSize());
    resize(542, 492);
    CentreOnScreen(this);
    Hints = new HintTracker(this, StatusPanel);
    FollowAppPalette();
    PaletteWatch = new ApplicationPaletteWatch(this, [this] { FollowAppPalette(); });

    FormCreate();
}



void TForm1::FollowAppPalette()
{
    QPalette pal = QApplication::palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
    ShowTextColours();
    FollowPalette(Chart1->chart(), Chart1->palette());
    const QColor chartBackground = FollowPalette(Chart2->chart(), Chart2->palette());
    Series5->setPen(QPen(LegibleOn(QColor(0, 0, 255), chartBackground), 2));
    Series7->setPen(QPen(LegibleOn(QColor(0, 0, 255), chartBackground), 2));
    Series4Bars->setLabelColor(LegibleOn(QColor(0, 0, 0), chartBackground));
    // The style draws the grid's lines a shade darker than the window, which a dark base
    // hides: there they take the palette's light colour.
    StringGrid1->setStyleSheet(IsDark(palette()) ? QStringLiteral("QTableView { gridline-color: palette(light); }")
                                                 : QString());
}

void TForm1::ShowTextColours()
{
    const QColor window = palette().color(QPalette::Window);
    const auto colour = [&window](QLabel* label, const QColor& listed) {
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, LegibleOn(listed, window));
        label->setPalette(pal);
    };
    colour(Label9, QColor(255, 0, 0));
    colour(Label17, VerdictColour);
    colour(Label24, AdVerdictColour);
    colour(Label26, KsVerdictColour);
}

QSize TForm1::MinimumClientSize() const
{
    // Each panel's controls with the design's margin of 8 pixels to the right; each tab's
    // panels stacked above a chart or grid of at least ChartMinimum pixels.
    constexpr int Margin = 8, ChartMinimum = 160;
    int width = 0, height = 0;
    for (QWidget* tab : {TabSheet1, TabSheet2, TabSheet3}) {
        int panels = 0;
        for (QFrame* panel : tab->findChildren<QFrame*>(QString(), Qt::FindDirectChildrenOnly)) {
            if (!panel->objectName().startsWith(QLatin1String("Panel")))
                continue;
            width = std::max(width, panel->childrenRect().right() + 1 + Margin);
            panels += panel->height();
        }
        height = std::max(height, panels + ChartMinimum);
    }
    const int frame = 2 * PageControl1->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    return {width + frame,
            height + frame + PageControl1->tabBar()->sizeHint().height() + StatusBar1->height()};
}

void TForm1::FormCreate()
{
    ComboBox1->clear();
    ComboBox2->clear();
    for (int k = 0; k < DistKindCount; ++k) {
        ComboBox1->addItem(QString::fromUtf8(DistKindName[k]));
        ComboBox2->addItem(QString::fromUtf8(DistKindName[k]));
    }
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == ComboBox1)
        return CalcListFilter(event);
    if (event->type() == QEvent::KeyPress && (watched == Edit2 || watched == Edit4 ||
                                              watched == Edit12 || watched == Edit20 ||
                                              watched == Edit21)) {
        const int code = CharCode(static_cast<QKeyEvent*>(event));
        if (code >= 0 && !Edit2KeyPress(code))
            return true;
    }
    if (event->type() == QEvent::KeyPress && watched == Edit7) {
        const int code = CharCode(static_cast<QKeyEvent*>(event));
        if (code == 13) {
            RunHandler(this, [this] { Edit7Apply(); });
            return true;
        }
        if (code >= 0 && !Edit5KeyPress(code))
            return true;  // digits only, as the Data tab's count
    }
    if (event->type() == QEvent::KeyPress && watched == Edit5) {
        const int code = CharCode(static_cast<QKeyEvent*>(event));
        if (code == 13) {  // Enter finishes a typed count
            RunHandler(this, [this] { ApplyCount(); });
            return true;
        }
        if (code >= 0 && !Edit5KeyPress(code))
            return true;
    }
    if (event->type() == QEvent::KeyPress && watched == StringGrid1) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            RunHandler(this, [this] { StringGrid1Copy(); });
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            RunHandler(this, [this] { StringGrid1Paste(); });
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == Panel4)
        RunHandler(this, [this] { Panel4Resize(); });
    if (event->type() == QEvent::Resize && watched == Panel6)
        RunHandler(this, [this] { Panel6Resize(); });
    return QWidget::eventFilter(watched, event);
}
