#include "GoodnessOfFit.h"

#include <algorithm>
#include <cmath>

#include "StatInternal.h"

TVector CategoryBounds(double min, double max, int k)
{
    TVector bounds(k > 0 ? k : 0);
    for (int i = 0; i < k; ++i)
        bounds[i] = static_cast<double>((static_cast<L>(max) - min) * (i + 1) / k + min);
    return bounds;
}

int CategoryOf(double x, const TVector& bounds)
{
    // The first bound that x does not pass (the last category takes the rest, NaN included).
    // The bounds are equally spaced, so the place x would have among them is the first guess;
    // the guess stands when the bounds on either side confirm it, and a search by halving
    // decides otherwise (bounds that rounding made uneven, infinite or equal extremes).
    const int last = static_cast<int>(bounds.size()) - 1;
    const double guess = (x - bounds[0]) / (bounds[last] - bounds[0]) * last + 1;
    if (guess >= 0 && guess <= last) {
        const int j = static_cast<int>(guess);
        if ((j == 0 || !(x <= bounds[j - 1])) && (j == last || x <= bounds[j]))
            return j;
    }
    const auto at = std::lower_bound(bounds.begin(), bounds.end() - 1, x,
                                     [](double bound, double v) { return !(v <= bound); });
    return static_cast<int>(at - bounds.begin());
}

TVector CategoryCounts(const TVector& data, const TVector& bounds)
{
    TVector counts(bounds.size());
    if (bounds.empty())
        return counts;
    for (double x : data)
        counts[CategoryOf(x, bounds)] += 1;
    return counts;
}

TVector ExpectedCounts(TDistKind kind, const TVector& params, const TVector& bounds, std::size_t n,
                       TUpperTail tail)
{
    const std::size_t k = bounds.size();
    TVector expected(k);
    for (std::size_t i = 0; i < k; ++i)
        expected[i] = DistEval(kind, TDistFunc::Distribution, params, bounds[i]);
    if (tail == TUpperTail::InLastCategory && k > 0)
        expected[k - 1] = 1;
    for (std::size_t i = k; i-- > 1;)
        expected[i] = expected[i] - expected[i - 1];
    const double count = static_cast<double>(n);
    for (double& e : expected)
        e = e * count;
    return expected;
}

namespace {
bool Scant(double expectation)
{
    return expectation > MinPositiveDouble && expectation < 1;
}
}  // namespace

void MergeScant(TVector& observed, TVector& expected)
{
    for (;;) {
        const std::size_t size = expected.size();
        if (size < 2)
            return;
        const double centre = (static_cast<double>(size) - 1) / 2;
        std::size_t pick = size;
        for (std::size_t i = 0; i < size; ++i)
            if (Scant(expected[i]) &&
                (pick == size || std::fabs(i - centre) > std::fabs(pick - centre)))
                pick = i;
        if (pick == size)
            return;
        std::size_t into;
        if (pick < centre)
            into = pick + 1;
        else if (pick > centre)
            into = pick - 1;
        else
            into = expected[pick + 1] >= expected[pick - 1] ? pick + 1 : pick - 1;
        expected[into] += expected[pick];
        observed[into] += observed[pick];
        expected.erase(expected.begin() + static_cast<std::ptrdiff_t>(pick));
        observed.erase(observed.begin() + static_cast<std::ptrdiff_t>(pick));
    }
}

TChiSquareStatistic ChiSquareStatistic(const TVector& observed, const TVector& expected)
{
    TChiSquareStatistic s;
    const std::size_t k = observed.size();
    std::size_t full = 0;
    for (std::size_t i = 0; i < k; ++i) {
        if (observed[i] > 5)
            ++full;
        if (std::fabs(expected[i]) > MinPositiveDouble) {
            const L difference = static_cast<L>(observed[i]) - expected[i];
            s.R += difference * difference / expected[i];
        } else {
            ++s.empty;
        }
    }
    s.q = k ? static_cast<L>(full) / static_cast<L>(k) : 0;
    return s;
}

const char* AssumptionVerdict(const TChiSquareStatistic& s)
{
    if (s.empty >= 1)
        return "Roughly violated";
    if (s.q > 0.8L)
        return "Satisfied";
    if (s.q > 0.45L)
        return "Slighly crossed";  // as listed, with its typo
    return "Significantly exceeded";
}

double FoundAlpha(int df, long double R)
{
    return DistUpper(TDistKind::Chi2, {static_cast<double>(df)}, static_cast<double>(R));
}
