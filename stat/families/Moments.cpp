// The moments of a law (DistMoments) and their shared forms.
#include "Moments.h"
#include "TrueValues.h"

#include <cmath>

TMoments MomentsOfScaled(Quad (*logMoment)(const TVector& params, int r), const TVector& params,
                         int finite, L a, L s)
{
    TMoments m{NoMoment, NoMoment, NoMoment, NoMoment, NoMoment, NoMoment};
    const double sign = s < 0 ? -1 : 1;
    if (finite < 1) {
        m.mean = sign * HUGE_VAL;
        return m;
    }
    const Quad k1 = logMoment(params, 1);
    const Quad scale = static_cast<Quad>(s) * expq(k1);
    m.mean = static_cast<double>(a + static_cast<L>(scale));
    if (finite < 2) {
        m.sd = HUGE_VAL;
        return m;
    }
    // A_r = ln E[Y^r] - r ln E[Y]: the central moments of Y over E[Y]^r are sums of expm1(A_r),
    // which keep their digits where Y hardly varies.
    const auto excess = [&](int r) { return expm1q(logMoment(params, r) - r * k1); };
    const Quad e2 = excess(2);
    m.sd = static_cast<double>(fabsq(scale) * sqrtq(e2));
    if (finite < 3) {
        m.skewness = sign * HUGE_VAL;
        m.kurtosis = HUGE_VAL;
        return m;
    }
    const Quad e3 = excess(3);
    m.skewness = static_cast<double>(sign * (e3 - 3 * e2) / (e2 * sqrtq(e2)));
    if (finite < 4) {
        m.kurtosis = HUGE_VAL;
        return m;
    }
    const Quad e4 = excess(4);
    m.kurtosis = static_cast<double>((e4 - 4 * e3 + 6 * e2) / (e2 * e2) - 3);
    return m;
}

TMoments DistMoments(TDistKind kind, const TVector& params)
{
    CheckKindAndParams(kind, params);
    const std::string refusal = DistParamsRefusal(kind, params, '.');
    if (!refusal.empty())
        throw EStat(refusal);
    const TFamily& family = Family(kind);
    TMoments m{};
    FloatChecked([&] {
        m = family.moments(params);
        m.median = Settle(TrueValue(family, TDistFunc::Inverse, params, 0.5));
    });
    return m;
}
