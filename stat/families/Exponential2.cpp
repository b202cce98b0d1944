// The two-parameter exponential distribution's estimates and exact intervals; its functions
// are the exponential's of x - x0 (Unlisted.h).
#include "Exponential2.h"
#include "Pivots.h"

#include <algorithm>
#include <cmath>

namespace {
L SmallestOf(const TVector& data)
{
    return *std::min_element(data.begin(), data.end());
}

// The sum of the values' distances above `from`.
L SumAbove(const TVector& data, L from)
{
    L sum = 0;
    for (double x : data)
        sum += x - from;
    return sum;
}
}  // namespace

// The likelihood's maximum: x0 the smallest value (the likelihood grows up to it), Lambda one
// over the mean distance above x0.
void Exponential2Estimate(const TSampleMoments& s, const TVector& data, TVector& params,
                          const TParamSet& which)
{
    if (!which[0] && !which[1])
        return;
    if (which[1])
        StoreEstimate(params, 1, s.min);
    if (s.min < params[1])
        throw TRefusal("the buffer holds values below x0");
    if (which[0]) {
        const L above = SumAbove(data, params[1]);
        if (!(above > 0))
            throw TRefusal("all values are equal");
        StoreEstimate(params, 0, s.n / above);
    }
}

// As the Pareto law's on the logarithms: the smallest value lies above x0 by Exponential(n
// Lambda), and 2 Lambda S (S the sum above the smallest value) follows chi-square with 2(n - 1)
// degrees of freedom, independently (2n and the sum above x0 where x0 is given).
bool Exponential2Exact(const TVector& data, const TVector& params, const TParamSet& estimated,
                       int index, double level, TParamInterval& interval)
{
    const L n = data.size(), smallest = SmallestOf(data);
    const L sum = SumAbove(data, estimated[1] ? smallest : L(params[1]));
    if (n < 2 || !(sum > 0))
        return false;
    if (index == 0) {
        const double tail = (1 - level) / 2;
        const double degrees = static_cast<double>(estimated[1] ? 2 * (n - 1) : 2 * n);
        interval.lower = static_cast<double>(Chi2Point(degrees, tail) / (2 * sum));
        interval.upper = static_cast<double>(Chi2Point(degrees, 1 - tail) / (2 * sum));
        return true;
    }
    const L below = estimated[0] ? FPoint(2, static_cast<double>(2 * (n - 1)), level) * sum / (n * (n - 1))
                                 : -std::log1p(-L(level)) / (n * L(params[0]));
    interval.lower = static_cast<double>(smallest - below);
    interval.upper = static_cast<double>(smallest);
    return true;
}

bool Exponential2Error(const TVector& data, const TVector& params, const TParamSet&, int index,
                       double& se)
{
    if (index != 1)
        return false;
    se = static_cast<double>(1 / (data.size() * L(params[0])));
    return true;
}
