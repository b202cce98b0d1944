// TForm1, Velmora's main window: a page control with the calculator, the data buffer and the
// fitting tab, and a status bar showing the hint of the control under the pointer.
#pragma once

#include <QColor>
#include <cstdint>
#include <functional>
#include <memory>
#include <QWidget>

#include "BackgroundWork.h"
#include "Fit_Lib.h"

class QAreaSeries;
class QBarCategoryAxis;
class QBarSeries;
class QBarSet;
class QCheckBox;
class QDialog;
class QChartView;
class QLineSeries;
class QScatterSeries;
class QValueAxis;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QTabWidget;
class QTableView;
class QTableWidget;
class DataGridModel;
class HintTracker;
class TUpDown;
class TParamsDialog;

class TForm1 : public QWidget {
    Q_OBJECT
public:
    TForm1();
    ~TForm1() override;

    // Window and status bar
    QTabWidget* PageControl1;
    QStatusBar* StatusBar1;
    QLabel* StatusPanel;  // the status bar's one panel
    HintTracker* Hints = nullptr;  // keeps the panel on the hint under the pointer

    // Calculator tab
    QWidget* TabSheet1;
    QFrame* Panel1;
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6;
    QLabel* Label22;  // "P(X > x)"
    QComboBox* ComboBox1;
    QLineEdit *Edit1, *Edit2, *Edit3, *Edit4;
    QLineEdit* Edit12;  // the upper tail P(X > x), typed like the probability
    QPushButton *Button1, *Button2;
    QRadioButton *RadioButton1, *RadioButton2;
    QChartView* Chart1;
    QAreaSeries* Series2;     // area up to X, drawn first
    QLineSeries* Series2Upper;  // the area's upper line
    QLineSeries* Series1;     // the density or distribution curve
    QScatterSeries* Series3;  // the point (X, F(X))
    QValueAxis *Chart1AxisX, *Chart1AxisY;
    // Below the described rows: the probability the chart shades (below x, above x, between x
    // and b, or the two tails), its second bound b, its value (typed: x and b with equal
    // tails), and the law's moments.
    QLabel *Label31, *Label32, *Label33, *Label34;
    QComboBox* ComboBox3;
    QLineEdit *Edit20, *Edit21, *Edit22;

    // Data tab
    QWidget* TabSheet2;
    QFrame* Panel2;
    QLabel* Label7;
    QLineEdit* Edit5;
    TUpDown* UpDown1;
    QPushButton *Button3, *Button4, *Button6;
    QTableView* StringGrid1;
    DataGridModel* GridModel;
    // Data files: "Open..." and "Save..." (Ctrl+O, Ctrl+S; a file dropped on the window opens
    // too), and the buffer's description beneath them.
    QPushButton *Button9, *Button10;
    QLabel* Label35;

    // Fitting tab
    QWidget* TabSheet3;
    QFrame *Panel3, *Panel4, *Panel5;
    QLabel *Label8, *Label9, *Label10, *Label11, *Label12, *Label13, *Label14, *Label15,
        *Label16, *Label17, *Label18, *Label19, *Label20, *Label21;
    QComboBox* ComboBox2;
    QLineEdit *Edit6, *Edit7, *Edit8, *Edit9, *Edit10, *Edit11;
    TUpDown* UpDown2;
    QPushButton* Button5;
    QPushButton* Button7;  // "Rank all": every kind fitted and ranked
    QPushButton* Button11;  // "Save report...": the last run as HTML or Markdown
    // The Anderson-Darling and Kolmogorov-Smirnov results, each a line with its verdict.
    QFrame* Panel6;
    QLabel *Label23, *Label24, *Label25, *Label26;
    QLineEdit *Edit13, *Edit14;
    QRadioButton *RadioButton3, *RadioButton4;
    QRadioButton *RadioButton5, *RadioButton6;  // "Q-Q", "P-P"
    QChartView* Chart2;
    QBarSeries* Series4;     // "Observed", one bar per category
    QBarSet* Series4Bars;
    QLineSeries* Series5;    // "Expected", a vertex at each category's upper bound
    QBarCategoryAxis* Chart2Categories;  // the bars' axis, labelled by upper bounds
    QValueAxis* Chart2AxisX;  // the line's axis, spanning the bars' centres
    QValueAxis* Chart2AxisY;
    QScatterSeries* Series6;  // the buffer's points of the Q-Q or P-P view
    QLineSeries* Series7;     // the identity line beside them
    // The simultaneous 95 % band of the cumulative, Q-Q and P-P views: its lower and upper
    // lines (one legend entry, the lower line's, which says where the band comes from).
    QLineSeries *Series8, *Series9;
    // "Estimates": in place of the chart, each estimate with its standard error and interval,
    // a fitted quantile and a fitted upper tail with theirs, and "Use in calculator".
    QRadioButton* RadioButton7;
    QFrame* Panel7;
    QTableWidget* StringGrid2;
    QLabel *Label27, *Label28, *Label29, *Label30;
    QLineEdit *Edit15, *Edit16, *Edit17, *Edit18, *Edit19;
    QPushButton* Button8;

