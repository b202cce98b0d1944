// The fitting tab's estimates view: in place of the chart, each estimate of the last run with
// its standard error and confidence interval (and how it was formed), the confidence level, a
// fitted quantile and a fitted upper tail with their intervals, and "Use in calculator".
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

#include "Controls.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Platform.h"
#include "Progress.h"
#include "Unit1.h"

namespace {
const char* const IntervalColumns[] = {"Parameter", "Estimate", "Std. error", "Lower",
                                       "Upper", "Method"};
constexpr int IntervalColumnCount = sizeof(IntervalColumns) / sizeof(IntervalColumns[0]);

// "1.2345 (0.9876 to 1.5432), se 0.1234, profile likelihood", numbers to 6 digits.
std::string IntervalText(const TParamInterval& iv, TIntervalMethod method, char separator)
{
    const auto number = [separator](double v) { return FormatDigits(v, 6, separator); };
    return number(iv.estimate) + " (" + number(iv.lower) + " to " + number(iv.upper) + "), se " +
           number(iv.se) + ", " + IntervalMethodName(method);
}
}  // namespace

void TForm1::BuildEstimatesPanel()
{
    Panel7 = new QFrame(TabSheet3);
    Name(Panel7, "Panel7", nullptr);
    StringGrid2 = new QTableWidget(0, IntervalColumnCount, Panel7);
    Name(StringGrid2, "StringGrid2",
         "Each estimate of the last run with its standard error and confidence interval");
    StringGrid2->setAccessibleName(QStringLiteral("Estimates with their intervals"));
    QStringList headers;
    for (const char* column : IntervalColumns)
        headers << QString::fromLatin1(column);
    StringGrid2->setHorizontalHeaderLabels(headers);
    StringGrid2->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid2->verticalHeader()->setVisible(false);
    StringGrid2->horizontalHeader()->setStretchLastSection(true);

    const char* levelHint = "The confidence level of the intervals, in per cent (Enter applies it)";
    const char* quantileHint =
        "A probability p: the fitted quantile x with P(X <= x) = p, with its confidence interval";
    const char* tailHint = "A value x: the fitted upper tail P(X > x), with its confidence interval";
    Label27 = new QLabel(QStringLiteral("Confidence level (%):"), Panel7);
    Name(Label27, "Label27", levelHint);
    Edit15 = new QLineEdit(QStringLiteral("95"), Panel7);
    Name(Edit15, "Edit15", levelHint);
    Edit15->setMaximumWidth(60);
    Button8 = new QPushButton(QStringLiteral("Use in calculator"), Panel7);
    Name(Button8, "Button8", "Take the fitted distribution with its estimates to the calculator");
    Label28 = new QLabel(QStringLiteral("Quantile at p ="), Panel7);
    Name(Label28, "Label28", quantileHint);
    Edit16 = new QLineEdit(Panel7);
    Name(Edit16, "Edit16", quantileHint);
    Edit16->setMaximumWidth(90);
    Edit17 = new QLineEdit(Panel7);
    Name(Edit17, "Edit17", "The fitted quantile x with its confidence interval");
    Edit17->setReadOnly(true);
    Label29 = new QLabel(QStringLiteral("P(X > x) at x ="), Panel7);
    Name(Label29, "Label29", tailHint);
    Edit18 = new QLineEdit(Panel7);
    Name(Edit18, "Edit18", tailHint);
    Edit18->setMaximumWidth(90);
    Edit19 = new QLineEdit(Panel7);
    Name(Edit19, "Edit19", "The fitted upper tail P(X > x) with its confidence interval");
    Edit19->setReadOnly(true);
    Label30 = new QLabel(Panel7);  // why the intervals could not be formed
    Name(Label30, "Label30", "Why the intervals could not be formed");
    Label30->setWordWrap(true);
    for (auto [label, field] : {std::pair<QLabel*, QLineEdit*>{Label27, Edit15}, {Label28, Edit16},
                                {Label29, Edit18}})
        NameField(label, field);
    Edit17->setAccessibleName(QStringLiteral("Fitted quantile"));
    Edit19->setAccessibleName(QStringLiteral("Fitted upper tail"));

    auto* grid = new QGridLayout;
    grid->addWidget(Label27, 0, 0);
    grid->addWidget(Edit15, 0, 1);
    grid->addWidget(Button8, 0, 2, Qt::AlignRight);
    grid->addWidget(Label28, 1, 0);
    grid->addWidget(Edit16, 1, 1);
    grid->addWidget(Edit17, 1, 2);
    grid->addWidget(Label29, 2, 0);
    grid->addWidget(Edit18, 2, 1);
    grid->addWidget(Edit19, 2, 2);
    grid->setColumnStretch(2, 1);
    auto* layout = new QVBoxLayout(Panel7);
    layout->setContentsMargins(8, 4, 8, 4);
    layout->addWidget(StringGrid2, 1);
    layout->addWidget(Label30);
    layout->addLayout(grid);
    Panel7->setVisible(false);
    // The tab order follows the view: the table, the level, the quantile, the tail, the button.
    TabChain({StringGrid2, Edit15, Edit16, Edit17, Edit18, Edit19, Button8});
}

