// "Rank all": every kind fitted to the buffer and tested, shown in a table sorted by AIC; the
// row the user takes becomes the tab's hypothesis.
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

#include <QAction>
#include <algorithm>

#include "Controls.h"
#include "RankingTable.h"
#include "FieldColour.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Platform.h"
#include "Progress.h"
#include "Unit1.h"

namespace {
const char* const RankingColumns[] = {"Distribution", "Estimates", "95 % intervals", "ln L",
                                      "AIC", "BIC", "Chi-square", "Found alpha", "A2",
                                      "p (AD)", "D", "p (KS)"};
constexpr int ChiSquareColumn = 6;
constexpr int RankingColumnCount = sizeof(RankingColumns) / sizeof(RankingColumns[0]);

// Each parameter's interval, "k 1.35–1.62; lambda 1.90–2.31", to `digits` significant digits;
// "N/A" where none was formed.
std::string IntervalsLine(const TKindFit& fit, char separator, int digits)
{
    if (fit.intervals.empty())
        return "N/A";
    std::string line;
    for (int i = 0; i < ParamCount(fit.kind); ++i) {
        std::string name;
        DistParamName(fit.kind, i, name);
        line += (i ? "; " : "") + name + " " + FormatDigits(fit.intervals[i].lower, digits, separator) +
                "\u2013" + FormatDigits(fit.intervals[i].upper, digits, separator);
    }
    return line;
}

// The intervals in full, each with its method: "k from 1.3523 to 1.6214 (profile
// likelihood)".
std::string IntervalsTip(const TKindFit& fit, char separator)
{
    if (fit.intervals.empty())
        return "No interval could be formed.";
    std::string tip;
    for (int i = 0; i < ParamCount(fit.kind); ++i) {
        std::string name;
        DistParamName(fit.kind, i, name);
        tip += (i ? "\n" : "") + name + " from " + FormatGeneral(fit.intervals[i].lower, separator) +
               " to " + FormatGeneral(fit.intervals[i].upper, separator) + " (" +
               IntervalMethodName(fit.methods[i]) + ")";
    }
    return tip;
}

}  // namespace

QStringList RankingHeader(int categories)
{
    QStringList headers;
    for (const char* column : RankingColumns)
        headers << QString::fromLatin1(column);
    headers[ChiSquareColumn] += QStringLiteral(" (%1)").arg(categories);  // the tab's categories
    return headers;
}

QString RankingCsv(const std::vector<TKindFit>& fits, int categories)
{
    const auto row = [](const QStringList& cells) {
        QStringList quoted;
        for (QString cell : cells) {
            cell.replace(QChar(0x2013), QLatin1Char('-'));
            if (cell.contains(QLatin1Char(',')) || cell.contains(QLatin1Char('"')) || cell.contains(QLatin1Char('\n')))
                cell = QLatin1Char('"') + cell.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
            quoted << cell;
        }
        return quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n");
    };
    QString csv = row(RankingHeader(categories));
    for (const TKindFit& fit : fits)
        csv += row(RankingCells(fit, '.'));
    return csv;
}

// The cells of one fit's row, in the columns' order; a kind not fitted has its reason after
// its name. Intervals and tests not yet formed show `pending`.
QStringList RankingCells(const TKindFit& fit, char separator, const QString& pending)
{
    const auto number = [separator](double value, int digits) {
        return QString::fromStdString(FormatDigits(value, digits, separator));
    };
    QStringList cells{QString::fromLatin1(DistKindName[KindIndex(fit.kind)])};
    if (!fit.fitted) {
        cells << QString::fromStdString(fit.reason);
        return cells;
    }
    const bool chi = fit.chiSquareDone && !fit.chiSquare.fatal;
    const QString na = QStringLiteral("N/A");
    const QString untested = fit.tested ? na : pending;
    cells << QString::fromStdString(ParamsLine(fit.kind, fit.params, separator, 6))
          << (fit.intervalsDone ? QString::fromStdString(IntervalsLine(fit, separator, 4)) : pending)
          << number(fit.logLikelihood, 8) << number(fit.aic, 8) << number(fit.bic, 8)
          << (chi ? number(static_cast<double>(fit.chiSquare.R), 6) : na)
          << (chi ? number(fit.chiSquare.alpha, 4) : na);
    if (fit.edfDone)
        cells << number(fit.edf.AD, 6) << number(fit.edf.pAD, 4) << number(fit.edf.KS, 6)
              << number(fit.edf.pKS, 4);
    else
        cells << untested << untested << untested << untested;
    return cells;
}

