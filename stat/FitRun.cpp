#include "FitRun.h"

TFitRun RunFitTest(const TVector& data, TDistKind kind, const TVector& params, int estimated,
                   int k)
{
    TFitRun run;
    const int n = static_cast<int>(data.size());
    SortIndex(run.order, data, n);
    run.bounds = CategoryBounds(data[run.order.front()], data[run.order.back()], k);
    run.observed = CategoryCounts(data, run.bounds);
    run.expected = ExpectedCounts(kind, params, run.bounds, data.size());
    run.statistic = ChiSquareStatistic(run.observed, run.expected);
    run.df = k - estimated - 1 - run.statistic.empty;
    return run;
}
