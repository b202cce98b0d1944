// Construction and layout of the main window; the tabs' behaviour lives in files of their own.
#include "Unit1.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include "Controls.h"
#include "DataGridModel.h"
#include "HintTracker.h"
#include "Counts.h"
#include "UpDown.h"

TForm1* Form1 = nullptr;

namespace {
QChartView* MakeChart(QWidget* parent, const char* name, const char* hint)
{
    auto* chart = new QChart;
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setBackgroundRoundness(0);
    auto* view = new QChartView(chart, parent);
    Name(view, name, hint);
    view->setRenderHint(QPainter::Antialiasing);
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
}  // namespace

// The window's own teardown, which follows, moves the focus and delivers events while this
// form is half destroyed: what listens to the application on its behalf goes first.
TForm1::~TForm1()
{
    // A field that loses its focus as the window goes would finish its edit on a form that
    // is half destroyed.
    disconnect(Edit5, nullptr, this, nullptr);
    disconnect(FocusWatch);
    delete GridWatch;
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
    QPalette pal = palette();
    pal.setColor(QPalette::Window, pal.color(QPalette::Button));
    setPalette(pal);
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

    // Client area of the 558 x 530 outer window.
    resize(542, 492);
    CentreOnScreen(this);
    Hints = new HintTracker(this, StatusPanel);

    FormCreate();
}

void TForm1::BuildCalculatorTab()
{
    TabSheet1 = MakeTab(PageControl1, "TabSheet1", "Velmora");
    Panel1 = MakePanel(TabSheet1, "Panel1", 121, true);
    const char* distHint = "Select the type of distribution";
    const char* paramsHint = "Distribution parameters";
    const char* xHint = "Value of random variable (select X or prob)";
    const char* densityHint = "Density of probabolity as a function of X or prob";
    const char* probHint =
        "Probability that random variable X will engange the value (select X or prob)";
    const char* showHint = "Click to show the image of distribution";
    const char* viewHint =
        "Select if you wish to show density or cumulative density of distribution";
    Label1 = MakeLabel(Panel1, "Label1", 8, 16, "Distribution", distHint);
    ComboBox1 = MakeList(Panel1, "ComboBox1", {112, 8, 169, 24}, distHint);
    Label2 = MakeLabel(Panel1, "Label2", 296, 16, "Params", paramsHint);
    Edit1 = MakeEdit(Panel1, "Edit1", {344, 8, 161, 24}, "", paramsHint, true);
    Label3 = MakeLabel(Panel1, "Label3", 8, 40, "X", xHint);
    Edit2 = MakeEdit(Panel1, "Edit2", {112, 32, 97, 24}, "0", xHint, false);
    Label4 = MakeLabel(Panel1, "Label4", 296, 40, "Density", densityHint);
    Edit3 = MakeEdit(Panel1, "Edit3", {344, 32, 97, 24}, "0", densityHint, true);
    Label5 = MakeLabel(Panel1, "Label5", 8, 64, "Probability", probHint);
    Edit4 = MakeEdit(Panel1, "Edit4", {112, 56, 97, 24}, "", probHint, false);
    Button1 = MakeButton(Panel1, "Button1", {216, 56, 65, 25}, "Calc", "Click to recalculate");
    Label6 = MakeLabel(Panel1, "Label6", 8, 88, "Show", showHint);
    RadioButton1 = MakeRadio(Panel1, "RadioButton1", {56, 88, 81, 17}, "Density", viewHint, true);
    RadioButton2 =
        MakeRadio(Panel1, "RadioButton2", {128, 88, 89, 17}, "Cumulative", viewHint, false);
    Button2 = MakeButton(Panel1, "Button2", {216, 88, 65, 17}, "Show", showHint);
    QWidget::setTabOrder(Edit4, Edit3);
    QWidget::setTabOrder(Edit3, Edit2);
    QWidget::setTabOrder(Edit2, Edit1);
    QWidget::setTabOrder(Edit1, ComboBox1);
    QWidget::setTabOrder(ComboBox1, Button2);
    QWidget::setTabOrder(Button2, Button1);
    QWidget::setTabOrder(Button1, RadioButton1);
    QWidget::setTabOrder(RadioButton1, RadioButton2);

    Chart1 = MakeChart(TabSheet1, "Chart1", "The figure of probability distribution");
    BuildChart1();
    TabSheet1->layout()->addWidget(Panel1);
    TabSheet1->layout()->addWidget(Chart1);
    WireCalculator();
}

void TForm1::BuildDataTab()
{
    TabSheet2 = MakeTab(PageControl1, "TabSheet2", "Data");
    Panel2 = MakePanel(TabSheet2, "Panel2", 41, true);
    Label7 = MakeLabel(Panel2, "Label7", 8, 16, "Count:", nullptr);
    Edit5 = MakeEdit(Panel2, "Edit5", {56, 8, 41, 24}, "0", nullptr, false);
    UpDown1 = Placed(new TUpDown(Panel2, Edit5, 0, static_cast<int>(MaxDataCount), 0), "UpDown1",
                     {97, 8, 16, 24}, nullptr);
    Button3 = MakeButton(Panel2, "Button3", {120, 8, 75, 25}, "Copy", nullptr);
    Button4 = MakeButton(Panel2, "Button4", {200, 8, 75, 25}, "Paste", nullptr);
    Button6 = MakeButton(Panel2, "Button6", {280, 8, 89, 25}, "Generate RND", nullptr);

    GridModel = new DataGridModel(DataBuffer, DecimalSeparator(), this);
    StringGrid1 = new QTableView(TabSheet2);
    Name(StringGrid1, "StringGrid1", nullptr);
    StringGrid1->setModel(GridModel);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->verticalHeader()->setDefaultSectionSize(24);
    StringGrid1->setColumnWidth(0, 220);
    StringGrid1->setShowGrid(true);
    StringGrid1->setSelectionMode(QAbstractItemView::ContiguousSelection);
    // As in a spreadsheet: typing, F2 or a double click edits a cell; clicks and arrow keys
    // select, so Ctrl+C and Ctrl+V act on the selection.
    StringGrid1->setEditTriggers(QAbstractItemView::DoubleClicked |
                                 QAbstractItemView::EditKeyPressed |
                                 QAbstractItemView::AnyKeyPressed);
    TabSheet2->layout()->addWidget(Panel2);
    TabSheet2->layout()->addWidget(StringGrid1);
    WireDataTab();
}

void TForm1::BuildFittingTab()
{
    TabSheet3 = MakeTab(PageControl1, "TabSheet3", "Distribution fitting");
    Panel3 = MakePanel(TabSheet3, "Panel3", 105, true);
    Panel4 = MakePanel(TabSheet3, "Panel4", 72, true);
    Panel5 = MakePanel(TabSheet3, "Panel5", 16, false);

    const char* estimatedHint = "Cout of estimated parameters";
    const char* categoriesHint = "The count of cathegories for test";
    const char* assumptionHint = "Claiming about test assumption";
    const char* alphaHint = "Level of significance of null hypothesis that was found";
    const char* detailsHint = "Test result details";
    const char* verdictHint =
        "Claiming about the null hypothesis on the std. level of significance.";
    Label8 = MakeLabel(Panel3, "Label8", 8, 8, "Test null hypothesis:", nullptr);
    Label9 = MakeLabel(Panel3, "Label9", 136, 8,
                       "Buffered data origin is in the distribution defined as follows",
                       "Null hypothesis");
    QPalette red = Label9->palette();
    red.setColor(QPalette::WindowText, QColor(255, 0, 0));
    Label9->setPalette(red);
    Label10 = MakeLabel(Panel3, "Label10", 8, 32, "Distribution", "Distribution type");
    ComboBox2 = MakeList(Panel3, "ComboBox2", {136, 24, 169, 24}, "Distribution type");
    Label11 = MakeLabel(Panel3, "Label11", 8, 56, "with params", "distribution parameters");
    Edit6 = MakeEdit(Panel3, "Edit6", {136, 48, 169, 24}, "", "distribution parameters", true);
    Label18 = MakeLabel(Panel3, "Label18", 312, 56, "of which ", estimatedHint);
    Edit10 = MakeEdit(Panel3, "Edit10", {368, 48, 41, 24}, "N/A", estimatedHint, true);
    Label19 = MakeLabel(Panel3, "Label19", 416, 56, "were estimated.", estimatedHint);
    Label12 = MakeLabel(Panel3, "Label12", 8, 80, "Test by histogram of", categoriesHint);
    Edit7 = MakeEdit(Panel3, "Edit7", {136, 72, 41, 24}, "3", categoriesHint, true);
    UpDown2 = Placed(new TUpDown(Panel3, Edit7, 3, 150, 3), "UpDown2", {177, 72, 16, 24},
                     categoriesHint);
    Label13 = MakeLabel(Panel3, "Label13", 200, 80, "cathegories on buffered data.",
                        categoriesHint);
    Button5 = MakeButton(Panel3, "Button5", {448, 72, 75, 25}, "Execute", "Execute test");

    Label14 = MakeLabel(Panel4, "Label14", 8, 8, "Test assuptions:", assumptionHint);
    Edit8 = MakeEdit(Panel4, "Edit8", {112, 0, 233, 24}, "N/A", assumptionHint, true);
    Label16 = MakeLabel(Panel4, "Label16", 368, 8, "Found alpha:", alphaHint);
    Edit9 = MakeEdit(Panel4, "Edit9", {448, 0, 73, 24}, "N/A", alphaHint, true);
    Label20 = MakeLabel(Panel4, "Label20", 8, 24, "Test details:", detailsHint);
    Edit11 = MakeEdit(Panel4, "Edit11", {112, 24, 233, 24}, "N/A", detailsHint, true);
    Label15 = MakeLabel(Panel4, "Label15", 8, 48,
                        "In the std. level of significance (5 %), null hypothesis", verdictHint);
    Label17 = MakeLabel(Panel4, "Label17", 320, 48, "N/A", verdictHint);

    Label21 = MakeLabel(Panel5, "Label21", 0, 0, "Show", nullptr);
    RadioButton3 = MakeRadio(Panel5, "RadioButton3", {40, -1, 73, 17}, "Density", nullptr, true);
    RadioButton4 =
        MakeRadio(Panel5, "RadioButton4", {112, -1, 113, 17}, "Cumulative", nullptr, false);

    Chart2 = MakeChart(TabSheet3, "Chart2", "Histogram");
    BuildChart2();

    for (QWidget* w : {static_cast<QWidget*>(Panel3), static_cast<QWidget*>(Panel4),
                       static_cast<QWidget*>(Panel5), static_cast<QWidget*>(Chart2)})
        TabSheet3->layout()->addWidget(w);
    WireFittingTab();
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
    if (event->type() == QEvent::KeyPress && (watched == Edit2 || watched == Edit4)) {
        const int code = CharCode(static_cast<QKeyEvent*>(event));
        if (code >= 0 && !Edit2KeyPress(code))
            return true;
    }
    if (event->type() == QEvent::KeyPress && watched == Edit5) {
        const int code = CharCode(static_cast<QKeyEvent*>(event));
        if (code == 13) {  // Enter finishes a typed count
            RunHandler([this] { Edit5Change(); });
            return true;
        }
        if (code >= 0 && !Edit5KeyPress(code))
            return true;
    }
    if (event->type() == QEvent::KeyPress && watched == StringGrid1) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy)) {
            RunHandler([this] { StringGrid1Copy(); });
            return true;
        }
        if (key->matches(QKeySequence::Paste)) {
            RunHandler([this] { StringGrid1Paste(); });
            return true;
        }
    }
    if (event->type() == QEvent::Resize && watched == Panel4)
        RunHandler([this] { Panel4Resize(); });
    return QWidget::eventFilter(watched, event);
}