    // State of the calculator and the data buffer
    TDistKind CalcKind = TDistKind::UniformStd;
    TVector CalcParams;
    double CalcX = 0;
    double CalcDensity = 0;
    double CalcProbability = 0;
    double CalcUpper = 0;  // P(X > x) at CalcX
    TProbability CalcMode = TProbability::Below;  // what ComboBox3 shows
    double CalcB = 0;       // the interval modes' upper bound, where CalcHasB
    bool CalcHasB = false;  // b read, in the interval modes only
    TVector DataBuffer;

    // The fitting tab's hypothesis and the last test, whole: its categories' bounds, observed
    // and expected counts draw the histogram. FitEstimated holds the parameters that were on
    // "Auto"; FitEstimatedCount how many of them use up a degree of freedom.
    TDistKind FitKind = TDistKind::UniformStd;
    TVector FitParams;
    std::int32_t FitEstimatedCount = 0;
    TParamSet FitEstimated;
    TFitResult LastFit;
    // The last run's tests on the empirical distribution function and its plot points.
    TEdfResult LastEdf;
    TQuantilePairs LastQuantiles;
    // The last run's fit, which its intervals and the estimates view read: the buffer, kind,
    // parameters and estimated set it was run on, the intervals at IntervalLevel, each one's
    // method, and why they could not be formed (empty when they were).
    struct TRunFit {
        TVector data;
        TDistKind kind = TDistKind::UniformStd;
        TVector params;
        TParamSet estimated;
        bool done = false;
    } LastRunFit;
    // The last ranking, with the buffer and category count it ran on (the report shows it
    // beside a run on the same buffer).
    struct TRanking {
        TVector data;
        std::vector<TKindFit> fits;
        int categories = 0;
    } LastRanking;
    // The rankings started, kept past their tables: one that was stopped or left may still be
    // ending a step it cannot break off (the intervals of a million numbers), and waiting for
    // it when its table closes would hang the window. Those ended are dropped as the next one
    // starts; the rest are waited for when the window goes.
    std::vector<std::unique_ptr<TKindRanking>> Rankings;
    double IntervalLevel = 0.95;
    std::vector<TParamInterval> LastIntervals;
    std::vector<TIntervalMethod> LastIntervalMethods;
    std::string LastIntervalsRefusal;
    // Estimations and intervals run here while the window waits with Cancel (over a million
    // numbers they take seconds); a cancelled one ends on its own and is waited for when the
    // window goes.
    TBackgroundWork Background;
    struct TIntervals {
        std::vector<TParamInterval> intervals;
        std::vector<TIntervalMethod> methods;
    };

public slots:
    void FormCreate();
    // Calculator tab
    void ComboBox1Change();
    void Edit2Change();
    void Edit4Change();
    void Edit12Change();
    void ComboBox3Change();  // the probability's mode
    void Edit20Change();     // b typed
    void Edit21Change();     // the mode's probability typed
    void Button1Click();
    // Distribution chart
    void Button2Click();
    void RadioButton1Click();
    // Data tab
    void TabSheet2Show();
    void Edit5Change();
    void StringGrid1Exit();
    void Button3Click();
    void Button4Click();
    void Button6Click();
    void StringGrid1Copy();
    void StringGrid1Paste();
    void Button9Click();   // Open...
    void Button10Click();  // Save...
    // Fitting tab
    void ComboBox2Change(QObject* sender);
    void Button5Click();
    void Button7Click();
    void Button11Click();
    void RadioButton3Click();
    void Panel4Resize();
    // The estimates view
    void Edit15Apply();   // the level typed: the intervals formed again
    void Edit16Apply();   // p typed: the fitted quantile with its interval
    void Edit18Apply();   // x typed: the fitted upper tail with its interval
    void Button8Click();  // "Use in calculator"

public:
    // The key filter of Edit2, Edit4 and Edit12: false when the key (a character code) is
    // discarded.
    bool Edit2KeyPress(int key);
    // The key filter of Edit5: codes 0 to 8 and digits pass.
    bool Edit5KeyPress(int key);
    // The locale's decimal separator, used by every number shown or typed.
    char DecimalSeparator() const;
    // A data file into the buffer, the user choosing a column where it has more than one;
    // false where nothing was loaded (cancelled, or refused with a message: the buffer stays
    // as it was).
    bool OpenDataFile(const QString& path);
    // The buffer into a file, CSV or, for a name ending in .txt, plain text; false, with a
    // message, where it could not be written.
    bool SaveDataFile(const QString& path);
    // Nothing to lose: the buffer is empty, or as it was last opened or saved.
    bool BufferSaved() const;
    // The report of the last run, HTML (charts embedded as SVG) or Markdown.
    QString FittingReport(bool html);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    friend class GridExitWatch;
    // True for the grid and its cell editor.
    bool InGrid(const QWidget* widget) const;
    // Times StringGrid1Exit asked whether to apply edits, and whether the last answer left
    // the buffer consistent with the grid's intent (No, or Yes with every edit applied).
    int GridQuestions = 0;
    bool GridApplied = true;
    // Set while the Data tab is shown again after a failed apply: its texts stay as typed.
    bool KeepTypedTexts = false;
    void ReturnToCell(int row);
    // The calculator's input field: X (Edit2), the probability (Edit4) or the upper tail
    // (Edit12).
    QLineEdit* CalcInput = nullptr;
    // The list position of the distribution last picked whole (-1: none), shown again when a
    // pick is cancelled.
    int CalcListIndex = -1;