namespace {
// What a cell not yet formed shows while the ranking runs.
const QString Pending = QStringLiteral("...");

// The tip of a cell: a kind's reason where it is not fitted, the estimates and intervals in
// full, a test's result line (which says where its bootstrap stopped early), else the cell.
QString CellTip(const TKindFit& fit, int column, const QString& cell, char separator)
{
    if (!fit.fitted)
        return cell;
    if (column == 1)
        return QString::fromStdString(ParamsLine(fit.kind, fit.params, separator));
    if (column == 2 && fit.intervalsDone)
        return QString::fromStdString(IntervalsTip(fit, separator));
    if (column >= 8 && fit.edfDone)
        return QString::fromStdString(EdfDetails(fit.edf, column < 10, separator));
    if (column >= 8 && fit.tested)
        return QString::fromStdString(fit.reason);
    return cell;
}

// The table of fits with "Use as hypothesis" (also a double click on a fitted row) and
// "Close". It shows the ranking as it runs: the fits at once, the intervals and the tests as
// they end, under a bar with "Stop tests"; Chosen() is the fit taken, or -1.
class TRankingDialog : public QDialog {
public:
    TRankingDialog(QWidget* owner, TKindRanking& ranking, int categories, char separator)
        : QDialog(owner), ranking_(ranking), categories_(categories), separator_(separator),
          fits_(ranking.Snapshot())
    {
        Name(this, "RankingDialog", nullptr);
        setWindowTitle(QStringLiteral("Ranking of distributions"));
        setFont(owner->font());
        Table = new QTableWidget(static_cast<int>(fits_.size()), RankingColumnCount, this);
        Name(Table, "RankingTable",
             "Every distribution fitted to the buffered data, the best by AIC first");
        Table->setAccessibleName(QStringLiteral("Ranking of distributions"));
        Table->setHorizontalHeaderLabels(RankingHeader(categories));
        // Its context menu: the table as CSV, on the clipboard or in a file.
        auto* copy = new QAction(QStringLiteral("Copy as CSV"), Table);
        auto* save = new QAction(QStringLiteral("Save as CSV..."), Table);
        Table->addAction(copy);
        Table->addAction(save);
        Table->setContextMenuPolicy(Qt::ActionsContextMenu);
        connect(copy, &QAction::triggered, this,
                [this] { CurrentPlatform().SetClipboardText(RankingCsv(fits_, categories_)); });
        connect(save, &QAction::triggered, this, [this] {
            const QString csv = RankingCsv(fits_, categories_);
            const QString path = CurrentPlatform().SaveFileName(this, QStringLiteral("Save ranking"),
                                                                QStringLiteral("CSV (*.csv)"));
            if (!path.isEmpty())
                SaveWhole(this, path, csv.toUtf8());
        });
        Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Table->setSelectionBehavior(QAbstractItemView::SelectRows);
        Table->setSelectionMode(QAbstractItemView::SingleSelection);
        Table->verticalHeader()->setVisible(false);
        for (int row = 0; row < static_cast<int>(fits_.size()); ++row)
            ShowRow(row);
        Table->resizeColumnsToContents();
        Table->resizeRowsToContents();
        Bar = new QProgressBar(this);
        Name(Bar, "RankingProgress", "How much of the intervals and tests has been formed");
        Bar->setAccessibleName(QStringLiteral("Tests formed"));
        Bar->setRange(0, 1000);
        Stop = new QPushButton(QStringLiteral("Stop tests"), this);
        Name(Stop, "StopButton",
             "Stop the intervals and tests still running; the cells not formed show N/A");
        Use = new QPushButton(QStringLiteral("Use as hypothesis"), this);
        Name(Use, "UseButton",
             "Take the chosen distribution as the null hypothesis, its parameters estimated as "
             "on Auto (the tests of the table are this hypothesis's)");
        Use->setEnabled(false);
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        Name(close, "CloseButton", "Close the ranking");
        auto* buttons = new QHBoxLayout;
        buttons->addWidget(Bar, 1);
        buttons->addWidget(Stop);
        buttons->addStretch();
        buttons->addWidget(Use);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Table);
        layout->addLayout(buttons);
        TabChain({Table, Stop, Use, close});
        resize(std::min(1200, Table->horizontalHeader()->length() + 40), 460);
        connect(Table, &QTableWidget::itemSelectionChanged, this,
                [this] { Use->setEnabled(Current() >= 0); });
        connect(Table, &QTableWidget::cellDoubleClicked, this, [this](int, int) { Take(); });
        connect(Use, &QPushButton::clicked, this, [this] { Take(); });
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
        connect(Stop, &QPushButton::clicked, this, [this] {
            ranking_.Cancel();
            Refresh();
        });
        auto* timer = new QTimer(this);
        connect(timer, &QTimer::timeout, this, [this, timer] {
            if (Refresh())
                timer->stop();
        });
        timer->start(100);
        Refresh();
    }

