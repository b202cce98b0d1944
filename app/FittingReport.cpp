// "Save report...": the last run as HTML (with the histogram and the Q-Q view as embedded SVG)
// or Markdown: the data's description, the hypothesis, the estimates with their intervals, the
// three tests as the tab shows them, and the ranking where one ran on the same buffer.
#include <QChartView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <cmath>

#include "ChartExport.h"
#include "Controls.h"
#include "NumberFormat.h"
#include "ParamsLine.h"
#include "Platform.h"
#include "RankingTable.h"
#include "Unit1.h"

namespace {
// A report's tables and paragraphs, written as HTML or Markdown.
class TReport {
public:
    explicit TReport(bool html) : html_(html) {}
    void Heading(const QString& text) { text_ += html_ ? "<h2>" + Escape(text) + "</h2>\n" : "\n## " + text + "\n\n"; }
    void Paragraph(const QString& text) { text_ += html_ ? "<p>" + Escape(text) + "</p>\n" : text + "\n\n"; }
    void Table(const QStringList& header, const QList<QStringList>& rows)
    {
        if (html_) {
            text_ += "<table>\n<tr>";
            for (const QString& h : header)
                text_ += "<th>" + Escape(h) + "</th>";
            text_ += "</tr>\n";
            for (const QStringList& row : rows) {
                text_ += "<tr>";
                for (const QString& cell : row)
                    text_ += "<td>" + Escape(cell) + "</td>";
                text_ += "</tr>\n";
            }
            text_ += "</table>\n";
            return;
        }
        const auto line = [](const QStringList& cells) {
            QStringList escaped;
            for (QString c : cells)
                escaped << c.replace(QLatin1Char('|'), QStringLiteral("\\|"));
            return "| " + escaped.join(QStringLiteral(" | ")) + " |\n";
        };
        text_ += line(header);
        QStringList rule;
        for (qsizetype i = 0; i < header.size(); ++i)
            rule << QStringLiteral("---");
        text_ += line(rule);
        for (const QStringList& row : rows)
            text_ += line(row);
        text_ += "\n";
    }
    void Figure(const QByteArray& svg, const QString& caption)
    {
        if (!html_)
            return;  // Markdown holds text only
        QByteArray body = svg;
        const qsizetype start = body.indexOf("<svg");
        text_ += "<figure>" + QString::fromUtf8(start >= 0 ? body.mid(start) : body) +
                 "<figcaption>" + Escape(caption) + "</figcaption></figure>\n";
    }
    QString Text(const QString& title) const
    {
        if (!html_)
            return "# " + title + "\n" + text_;
        return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + Escape(title) +
               "</title>\n<style>body{font-family:sans-serif;max-width:60em;margin:2em auto}"
               "table{border-collapse:collapse}td,th{border:1px solid #999;padding:2px 6px}"
               "figure{margin:1em 0}</style></head><body>\n<h1>" +
               Escape(title) + "</h1>\n" + text_ + "</body></html>\n";
    }

private:
    static QString Escape(const QString& text) { return text.toHtmlEscaped(); }
    bool html_;
    QString text_;
};
}  // namespace

void TForm1::Button11Click()
{
    if (!LastRunFit.done) {
        CurrentPlatform().ShowMessage(this, QStringLiteral("Execute the test first: the report shows its results."));
        return;
    }
    const QString path = CurrentPlatform().SaveFileName(this, QStringLiteral("Save report"),
                                                        QStringLiteral("HTML (*.html);;Markdown (*.md)"));
    if (path.isEmpty())
        return;
    SaveWhole(this, path, FittingReport(!path.endsWith(QStringLiteral(".md"), Qt::CaseInsensitive)).toUtf8());
}

