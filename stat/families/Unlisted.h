// What the kinds added after the sixteen share: they have no listed algorithm (their sound
// functions are their functions), their chart spans their own quantiles, and the threshold
// variants are another kind of x - x0 with estimates of their own.
#pragma once

#include <cmath>

#include "Family.h"
#include "SoundMethods.h"

// The calculator chart's range: the law's 0.1 % and 99.9 % points.
template <double (*Inverse)(const TVector& params, double p)>
void QuantileChart(const TVector& params, double& lo, double& hi)
{
    lo = Inverse(params, 0.001);
    hi = Inverse(params, 0.999);
}

// A kind that is the kind `Base` of x - x0, x0 its last parameter (a threshold, the support
// starting there): each function is the base's at x - x0 (formed in extended precision) with
// the other parameters, and each quantile x0 plus the base's. The bases are laws of the
// positive numbers: the quantiles at 0 and 1 are x0 and infinity.
template <const TFamily& Base>
struct TShifted {
    static TVector BaseParams(const TVector& params)
    {
        return TVector(params.begin(), params.end() - 1);
    }
    static double Offset(const TVector& params, double x)
    {
        return SoundDouble(L(x) - params.back());
    }
    static double Density(const TVector& params, double x)
    {
        return Base.sound.density(BaseParams(params), Offset(params, x));
    }
    static L LogDensity(const TVector& params, double x)
    {
        return Base.sound.logDensity(BaseParams(params), Offset(params, x));
    }
    static double Distribution(const TVector& params, double x)
    {
        return Base.sound.distribution(BaseParams(params), Offset(params, x));
    }
    static double Upper(const TVector& params, double x)
    {
        return Base.sound.upper(BaseParams(params), Offset(params, x));
    }
    static double Inverse(const TVector& params, double p)
    {
        if (p <= 0 || p >= 1)
            return p <= 0 ? params.back() : HUGE_VAL;
        return SoundDouble(params.back() + L(Base.sound.inverse(BaseParams(params), p)));
    }
    static L LogLower(const TVector& params, double x)
    {
        return Base.sound.logLower(BaseParams(params), Offset(params, x));
    }
    static L LogUpper(const TVector& params, double x)
    {
        return Base.sound.logUpper(BaseParams(params), Offset(params, x));
    }
    // The base's moments, the mean and mode shifted by x0.
    static TMoments Moments(const TVector& params)
    {
        TMoments m = Base.moments(BaseParams(params));
        m.mean = SoundDouble(m.mean + L(params.back()));
        m.mode = SoundDouble(m.mode + L(params.back()));
        return m;
    }
    static double UpperInverse(const TVector& params, double q)
    {
        if (q <= 0 || q >= 1)
            return q >= 1 ? params.back() : HUGE_VAL;
        return SoundDouble(params.back() + L(Base.sound.upperInverse(BaseParams(params), q)));
    }
};

// The estimates of a kind that is the kind `base` of x - x0, x0 its last parameter (a
// threshold), of the parameters in `which`. With x0 given, the base's likelihood's maximum of
// x - x0. With x0 estimated, the likelihood grows without bound as x0 reaches the smallest
// value (where the shape lets the density do so), so its maximum is the largest local one below
// the smallest value where the likelihood has one (R. L. Smith, Biometrika 72, 1985: shapes
// above 1), found on a ladder of thresholds and refined; where it has none, the modified
// maximum likelihood of A. C. Cohen and B. J. Whitten (Commun. Stat. 11, 1982): the others at
// their maximum for x0, and x0 where the fitted law gives the smallest value its expected
// probability, F(x(1)) = 1 / (n + 1).
void ShiftedEstimate(const TFamily& family, const TFamily& base, const TVector& data,
                     TVector& params, const TParamSet& which);
