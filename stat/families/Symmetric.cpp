#include "Symmetric.h"

double SymmetricDistribution(const simpson::TIntegrand& density, const TVector& params, double x)
{
    if (x < 0)
        return static_cast<double>(1.0L - SymmetricDistribution(density, params, -x));
    return static_cast<double>(0.5L + SimpsonIntegral(density, params, 0, x));
}

double SymmetricInverse(const simpson::TIntegrand& density, const TVector& params, double p, double limit,
                        double lowest)
{
    if (p > 0.5 && p < 1)
        return SimpsonInverse(density, params, 0, static_cast<double>(p - 0.5L), limit);
    if (p > lowest && p < 0.5)
        return -SimpsonInverse(density, params, 0, static_cast<double>(0.5L - p), limit);
    return 0;
}
