// The buffer's description: its moments in extended precision about the mean, its quartiles
// from a partial sort of a copy.
#include <algorithm>
#include <cmath>
#include <limits>

#include "Fit_Lib.h"
#include "StatInternal.h"

namespace {
// The quantile of type 7 (R's default): between the order statistics around 1 + (n - 1) p.
// `sorted` is arranged by nth_element up to the ones read.
double Quartile(std::vector<double>& values, double p)
{
    const double at = (values.size() - 1) * p;
    const std::size_t below = static_cast<std::size_t>(at);
    std::nth_element(values.begin(), values.begin() + below, values.end());
    const double low = values[below];
    if (below + 1 >= values.size())
        return low;
    const double high = *std::min_element(values.begin() + below + 1, values.end());
    return low + (at - below) * (high - low);
}
}  // namespace

TDescription Describe(const TVector& data)
{
    const double NaN = std::numeric_limits<double>::quiet_NaN();
    TDescription d{data.size(), NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN, NaN};
    const std::size_t n = data.size();
    if (n == 0)
        return d;
    L sum = 0;
    for (double x : data)
        sum += x;
    const L mean = sum / n;
    L m2 = 0, m3 = 0, m4 = 0;
    for (double x : data) {
        const L e = x - mean, e2 = e * e;
        m2 += e2;
        m3 += e2 * e;
        m4 += e2 * e2;
    }
    d.mean = static_cast<double>(mean);
    if (n > 1)
        d.sd = static_cast<double>(std::sqrt(m2 / (n - 1)));
    // The adjusted Fisher-Pearson coefficients G1 and G2, as spreadsheets, SPSS and JASP give
    // them: from m_k = sum (x - mean)^k / n.
    const L N = n, k2 = m2 / N, k3 = m3 / N, k4 = m4 / N;
    if (n > 2 && k2 > 0)
        d.skewness = static_cast<double>(std::sqrt(N * (N - 1)) / (N - 2) * k3 / std::pow(k2, 1.5L));
    if (n > 3 && k2 > 0)
        d.kurtosis = static_cast<double>((N - 1) / ((N - 2) * (N - 3)) *
                                         ((N + 1) * (k4 / (k2 * k2) - 3) + 6));
    std::vector<double> values = data;
    d.min = *std::min_element(values.begin(), values.end());
    d.max = *std::max_element(values.begin(), values.end());
    d.q1 = Quartile(values, 0.25);
    d.median = Quartile(values, 0.5);
    d.q3 = Quartile(values, 0.75);
    return d;
}
