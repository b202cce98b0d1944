// The calculator's probabilities (DistProbability) and the logarithms of values below the
// doubles (DistLogDensity, DistLogProbability).
#include "Family.h"
#include "SoundMethods.h"
#include "TrueValues.h"

#include <cfloat>
#include <cmath>
#include <limits>

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

// Gauss-Legendre's 10-point rule: the nodes' positive half and their weights.
constexpr L GaussNodes[5] = {0.148874338981631210884826001129719985L, 0.433395394129247190799265943165784162L,
                             0.679409568299024406234327365114873576L, 0.865063366688984510732096688423493049L,
                             0.973906528517171720077964012084452053L};
constexpr L GaussWeights[5] = {0.295524224714752870173892994651338329L, 0.269266719309996355091226921569469353L,
                               0.219086362515982043995534934228163192L, 0.149451349150580593145776339657697332L,
                               0.066671344308688137593568809893331793L};

// The integral of the density over [a, b], by the 10-point rule on each half.
L DensityIntegral(const TFamily& family, const TVector& params, L a, L b)
{
    L sum = 0;
    const L half = (b - a) / 4;
    for (const L centre : {a + half, b - half})
        for (int i = 0; i < 5; ++i)
            for (const L side : {-1.0L, 1.0L}) {
                const double x = static_cast<double>(centre + side * half * GaussNodes[i]);
                sum += GaussWeights[i] * TrueValue(family, TDistFunc::Density, params, x);
            }
    return sum * half;
}

L Lower(const TFamily& family, const TVector& params, double x)
{
    return TrueValue(family, TDistFunc::Distribution, params, x);
}

// P(a < X <= b) from the tails that hold its digits.
L Between(const TFamily& family, const TVector& params, double a, double b)
{
    if (a == b)
        return 0;
    const bool finite = std::isfinite(a) && std::isfinite(b);
    const L upperA = TrueUpper(family, params, a), upperB = TrueUpper(family, params, b);
    if (upperA <= 0.5L)
        return upperB > upperA / 2 && finite ? DensityIntegral(family, params, a, b) : upperA - upperB;
    const L lowerA = Lower(family, params, a), lowerB = Lower(family, params, b);
    if (lowerB <= 0.5L)
        return lowerA > lowerB / 2 && finite ? DensityIntegral(family, params, a, b) : lowerB - lowerA;
    return 1 - lowerA - upperB;
}

// ln(e^u - e^v) for u >= v, and ln(e^u + e^v), where either may be -infinity.
L LogDifference(L u, L v)
{
    return std::isinf(v) ? u : u + std::log1p(-std::exp(v - u));
}
L LogSum(L u, L v)
{
    if (std::isinf(u) || std::isinf(v))
        return std::max(u, v);
    return std::max(u, v) + std::log1p(std::exp(-std::fabs(u - v)));
}
}  // namespace

double DistProbability(TDistKind kind, const TVector& params, TProbability what, double a, double b)
{
    CheckKindAndParams(kind, params);
    if ((what == TProbability::Between || what == TProbability::Outside) && !(a <= b))
        throw EStat("The interval's lower bound must not exceed its upper bound.");
    const TFamily& family = Family(kind);
    return FloatChecked([&]() -> double {
        switch (what) {
        case TProbability::Below:
            return TrueValue(family, TDistFunc::Distribution, params, a);
        case TProbability::Above:
            return TrueUpper(family, params, a);
        case TProbability::Between:
            return SoundProbability(Between(family, params, a, b));
        case TProbability::Outside:
            return SoundProbability(Lower(family, params, a) + L(TrueUpper(family, params, b)));
        }
        return NaN;
    });
}

double DistLogDensity(TDistKind kind, const TVector& params, double x)
{
    const double density = DistEval(kind, TDistFunc::Density, params, x);
    if (density >= DBL_MIN)
        return std::log(density);
    const TFamily& family = Family(kind);
    const L value = FloatChecked([&] { return family.sound.logDensity(params, x); });
    if (std::isinf(value) && value < 0)
        return NaN;
    // A logarithm beyond the doubles (the normal density at 1e300): -infinity.
    return std::fabs(value) <= L(DBL_MAX) ? static_cast<double>(value) : -HUGE_VAL;
}

bool DistLogProbability(TDistKind kind, const TVector& params, TProbability what, double a,
                        double b, double& logValue)
{
    const double value = DistProbability(kind, params, what, a, b);
    if (value >= DBL_MIN) {
        logValue = std::log(value);
        return true;
    }
    // 0 itself, for every kind: an empty interval, or bounds where the density is 0 (outside
    // the support), whose logarithm is NaN.
    const bool twoBounds = what == TProbability::Between || what == TProbability::Outside;
    if (value == 0 && ((what == TProbability::Between && a == b) ||
                       (std::isnan(DistLogDensity(kind, params, a)) &&
                        (!twoBounds || std::isnan(DistLogDensity(kind, params, b)))))) {
        logValue = NaN;
        return true;
    }
    const TFamily& family = Family(kind);
    if (!family.sound.logLower || !family.sound.logUpper)
        return false;
    // Where a tail's logarithm is -infinity the value lies outside the support, or so far
    // inside it that its logarithm is not a double either: the density tells which.
    const auto known = [&](L logTail, double at) {
        return !std::isinf(logTail) || std::isnan(DistLogDensity(kind, params, at));
    };
    L result = 0;
    bool formed = true;
    FloatChecked([&] {
        const L lowerA = family.sound.logLower(params, a), upperA = family.sound.logUpper(params, a);
        switch (what) {
        case TProbability::Below:
            result = lowerA;
            formed = known(lowerA, a);
            break;
        case TProbability::Above:
            result = upperA;
            formed = known(upperA, a);
            break;
        case TProbability::Between: {
            if (a == b) {
                result = -HUGE_VALL;
                break;
            }
            // Both bounds in one far tail (the value is below the doubles).
            const L lowerB = family.sound.logLower(params, b), upperB = family.sound.logUpper(params, b);
            result = upperA < lowerB ? LogDifference(upperA, upperB) : LogDifference(lowerB, lowerA);
            formed = !std::isinf(upperA < lowerB ? upperA : lowerB);
            break;
        }
        case TProbability::Outside: {
            const L upperB = family.sound.logUpper(params, b);
            result = LogSum(lowerA, upperB);
            formed = known(lowerA, a) && known(upperB, b);
            break;
        }
        }
    });
    if (!formed)
        return false;
    if (std::isinf(result) && result < 0) {
        logValue = NaN;
        return true;
    }
    // A logarithm beyond the doubles (the normal tail at 1e300): not formed as a double.
    if (!(std::fabs(result) <= L(DBL_MAX)))
        return false;
    logValue = static_cast<double>(result);
    return true;
}
