// The ranking's table as text: its header and the cells of a fit's row (shared by the dialog,
// its CSV and the fitting report).
#pragma once

#include <QStringList>
#include <vector>

#include "Fit_Lib.h"

QStringList RankingHeader(int categories);
// Intervals and tests not formed show `pending` ("..." while the ranking runs, else N/A).
QStringList RankingCells(const TKindFit& fit, char separator,
                         const QString& pending = QStringLiteral("N/A"));
// The table as CSV (RFC 4180, '.' as the decimal mark), a row a kind.
QString RankingCsv(const std::vector<TKindFit>& fits, int categories);