QString TForm1::FittingReport(bool html)
{
    const char sep = DecimalSeparator();
    const auto number = [sep](double v) { return QString::fromStdString(FormatGeneral(v, sep)); };
    const TRunFit& run = LastRunFit;
    TReport report(html);

    report.Heading(QStringLiteral("Data"));
    const TDescription d = Describe(run.data);
    const auto value = [&](double v) { return std::isnan(v) ? QStringLiteral("N/A") : number(v); };
    report.Table({"n", "mean", "sd", "min", "Q1", "median", "Q3", "max", "skewness", "excess kurtosis"},
                 {{QString::number(d.n), value(d.mean), value(d.sd), value(d.min), value(d.q1),
                   value(d.median), value(d.q3), value(d.max), value(d.skewness), value(d.kurtosis)}});

    report.Heading(QStringLiteral("Hypothesis"));
    QStringList estimated;
    for (int i = 0; i < ParamCount(run.kind); ++i) {
        std::string name;
        DistParamName(run.kind, i, name);
        if (run.estimated[i])
            estimated << QString::fromStdString(name);
    }
    QString params = QString::fromStdString(ParamsLine(run.kind, run.params, sep)).trimmed();
    if (params.endsWith(QLatin1Char(';')))
        params.chop(1);
    report.Paragraph(QStringLiteral("%1 with %2 (estimated: %3)")
                         .arg(QString::fromLatin1(DistKindName[KindIndex(run.kind)]),
                              params.isEmpty() ? QStringLiteral("no parameters") : params,
                              estimated.isEmpty() ? QStringLiteral("none") : estimated.join(QStringLiteral(", "))));

    report.Heading(QStringLiteral("Estimates"));
    if (LastIntervals.empty()) {
        report.Paragraph(QStringLiteral("No interval: %1").arg(QString::fromStdString(LastIntervalsRefusal)));
    } else {
        QList<QStringList> rows;
        for (int i = 0; i < static_cast<int>(LastIntervals.size()); ++i) {
            std::string name;
            DistParamName(run.kind, i, name);
            const TParamInterval& iv = LastIntervals[i];
            const bool given = LastIntervalMethods[i] == TIntervalMethod::Given;
            rows << QStringList{QString::fromStdString(name), number(iv.estimate),
                                given ? QString() : number(iv.se), given ? QString() : number(iv.lower),
                                given ? QString() : number(iv.upper),
                                given ? QStringLiteral("given")
                                      : QString::fromStdString(IntervalMethodName(LastIntervalMethods[i]))};
        }
        report.Table({"parameter", "estimate", "standard error",
                      QStringLiteral("lower (%1 %)").arg(IntervalLevel * 100),
                      QStringLiteral("upper (%1 %)").arg(IntervalLevel * 100), "method"},
                     rows);
    }

    report.Heading(QStringLiteral("Tests"));
    report.Table({"test", "result", "verdict at 5 %"},
                 {{QStringLiteral("Chi-square (%1 categories)").arg(LastFit.observed.size()),
                   Edit11->text() + "; found alpha " + Edit9->text() + "; assumptions " + Edit8->text(),
                   Label17->text()},
                  {QStringLiteral("Anderson-Darling"), Edit13->text(), Label24->text()},
                  {QStringLiteral("Kolmogorov-Smirnov"), Edit14->text(), Label26->text()}});

    // The charts as the tab draws them, the user's view put back after.
    QRadioButton* shown = RadioButton3;
    for (QRadioButton* r : {RadioButton4, RadioButton5, RadioButton6, RadioButton7})
        if (r->isChecked())
            shown = r;
    const QSize size(640, 400);
    RadioButton3->click();
    report.Figure(ChartSvg(Chart2, size), QStringLiteral("Observed and expected counts"));
    RadioButton5->click();
    report.Figure(ChartSvg(Chart2, size), QStringLiteral("Q-Q: buffered data quantiles against the hypothesis's, with the 95 % band"));
    shown->click();

    if (LastRanking.data == run.data && !LastRanking.fits.empty()) {
        report.Heading(QStringLiteral("Ranking by AIC"));
        const QStringList header = RankingHeader(LastRanking.categories);
        QList<QStringList> rows;
        for (const TKindFit& fit : LastRanking.fits) {
            QStringList cells = RankingCells(fit, sep);
            while (cells.size() < header.size())
                cells << QString();  // a kind not fitted: its reason, then nothing
            rows << cells;
        }
        report.Table(header, rows);
    }
    return report.Text(QStringLiteral("Velmora: fit of %1 numbers to %2")
                           .arg(run.data.size())
                           .arg(QString::fromLatin1(DistKindName[KindIndex(run.kind)])));
}
