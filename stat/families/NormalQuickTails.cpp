// The normal tails in the doubles' own arithmetic, which tell whether a listed quantile stands
// wherever they leave no doubt (see Brackets in TrueValues.cpp).
#include "Normal.h"

#include <cmath>

namespace {
// P(Z > d / ro) in the doubles, within 8.5 standard deviations (-1 beyond, where d / ro may
// overflow): erfc's argument u, rounded by 3.5 units, moves it by its relative slope 2u^2 + 1
// (74 at u = 6) times those, 3e-14, within QuickTailError with erfc's own units.
double QuickUpperTail(double d, double ro)
{
    if (!(std::fabs(d) <= 8.5 * ro))
        return -1;
    return 0.5 * std::erfc(d / ro * 0.70710678118654752440);
}
}  // namespace

double NormalStdQuickLower(const TVector&, double x)
{
    return QuickUpperTail(-x, 1);
}

double NormalStdQuickUpper(const TVector&, double x)
{
    return QuickUpperTail(x, 1);
}

double NormalQuickLower(const TVector& params, double x)
{
    return QuickUpperTail(params[0] - x, params[1]);
}

double NormalQuickUpper(const TVector& params, double x)
{
    return QuickUpperTail(x - params[0], params[1]);
}
