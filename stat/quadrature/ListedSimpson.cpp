// The listed Simpson walks as plain functions: every panel from the start, no cache, no
// bound on the span. The cached helpers give their results bit for bit on every span they
// walk exactly; tests and benchmarks measure them against these.
#include "SimpsonWalk.h"

#include <cmath>

namespace simpson {

double ListedIntegral(TDistHandler density, const TVector& params, double From, double To)
{
    double h = To > From ? SimpsonStep : -SimpsonStep;
    double S = 0, x = From, f0 = density(params, From);
    for (;;) {
        if (std::fabs(static_cast<long double>(To) - x) < std::fabs(h)) {
            h = static_cast<double>(static_cast<long double>(To) - x);
            if (!(static_cast<double>(x + std::fabs(h)) > x))
                break;
        }
        const double f1 = density(params, x + h), fm = density(params, x + h / 2);
        S = static_cast<double>(S + (4.0L * fm + f0 + f1) * (h * OneSixth));
        f0 = f1;
        x = x + h;
    }
    return S;
}

double ListedInverse(TDistHandler density, const TVector& params, double From, double Target,
                     double Limit)
{
    double h = Limit > From ? SimpsonStep : -SimpsonStep;
    double A = 0, x = From, f0 = density(params, From);
    while (std::fabs(static_cast<long double>(Limit) - x) > std::fabs(h)) {
        const double f1 = density(params, x + h), fm = density(params, x + h / 2);
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

}  // namespace simpson
