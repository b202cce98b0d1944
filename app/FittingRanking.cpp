// "Rank all": every kind fitted to the buffer and tested, shown in a table sorted by AIC; the
// row the user takes becomes the tab's hypothesis.
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include <QAction>

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
// its name.
QStringList RankingCells(const TKindFit& fit, char separator)
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
    cells << QString::fromStdString(ParamsLine(fit.kind, fit.params, separator, 6))
          << QString::fromStdString(IntervalsLine(fit, separator, 4))
          << number(fit.logLikelihood, 8) << number(fit.aic, 8) << number(fit.bic, 8)
          << (chi ? number(static_cast<double>(fit.chiSquare.R), 6) : QStringLiteral("N/A"))
          << (chi ? number(fit.chiSquare.alpha, 4) : QStringLiteral("N/A"))
          << number(fit.edf.AD, 6) << number(fit.edf.pAD, 4) << number(fit.edf.KS, 6)
          << number(fit.edf.pKS, 4);
    return cells;
}

namespace {
// The table of fits with "Use as hypothesis" (also a double click on a fitted row) and
// "Close"; Chosen() is the fit taken, or -1.
class TRankingDialog : public QDialog {
public:
    TRankingDialog(QWidget* owner, const std::vector<TKindFit>& fits, int categories,
                   char separator)
        : QDialog(owner), fits_(fits)
    {
        Name(this, "RankingDialog", nullptr);
        setWindowTitle(QStringLiteral("Ranking of distributions"));
        setFont(owner->font());
        Table = new QTableWidget(static_cast<int>(fits.size()), RankingColumnCount, this);
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
        const QString csv = RankingCsv(fits, categories);
        connect(copy, &QAction::triggered, this, [csv] { CurrentPlatform().SetClipboardText(csv); });
        connect(save, &QAction::triggered, this, [this, csv] {
            const QString path = CurrentPlatform().SaveFileName(this, QStringLiteral("Save ranking"),
                                                                QStringLiteral("CSV (*.csv)"));
            if (!path.isEmpty())
                SaveWhole(this, path, csv.toUtf8());
        });
        Table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        Table->setSelectionBehavior(QAbstractItemView::SelectRows);
        Table->setSelectionMode(QAbstractItemView::SingleSelection);
        Table->verticalHeader()->setVisible(false);
        for (int row = 0; row < static_cast<int>(fits.size()); ++row) {
            const QStringList cells = RankingCells(fits[row], separator);
            for (int column = 0; column < cells.size(); ++column) {
                auto* item = new QTableWidgetItem(cells[column]);
                item->setToolTip(!fits[row].fitted ? cells[column]
                                 : column == 1 ? QString::fromStdString(ParamsLine(
                                                     fits[row].kind, fits[row].params, separator))
                                 : column == 2 ? QString::fromStdString(IntervalsTip(fits[row], separator))
                                               : cells[column]);
                Table->setItem(row, column, item);
            }
            if (!fits[row].fitted)
                Table->setSpan(row, 1, 1, RankingColumnCount - 1);
        }
        Table->resizeColumnsToContents();
        Table->resizeRowsToContents();
        Use = new QPushButton(QStringLiteral("Use as hypothesis"), this);
        Name(Use, "UseButton",
             "Take the chosen distribution as the null hypothesis, its parameters estimated as "
             "on Auto (the tests of the table are this hypothesis's)");
        Use->setEnabled(false);
        auto* close = new QPushButton(QStringLiteral("Close"), this);
        Name(close, "CloseButton", "Close the ranking");
        auto* buttons = new QHBoxLayout;
        buttons->addStretch();
        buttons->addWidget(Use);
        buttons->addWidget(close);
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(Table);
        layout->addLayout(buttons);
        resize(std::min(1200, Table->horizontalHeader()->length() + 40), 460);
        connect(Table, &QTableWidget::itemSelectionChanged, this,
                [this] { Use->setEnabled(Current() >= 0); });
        connect(Table, &QTableWidget::cellDoubleClicked, this, [this](int, int) { Take(); });
        connect(Use, &QPushButton::clicked, this, [this] { Take(); });
        connect(close, &QPushButton::clicked, this, &QDialog::reject);
    }

    int Chosen() const { return chosen_; }
    QTableWidget* Table;
    QPushButton* Use;

private:
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
    const std::vector<TKindFit>& fits_;
    int chosen_ = -1;
};
}  // namespace

// The ranking runs off the window's thread with progress and Cancel; a cancelled ranking, and
// a table closed without a choice, change nothing.
void TForm1::Button7Click()
{
    if (DataBuffer.size() < 3) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Buffer is empty."));
        return;
    }
    int k = 0;
    if (!ReadCategoryCount(k))
        return;
    TKindRanking ranking(DataBuffer, k);
    const bool finished = WaitWithProgress(
        this, QStringLiteral("Ranking the distributions..."), [&] { return ranking.Done(); },
        [&] { return ranking.Progress(); });
    if (!finished)
        return;
    const std::vector<TKindFit> fits = ranking.Result();
    LastRanking = {DataBuffer, fits, k};
    TRankingDialog dialog(this, fits, k, DecimalSeparator());
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen() < 0)
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