// Formed at each run (and at a new level); an interval that cannot be formed leaves the
// reason, which the view shows.
std::shared_ptr<TBackgroundJob<TForm1::TIntervals>> TForm1::StartIntervals(const TRunFit& run,
                                                                            double level)
{
    return Background.Start<TIntervals>([run, level] {
        TIntervals formed;
        formed.intervals = ParamIntervals(run.kind, run.data, run.params, run.estimated, level,
                                          &formed.methods);
        return formed;
    });
}

void TForm1::KeepIntervals(TBackgroundJob<TIntervals>& job)
{
    LastIntervals.clear();
    LastIntervalMethods.clear();
    LastIntervalsRefusal.clear();
    try {
        TIntervals& formed = job.Result();
        LastIntervals = std::move(formed.intervals);
        LastIntervalMethods = std::move(formed.methods);
    } catch (const std::exception& e) {
        LastIntervalsRefusal = e.what();
    }
}

bool TForm1::FormIntervals()
{
    if (!LastRunFit.done) {
        LastIntervals.clear();
        LastIntervalMethods.clear();
        LastIntervalsRefusal.clear();
        return true;
    }
    const auto job = StartIntervals(LastRunFit, IntervalLevel);
    if (!WaitWithProgress(this, QStringLiteral("Forming the intervals..."),
                          [&job] { return job->done.load(); }, [] { return -1.0; }))
        return false;
    KeepIntervals(*job);
    return true;
}

