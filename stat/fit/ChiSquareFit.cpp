// One whole chi-square goodness-of-fit run, Qt-free: the window only checks its inputs and
// shows the result.
#include "GoodnessOfFit.h"
#include "NumberFormat.h"
#include "StatInternal.h"

#include <algorithm>
#include <cmath>


int DefaultCategoryCount(std::size_t n, int estimated)
{
    const int k = static_cast<int>(std::lround(2 * std::pow(static_cast<double>(n), 0.4)));
    return std::clamp(std::max(k, estimated + 3), 3, 150);
}

TFitResult ChiSquareFitTest(const TVector& data, TDistKind kind, const TVector& params,
                            int estimated, int k)
{
    CheckKindAndParams(kind, params);
    TFitResult r;
    double min = 0, max = 0;
    SortedEnds(data, static_cast<int>(data.size()), min, max);
    r.bounds = CategoryBounds(min, max, k);
    r.observed = CategoryCounts(data, r.bounds);
    r.expected = ExpectedCounts(kind, params, r.bounds, data.size(), TUpperTail::InLastCategory);

    TVector observed = r.observed, expected = r.expected;
    MergeScant(observed, expected);
    r.categories = static_cast<int>(expected.size());
    const TChiSquareStatistic s = ChiSquareStatistic(observed, expected);
    r.R = s.R;
    r.empty = s.empty;
    r.df = r.categories - estimated - 1 - s.empty;
    r.fatal = r.df < 1;
    if (r.fatal) {
        r.verdict = FatallyNotSatisfied;
        r.details = FitDetails(r, estimated, '.');
        return r;
    }
    r.verdict = AssumptionVerdict(s);
    r.alpha = FoundAlpha(r.df, s.R);
    r.critical = ChiSquareCritical(r.categories - estimated - 1);
    r.rejected = r.alpha < 0.05;
    r.details = FitDetails(r, estimated, '.');
    return r;
}

std::string FitDetails(const TFitResult& result, int estimated, char separator)
{
    if (result.fatal) {
        // Why no degree of freedom is left: "3 categories leave no degree of freedom for 2
        // estimates".
        const auto count = [](int n, const char* one, const char* more) {
            return std::to_string(n) + " " + (n == 1 ? one : more);
        };
        std::string why = count(result.categories, "category", "categories") +
                          (result.categories == 1 ? " leaves" : " leave") + " no degree of freedom";
        if (estimated > 0)
            why += " for " + count(estimated, "estimate", "estimates");
        if (result.empty > 0)
            why += std::string(estimated > 0 ? " and " : " for ") + count(result.empty, "empty category", "empty categories");
        return why;
    }
    return "Rstat = " + FormatGeneral(static_cast<double>(result.R), separator) +
           "; N=" + std::to_string(result.categories) + ";Np=" + std::to_string(estimated) +
           ";" + "Rcrit(0.05)=" + FormatGeneral(result.critical, separator);
}