    int Chosen() const { return chosen_; }
    // The fits as the table shows them.
    const std::vector<TKindFit>& Fits() const { return fits_; }
    QTableWidget* Table;
    QProgressBar* Bar;
    QPushButton* Stop;
    QPushButton* Use;

private:
    // Takes the ranking's latest rows; true once it has ended (the bar and Stop then go).
    bool Refresh()
    {
        const bool done = ranking_.Done();
        const std::vector<TKindFit> latest = ranking_.Snapshot();
        bool changed = false;
        for (int row = 0; row < static_cast<int>(latest.size()); ++row)
            if (latest[row].intervalsDone != fits_[row].intervalsDone ||
                latest[row].tested != fits_[row].tested || done) {
                fits_[row] = latest[row];
                ShowRow(row);
                changed = true;
            }
        if (changed)
            Table->resizeColumnsToContents();  // the cells that filled in are wider than "..."
        Bar->setValue(static_cast<int>(1000 * ranking_.Progress()));
        if (done) {
            Bar->hide();
            Stop->hide();
        }
        return done;
    }

    void ShowRow(int row)
    {
        const TKindFit& fit = fits_[row];
        const QStringList cells =
            ranking_.Done() ? RankingCells(fit, separator_) : RankingCells(fit, separator_, Pending);
        for (int column = 0; column < cells.size(); ++column) {
            auto* item = new QTableWidgetItem(cells[column]);
            item->setToolTip(CellTip(fit, column, cells[column], separator_));
            Table->setItem(row, column, item);
        }
        if (!fit.fitted)
            Table->setSpan(row, 1, 1, RankingColumnCount - 1);
    }

    // The selected row where it holds a fit; -1 otherwise.
    int Current() const
    {
        const int row = Table->currentRow();
        return row >= 0 && Table->item(row, 0) && Table->item(row, 0)->isSelected() &&
                       fits_[row].fitted
                   ? row
                   : -1;
    }
    void Take()
    {
        chosen_ = Current();
        if (chosen_ >= 0)
            accept();
    }
    TKindRanking& ranking_;
    const int categories_;
    const char separator_;
    std::vector<TKindFit> fits_;
    int chosen_ = -1;
};
}  // namespace

// The ranking runs off the window's thread: its table appears as soon as every kind is fitted
// (with progress and Cancel while they are), and its intervals and tests fill in while it is
// shown. A cancelled ranking, and a table closed without a choice, change nothing but the
// ranking the report carries: the table as it was shown (intervals and tests not formed by
// then are N/A there).
void TForm1::Button7Click()
{
    if (DataBuffer.size() < 3) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Buffer is empty."));
        return;
    }
    int k = 0;
    if (!ReadCategoryCount(k))
        return;
    Rankings.erase(std::remove_if(Rankings.begin(), Rankings.end(),
                                  [](const std::unique_ptr<TKindRanking>& r) { return r->Done(); }),
                   Rankings.end());
    Rankings.push_back(std::make_unique<TKindRanking>(DataBuffer, k));
    TKindRanking& ranking = *Rankings.back();
    const bool ready = WaitWithProgress(
        this, QStringLiteral("Ranking the distributions..."), [&] { return ranking.TableReady(); },
        [&] { return ranking.Progress() * 10; });
    if (!ready) {
        ranking.Cancel();
        return;
    }
    TRankingDialog dialog(this, ranking, k, DecimalSeparator());
    const bool taken = dialog.exec() == QDialog::Accepted && dialog.Chosen() >= 0;
    ranking.Cancel();  // what is left of it runs on only to the end of its step
    const std::vector<TKindFit> fits = dialog.Fits();
    LastRanking = {DataBuffer, fits, k};
    if (!taken)
        return;
    // The hypothesis is the tab's with every parameter on "Auto": the listed estimates, on
    // which the table's tests ran.
    const TKindFit& fit = fits[dialog.Chosen()];
    TParamSet all;
    for (int i = 0; i < ParamCount(fit.kind); ++i)
        all.set(i);
    ComboBox2->setCurrentIndex(KindIndex(fit.kind));
    SetFieldColour(ComboBox2, FieldColour::Neutral);
    SetHypothesis(fit.kind, fit.hypothesis, all);
}