    // What listens to the whole application on the form's behalf (the grid's exit).
    QMetaObject::Connection FocusWatch;
    QObject* GridWatch = nullptr;
    QObject* PaletteWatch = nullptr;

    // The work handlers share: a handler calls these, never another handler.
    void SelectCalcInput(QLineEdit* input);  // X, the probability or the upper tail as input
    void Calculate();       // Calc: the values at X or the quantile, then the chart
    // The mode's probability from CalcX and b into Edit21; false, with b in red, where b does
    // not read or lies below x.
    bool ShowModeProbability();
    // The typed probability of the mode into x (and b); false, with the field red, where it does
    // not read or lies outside 0 to 1.
    bool InvertModeProbability();
    void ShowMoments();     // the moments line of the calculator's distribution
    // The list moved by keys or the wheel: the choice waits for Enter, a click or leaving the
    // list before it prompts for parameters.
    bool CalcBrowsing = false;
    bool CalcBrowsePending = false;
    void CommitCalcBrowse();
    bool CalcListFilter(QEvent* event);  // ComboBox1's keys, wheel and leaving
    void DrawChart();       // the calculator's chart for the current view
    void ShowDataBuffer();  // the Data tab from DataBuffer
    void ApplyCount();      // the count field's number applied to buffer and grid
    // The buffer's description under the Data tab's buttons, formed again only where the
    // buffer changed since (showing the tab does not change it: a hundred million numbers take
    // seconds to describe).
    void ShowDescription();
    std::size_t DescribedCount = 0;
    std::uint64_t DescribedFingerprint = 0;
    // The buffer as it was last opened or saved: its size and fingerprint.
    std::size_t SavedCount = 0;
    std::uint64_t SavedFingerprint = 0;
    void MarkBufferSaved();
    // Before the buffer is replaced or the window closed: true to go on (saved, or discarded).
    bool OfferToSave(const QString& question);
    bool SaveWithDialog();  // Save...: false where cancelled or not written
    void DrawHistogram();   // the fitting histogram for the current view
    void DrawQuantilePlot();  // the Q-Q or P-P view of the last run
    void DrawBand(const QList<QPointF>& lower, const QList<QPointF>& upper);  // empty: none
    void ShowEstimates();     // the estimates view of the last run
    // LastIntervals of the last run at IntervalLevel, with progress and Cancel; false when
    // cancelled (the last intervals stay).
    bool FormIntervals();
    // The intervals of a run at a level, formed on a thread; kept in LastIntervals (or their
    // refusal in LastIntervalsRefusal) once done.
    std::shared_ptr<TBackgroundJob<TIntervals>> StartIntervals(const TRunFit& run, double level);
    void KeepIntervals(TBackgroundJob<TIntervals>& job);
    // The fitted quantity of the row of `input` into `output` (quantile or upper tail).
    void ShowFittedQuantity(QLineEdit* input, QLineEdit* output, bool tail);
    void BuildEstimatesPanel();
    // The calculator's distribution set whole, as a completed pick sets it.
    void SetCalcDistribution(TDistKind kind, const TVector& params, int position);
    // The hypothesis chosen whole: list, fields, Edit6 and Edit10.
    void SetHypothesis(TDistKind kind, const TVector& params, const TParamSet& estimated);
    // The tests on the empirical distribution function of the current hypothesis, with
    // progress and Cancel, and the buffer in ascending order as they sorted it; false when
    // cancelled. The progress also waits for `alongside` (work run beside the tests).
    bool RunEdfTests(TEdfResult& result, TVector& sorted, const std::function<bool()>& alongside);
    // The category count of Edit7; false, with the field in red, where it does not read.
    bool ReadCategoryCount(int& k);
    // The category count typed or stepped by the user stays; until then it follows the
    // buffer's size and the hypothesis (DefaultCategoryCount).
    bool CategoriesSetByUser = false;
    void FollowCategoryDefault();
    void Edit7Apply();  // Enter or leaving the field: the typed count checked
    void ShowEdfResults();  // LastEdf in Panel6, its verdicts coloured
    void Panel6Resize();    // Panel6's fields fitted to its width, the verdicts at the right
    // Points of the Q-Q and P-P views: order statistics spread over the whole buffer.
    static constexpr std::size_t QuantilePlotPoints = 2000;

