// Simpson integration and inversion of a density on the fixed grid of 2^-10 panels. The walk
// resumes from the latest state that the grid cache saved on its path; beyond 4096 units from
// the start, a bounded continuation takes over.
#include "SimpsonWalk.h"

using namespace simpson;

namespace {
// The helpers run inside an evaluation whose floating-point errors are errors: they end at
// the first one raised, which also keeps a NaN or an infinity from reaching the walk.
void RequireFinite(double a, double b, double c = 0)
{
    StopOnFloatError();
    if (!std::isfinite(a) || !std::isfinite(b) || !std::isfinite(c))
        throw EMathError(MsgInvalidOp);
}
}  // namespace

double SimpsonIntegral(const TIntegrand& f, const TVector& params, double From, double To)
{
    RequireFinite(From, To);
    const double h = To > From ? SimpsonStep : -SimpsonStep;
    GridStart start = CachedIntegralStart(f, params, From, To, h);
    WalkState& s = start.s;
    double result = 0;
    if (IntegralWalk(f, params, To, h, start.known, start.zero, s, result) == WalkEnd::Done)
        return result;
    return static_cast<double>(s.S + ContinuedIntegral(f.density, params, s.x, To));
}

double SimpsonInverse(const TIntegrand& f, const TVector& params, double From, double Target,
                      double Limit)
{
    RequireFinite(From, Target, Limit);
    const double h = Limit > From ? SimpsonStep : -SimpsonStep;
    GridStart start = CachedInverseStart(f, params, From, Target, Limit, h);
    WalkState& s = start.s;
    // A walk resumed from the cache keeps the points it evaluates after halving for the next
    // walk to the same target; with the cache off every walk is the plain one and keeps none.
    const bool remember = start.cached;
    double result = 0;
    if (InverseWalk(f, params, Target, Limit, h, start.known, start.zero, remember, s,
                    result) == WalkEnd::Done)
        return result;
    return ContinuedInverse(f.density, params, s, Target, Limit, h);
}

double SimpsonIntegral(TDistHandler density, const TVector& params, double From, double To)
{
    return SimpsonIntegral(TIntegrand{density}, params, From, To);
}

double SimpsonInverse(TDistHandler density, const TVector& params, double From, double Target,
                      double Limit)
{
    return SimpsonInverse(TIntegrand{density}, params, From, Target, Limit);
}
