// The normal and log-normal estimates: the listed moments, the likelihood's maximum beside
// them, and the exact intervals of their pivots (Student's t for mu, chi-square for ro).
#include "Normal.h"
#include "Pivots.h"

#include <cmath>
#include <vector>

// Moment estimates: the mean and the standard deviation.
void NormalEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                    const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, s.mean);
    if (which[1])
        StoreEstimate(params, 1, std::sqrt(s.variance));
}

// Moment estimates from the logarithms of the data: mu is their mean; ro their deviations
// from mu (estimated, or as given), over n - 1.
void LogNormalEstimate(const TSampleMoments& s, const TVector& data, TVector& params,
                       const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, s.mean);
    if (which[1]) {
        const L mu = params[0];
        L around = 0;
        for (double x : data) {
            const L v = std::log(L(x));
            around += (v - mu) * (v - mu);
        }
        StoreEstimate(params, 1, std::sqrt(around / (s.n - 1)));
    }
}

namespace {
// The values the normal law is of: the data, or their logarithms.
std::vector<L> Values(const TVector& data, bool logarithms)
{
    std::vector<L> v(data.begin(), data.end());
    if (logarithms)
        for (L& x : v)
            x = std::log(x);
    return v;
}

L MeanOf(const std::vector<L>& v)
{
    L sum = 0;
    for (L x : v)
        sum += x;
    return sum / v.size();
}

L SquaresAbout(const std::vector<L>& v, L mu)
{
    L squares = 0;
    for (L x : v)
        squares += (x - mu) * (x - mu);
    return squares;
}

// The maximum of the likelihood: the mean, and the deviations from mu over n.
void MaximiseOf(const std::vector<L>& v, TVector& params, const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, MeanOf(v));
    if (which[1])
        StoreEstimate(params, 1, std::sqrt(SquaresAbout(v, params[0]) / v.size()));
}

// mu: the mean with Student's t of n - 1 degrees of freedom and the sample's deviation (the
// normal's quantile and the given ro where ro is given); ro: the squares about mu (estimated,
// or given) with chi-square of n - 1 (or n) degrees of freedom.
bool PivotsOf(const std::vector<L>& v, const TVector& params, const TParamSet& estimated,
              int index, double level, TParamInterval& interval)
{
    const std::size_t n = v.size();
    if (n < 2)
        return false;
    const double tail = (1 - level) / 2;
    const L mean = MeanOf(v);
    if (index == 0) {
        const L half = estimated[1]
                           ? StudentPoint(double(n - 1), 1 - tail) *
                                 std::sqrt(SquaresAbout(v, mean) / (n - 1) / n)
                           : NormalPoint(1 - tail) * params[1] / std::sqrt(L(n));
        interval.lower = static_cast<double>(mean - half);
        interval.upper = static_cast<double>(mean + half);
        return true;
    }
    const L squares = SquaresAbout(v, estimated[0] ? mean : L(params[0]));
    const double degrees = double(estimated[0] ? n - 1 : n);
    interval.lower = static_cast<double>(std::sqrt(squares / Chi2Point(degrees, 1 - tail)));
    interval.upper = static_cast<double>(std::sqrt(squares / Chi2Point(degrees, tail)));
    return true;
}
}  // namespace

void NormalMaximise(const TSampleMoments&, const TVector& data, TVector& params,
                    const TParamSet& which)
{
    MaximiseOf(Values(data, false), params, which);
}

void LogNormalMaximise(const TSampleMoments&, const TVector& data, TVector& params,
                       const TParamSet& which)
{
    MaximiseOf(Values(data, true), params, which);
}

L LogNormalMaximumLikelihood(const TVector& values, TVector& params, const TParamSet& which)
{
    const std::vector<L> logs = Values(values, true);
    MaximiseOf(logs, params, which);
    const L mu = params[0], ro = params[1], logRo = std::log(ro);
    L sum = 0;
    for (const L logX : logs)
        sum += LogNormalLogDensityOfLog(mu, ro, logRo, logX);
    return sum;
}

bool NormalExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                 int index, double level, TParamInterval& interval)
{
    return PivotsOf(Values(data, false), params, estimated, index, level, interval);
}

bool LogNormalExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                    int index, double level, TParamInterval& interval)
{
    return PivotsOf(Values(data, true), params, estimated, index, level, interval);
}
