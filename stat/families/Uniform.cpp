// The standard uniform and uniform distributions.
#include "Uniform.h"
#include "Moments.h"
#include "SoundMethods.h"

#include <algorithm>

#include <cmath>

double UniformStdDensity(const TVector&, double x)
{
    return x > 0 && x < 1 ? 1 : 0;
}

double UniformStdDistribution(const TVector&, double x)
{
    if (x < 0)
        return 0;
    return x < 1 ? x : 1;
}

double UniformStdInverse(const TVector&, double p)
{
    return InOpenUnit(p) ? p : 0;
}

double UniformDensity(const TVector& params, double x)
{
    const double min = params[0], max = params[1];
    if (min < x && x < max)
        return static_cast<double>(1 / (L(max) - min));
    return 0;
}

double UniformDistribution(const TVector& params, double x)
{
    const double min = params[0], max = params[1];
    if (x < min)
        return 0;
    if (x >= max)
        return 1;
    return static_cast<double>((L(x) - min) / (L(max) - min));
}

double UniformInverse(const TVector& params, double p)
{
    const double min = params[0], max = params[1];
    if (!InOpenUnit(p))
        return 0;
    return static_cast<double>(min + p * (L(max) - min));
}

// The calculator charts' ranges.
void UniformStdChart(const TVector&, double& lo, double& hi)
{
    lo = -0.5;
    hi = 1.5;
}

void UniformChart(const TVector& p, double& lo, double& hi)
{
    lo = p[0] - 0.5;
    hi = p[1] + 0.5;
}

// Moment estimates: the sample's extremes.
void UniformEstimate(const TSampleMoments& s, const TVector&, TVector& params,
                     const TParamSet& which)
{
    if (which[0])
        StoreEstimate(params, 0, s.min);
    if (which[1])
        StoreEstimate(params, 1, s.max);
}

// The ends' exact intervals. With both estimated, (min of the data - min) over the data's range
// is a pivot with P(V > v) = (1 + v)^-(n - 1); with the other end given, (min of the data -
// min) / (max - min) follows Beta(1, n). An end lies beyond the data's extreme, so each
// interval reaches from there outward.
bool UniformExact(const TVector& data, const TVector& params, const TParamSet& estimated,
                  int index, double level, TParamInterval& interval)
{
    const auto [low, high] = std::minmax_element(data.begin(), data.end());
    const L n = data.size(), first = *low, last = *high;
    if (n < 2)
        return false;
    const bool both = estimated[0] && estimated[1];
    L reach = 0;  // how far the interval reaches beyond the extreme
    if (both) {
        reach = (std::pow(1 - L(level), -1 / (n - 1)) - 1) * (last - first);
    } else {
        const L t = 1 - std::pow(1 - L(level), 1 / n);
        reach = index == 0 ? t * (L(params[1]) - first) / (1 - t) : t * (last - L(params[0])) / (1 - t);
    }
    if (index == 0) {
        interval.lower = static_cast<double>(first - reach);
        interval.upper = static_cast<double>(first);
    } else {
        interval.lower = static_cast<double>(last);
        interval.upper = static_cast<double>(last + reach);
    }
    return true;
}

// An end's standard error: that of the extreme, a Beta(1, n) order statistic on the range.
bool UniformError(const TVector& data, const TVector& params, const TParamSet&, int, double& se)
{
    const L n = data.size();
    se = static_cast<double>((L(params[1]) - params[0]) * std::sqrt(n / ((n + 1) * (n + 1) * (n + 2))));
    return true;
}

// ---- The sound functions: each tail measured from its own end of the interval, so that a
// small one keeps its digits ------------------------------------------------------------------
double UniformStdSoundUpper(const TVector&, double x)
{
    return SoundProbability(1 - L(x));
}

double UniformStdSoundUpperInverse(const TVector&, double q)
{
    return SoundDouble(1 - L(q));
}

bool UniformInOrder(const TVector& params)
{
    return params[0] < params[1];
}

// The likelihood's term: the support's ends count as inside (the density's limit there).
L UniformStdLogDensity(const TVector&, double x)
{
    return x >= 0 && x <= 1 ? 0 : -HUGE_VALL;
}

L UniformLogDensity(const TVector& params, double x)
{
    const L min = params[0], max = params[1];
    return x >= min && x <= max ? -std::log(max - min) : -HUGE_VALL;
}

double UniformSoundDistribution(const TVector& params, double x)
{
    const L min = params[0], max = params[1];
    return SoundProbability((x - min) / (max - min));
}

double UniformSoundUpper(const TVector& params, double x)
{
    const L min = params[0], max = params[1];
    return SoundProbability((max - x) / (max - min));
}

double UniformSoundInverse(const TVector& params, double p)
{
    const L min = params[0], max = params[1];
    return SoundDouble(p <= 0.5 ? min + p * (max - min) : max - (1 - L(p)) * (max - min));
}

double UniformSoundUpperInverse(const TVector& params, double q)
{
    const L min = params[0], max = params[1];
    return SoundDouble(q <= 0.5 ? max - q * (max - min) : min + (1 - L(q)) * (max - min));
}

TMoments UniformStdMoments(const TVector&)
{
    return UniformMoments({0, 1});
}

// Every value of [min, max] is a mode: none is the mode.
TMoments UniformMoments(const TVector& params)
{
    const L a = params[0], width = params[1] - a;
    return MomentsOf(a + width / 2, width / std::sqrt(12.0L), NoMoment, 0, -1.2L);
}