    QSize MinimumClientSize() const;
    // The window's colours from the application's palette: the window in the button colour,
    // the coloured texts and the charts legible on it (see ShowTextColours).
    void FollowAppPalette();
    // The null hypothesis in red and the verdict in VerdictColour, as listed on a light window,
    // lightened to stay legible on a dark one.
    void ShowTextColours();
    QColor VerdictColour{0, 0, 0};
    QColor AdVerdictColour{0, 0, 0}, KsVerdictColour{0, 0, 0};
    void BuildCalculatorTab();
    void BuildChart1();
    void BuildCalculatorModes();
    void WireCalculator();
    void BuildDataTab();
    void BuildDataFileControls();
    void WireDataTab();
    void BuildFittingTab();
    void BuildChart2();
    void BuildEdfPanel();
    void BuildQuantileSeries();
    // The histogram's series shown and the Q-Q or P-P view's hidden, or the other way round.
    void ShowHistogramSeries(bool histogram);
    void ShowFittingValueMarks(const QList<qreal>& bars);
    void WireFittingTab();
    // The parameters dialog of a kind with parameters, built without raising events.
    TParamsDialog* BuildParamsDialog(TDistKind kind);
    void ChooseHypothesis(TDistKind kind);
    void ConfirmParams(TParamsDialog* dialog, TDistKind kind);
};

extern TForm1* Form1;
