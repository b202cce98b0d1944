// The plot range of the calculator's chart for each kind, from its parameters.
#include "Stat_Lib.h"

#include <cmath>

void ChartRange(TDistKind kind, const TVector& params, double& lo, double& hi)
{
    FloatChecked([&] {
        const TVector& p = params;
        switch (kind) {
        case TDistKind::UniformStd: lo = -0.5; hi = 1.5; break;
        case TDistKind::Uniform: lo = p[0] - 0.5; hi = p[1] + 0.5; break;
        case TDistKind::NormalStd: lo = -5; hi = 5; break;
        case TDistKind::Normal: lo = p[0] - 5 * p[1]; hi = p[0] + 5 * p[1]; break;
        case TDistKind::Chi2: lo = 0; hi = 1.5 * p[0] + 6; break;
        case TDistKind::Student: lo = -5; hi = 5; break;
        case TDistKind::LogNormal: lo = 0; hi = 2 * p[1] + 1; break;
        case TDistKind::Exponential: lo = 0; hi = 2 * p[0] + 1; break;
        case TDistKind::F: lo = 0; hi = 10; break;
        case TDistKind::Cauchy:
            lo = p[0] - 2 * std::sqrt(p[1]);
            hi = p[0] + 2 * std::sqrt(p[1]);
            break;
        case TDistKind::Logistic: lo = -5; hi = 25; break;
        case TDistKind::Beta: lo = 0; hi = 1; break;
        case TDistKind::Rayleigh: lo = 0; hi = p[0] / 2 + 10; break;
        case TDistKind::Weibull: lo = 0; hi = 10; break;
        case TDistKind::Pareto: lo = 0; hi = p[0] + 4 + 2 / p[1]; break;
        case TDistKind::ExtrValue: lo = p[0] - 2 * p[1]; hi = p[0] + p[1]; break;
        }
    });
}
