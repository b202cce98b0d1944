// What the kinds' moments share: the standardised moments of a scaled positive variable from
// the logarithms of its raw moments, in quadruple precision, where the central moments are
// small differences of large raw ones (a Weibull of large shape, a log-logistic of large
// shape, an extreme-value law of small xi).
#pragma once

#include "Family.h"

#include <limits>
#include <quadmath.h>

using Quad = __float128;
inline const Quad QuadPi = acosq(Quad(-1));  // (quadmath's M_PIq needs GNU literals)

// A moment that does not exist.
inline constexpr double NoMoment = std::numeric_limits<double>::quiet_NaN();

// The moments as a family states them, the median left to the quantile of 1/2.
inline TMoments MomentsOf(L mean, L sd, L mode, L skewness, L kurtosis)
{
    return {static_cast<double>(mean), static_cast<double>(sd), NoMoment,
            static_cast<double>(mode), static_cast<double>(skewness),
            static_cast<double>(kurtosis)};
}

// The moments of a + s Y for a positive Y with ln E[Y^r] = logMoment(r), r = 1 to 4, of which
// the first `finite` are finite (0 to 4) and the others infinite. A moment beyond the finite
// ones is infinite where the variance is finite (with the sign of s for the odd ones and the
// skewness), else it does not exist (NaN). The mode and median are left NaN for the caller.
TMoments MomentsOfScaled(Quad (*logMoment)(const TVector& params, int r), const TVector& params,
                         int finite, L a, L s);
