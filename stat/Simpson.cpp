// Simpson integration and inversion of a density on the fixed grid of 2^-10 panels.
#include "Stat_Lib.h"

#include <cmath>

namespace {
const long double OneSixth = 1.0L / 6.0L;

// The helpers run inside an evaluation whose floating-point errors are errors: they end at the
// first one raised (before or during the walk), which also keeps a NaN or an infinity from
// reaching the loops, where it could walk for ever.
void StopOnFloatError()
{
    ThrowFloatError(RaisedFloatErrors());
}

void RequireFinite(double a, double b, double c = 0)
{
    StopOnFloatError();
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c))
        throw EMathError(MsgInvalidOp);
}
}  // namespace

double SimpsonIntegral(TDistHandler density, const TVector& params, double From, double To)
{
    RequireFinite(From, To);
    double h = To > From ? SimpsonStep : -SimpsonStep;
    double S = 0;
    double x = From;
    double f0 = density(params, From);
    for (;;) {
        if (std::fabs(static_cast<long double>(To) - x) < std::fabs(h)) {
            h = static_cast<double>(static_cast<long double>(To) - x);
            if (!(static_cast<double>(x + std::fabs(h)) > x))
                break;
        }
        const double f1 = density(params, x + h);
        const double fm = density(params, x + h / 2);
        StopOnFloatError();
        S = static_cast<double>(S + (4.0L * fm + f0 + f1) * (h * OneSixth));
        f0 = f1;
        x = x + h;
    }
    return S;
}

double SimpsonInverse(TDistHandler density, const TVector& params,
                      double From, double Target, double Limit)
{
    RequireFinite(From, Target, Limit);
    double h = Limit > From ? SimpsonStep : -SimpsonStep;
    double A = 0;
    double x = From;
    double f0 = density(params, From);
    while (std::fabs(static_cast<long double>(Limit) - x) > std::fabs(h)) {
        const double f1 = density(params, x + h);
        const double fm = density(params, x + h / 2);
        StopOnFloatError();
        const double P = static_cast<double>((4.0L * fm + f0 + f1) * (std::fabs(h) * OneSixth));
        if (static_cast<long double>(A) + P > Target) {
            h = h / 2;
            if (std::fabs(h) < SimpsonMinStep)
                break;
        } else {
            A = A + P;
            x = x + h;
            f0 = f1;
        }
    }
    return x;
}