void TForm1::ShowEstimates()
{
    const char separator = DecimalSeparator();
    const int count = static_cast<int>(LastIntervals.size());
    StringGrid2->setRowCount(count);
    for (int i = 0; i < count; ++i) {
        std::string name;
        DistParamName(LastRunFit.kind, i, name);
        const TParamInterval& iv = LastIntervals[i];
        const bool given = LastIntervalMethods[i] == TIntervalMethod::Given;
        // Six digits in the cells, every digit in their tips.
        const auto cell = [&](double v, bool shown) {
            return shown ? QString::fromStdString(FormatDigits(v, 6, separator)) : QStringLiteral("-");
        };
        const auto tip = [&](double v, bool shown) {
            return shown ? QString::fromStdString(FormatGeneral(v, separator)) : QStringLiteral("-");
        };
        const QString method = QString::fromStdString(IntervalMethodName(LastIntervalMethods[i]));
        const QStringList cells{QString::fromStdString(name), cell(iv.estimate, true),
                                cell(iv.se, !given), cell(iv.lower, !given), cell(iv.upper, !given),
                                method};
        const QStringList tips{cells[0], tip(iv.estimate, true), tip(iv.se, !given),
                               tip(iv.lower, !given), tip(iv.upper, !given), method};
        for (int column = 0; column < IntervalColumnCount; ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(tips[column]);
            StringGrid2->setItem(i, column, item);
        }
    }
    const QString level = QString::fromStdString(FormatGeneral(100 * IntervalLevel, separator));
    StringGrid2->setHorizontalHeaderItem(3, new QTableWidgetItem(QStringLiteral("Lower (%1 %)").arg(level)));
    StringGrid2->setHorizontalHeaderItem(4, new QTableWidgetItem(QStringLiteral("Upper (%1 %)").arg(level)));
    StringGrid2->resizeColumnsToContents();
    Label30->setText(!LastRunFit.done ? QStringLiteral("Execute the test to see the estimates.")
                     : !LastIntervalsRefusal.empty() ? QString::fromStdString(LastIntervalsRefusal)
                     : count == 0 ? QStringLiteral("The distribution has no parameters.")
                                  : QString());
    Label30->setVisible(!Label30->text().isEmpty());
    Button8->setEnabled(LastRunFit.done);
    ShowFittedQuantity(Edit16, Edit17, false);
    ShowFittedQuantity(Edit18, Edit19, true);
}

void TForm1::ShowFittedQuantity(QLineEdit* input, QLineEdit* output, bool tail)
{
    const char separator = DecimalSeparator();
    double at = 0;
    if (!LastRunFit.done || input->text().isEmpty()) {
        ShowText(output, QString());
        return;
    }
    if (!ParseNumber(input->text().toStdString(), separator, at)) {
        ShowText(output, QStringLiteral("Invalid number format."));
        return;
    }
    try {
        TIntervalMethod method = TIntervalMethod::Given;
        const TParamInterval iv =
            tail ? UpperTailInterval(LastRunFit.kind, LastRunFit.data, LastRunFit.params,
                                     LastRunFit.estimated, at, IntervalLevel, &method)
                 : QuantileInterval(LastRunFit.kind, LastRunFit.data, LastRunFit.params,
                                    LastRunFit.estimated, at, IntervalLevel, &method);
        ShowText(output, QString::fromStdString((tail ? "P = " : "x = ") +
                                                IntervalText(iv, method, separator)));
    } catch (const std::exception& e) {
        ShowText(output, QString::fromStdString(e.what()));
    }
}

void TForm1::Edit15Apply()
{
    double percent = 0;
    if (!ParseNumber(Edit15->text().toStdString(), DecimalSeparator(), percent) ||
        !(percent > 0 && percent < 100)) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("The level lies between 0 and 100 %."));
        Edit15->setText(QString::fromStdString(FormatGeneral(100 * IntervalLevel, DecimalSeparator())));
        return;
    }
    if (percent / 100 == IntervalLevel)
        return;
    const double before = IntervalLevel;
    IntervalLevel = percent / 100;
    if (!FormIntervals()) {
        IntervalLevel = before;  // cancelled: the intervals shown stay, with their level
        Edit15->setText(QString::fromStdString(FormatGeneral(100 * IntervalLevel, DecimalSeparator())));
        return;
    }
    ShowEstimates();
}

void TForm1::Edit16Apply()
{
    ShowFittedQuantity(Edit16, Edit17, false);
}

void TForm1::Edit18Apply()
{
    ShowFittedQuantity(Edit18, Edit19, true);
}

// The last run's distribution and parameters become the calculator's, as a completed pick makes
// them, and the calculator is shown with its chart of them.
void TForm1::Button8Click()
{
    if (!LastRunFit.done)
        return;
    const int position = KindIndex(LastRunFit.kind);
    ComboBox1->setCurrentIndex(position);
    SetCalcDistribution(LastRunFit.kind, LastRunFit.params, position);
    PageControl1->setCurrentWidget(TabSheet1);
    DrawChart();
}
