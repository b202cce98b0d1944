// A fitted quantile, or a fitted upper tail, with its standard error and interval. Where the
// parameters are continuous, the profile likelihood of the quantity itself: for each value t,
// the largest likelihood of the parameters that give the quantity t, one parameter solved for
// from the others (a location or scale in closed form, else by a search), the others
// maximised over.
#include <algorithm>
#include <cmath>

#include "FitIntervals.h"
#include "Likelihood.h"
#include "Pivots.h"
#include "Profile.h"

namespace {
constexpr std::uint64_t QuantityPurpose = 0x7175616e74697479ull;  // "quantity"

// The quantity asked of a law: its quantile at p, or its upper tail at x.
struct TQuantity {
    bool tail;
    double at;

    L Of(const TFamily& family, const TVector& params) const
    {
        return tail ? family.sound.upper(params, at) : family.sound.inverse(params, at);
    }
};

// The parameter solved for: a location, else a scale, else the first estimated.
int SolvedParameter(const TFit& fit)
{
    for (TParamRole role : {TParamRole::Location, TParamRole::Scale})
        for (int i : fit.free)
            if (fit.family.params[i].role == role)
                return i;
    return fit.free.front();
}

// params with parameter j set so that the quantity is t; false where none does.
bool Solve(const TFit& fit, const TQuantity& q, int j, L t, TVector& params)
{
    const TParam& param = fit.family.params[j];
    const TBounds served = ServedBounds(param);
    if (param.role == TParamRole::Location || param.role == TParamRole::Scale) {
        const bool location = param.role == TParamRole::Location;
        TVector unit = params;
        unit[j] = location ? 0 : 1;
        // At unit location or scale: the quantile at p, or the x whose upper tail is t.
        const L base = q.tail ? L(fit.family.sound.upperInverse(unit, static_cast<double>(t)))
                              : L(fit.family.sound.inverse(unit, q.at));
        const L x = q.tail ? L(q.at) : t;
        const L v = location ? x - base : x / base;
        params[j] = static_cast<double>(v);
        return std::isfinite(params[j]) && ServedParam(param, params[j]);
    }
    // Any other parameter: the quantity is monotone in it; its root is bracketed by steps that
    // double outward from the parameter's value, then found by the Illinois method.
    const TScale scale = served.lower >= 0 ? TScale::Log : TScale::Plain;
    const auto excess = [&](L u) {
        TVector p = params;
        p[j] = static_cast<double>(FromScale(scale, u));
        if (!ServedParam(param, p[j]))
            return L(HUGE_VAL - HUGE_VAL);
        return q.Of(fit.family, p) - t;
    };
    const L from = ToScale(scale, params[j]), e0 = excess(from);
    if (e0 == 0)
        return true;
    for (L move = 0.125L * (1 + std::fabs(from)); move < 1e4L; move *= 2)
        for (int direction : {-1, 1}) {
            const L to = from + direction * move, e = excess(to);
            if (e * e0 < 0) {
                params[j] = static_cast<double>(
                    FromScale(scale, RootOf(excess, std::min(from, to), std::max(from, to))));
                return ServedParam(param, params[j]);
            }
        }
    return false;
}

// The profile likelihood of the quantity at t: solved for j, the others maximised over.
L ProfileOfQuantity(const TFit& fit, const TQuantity& q, int j, L t)
{
    std::vector<int> others;
    for (int i : fit.free)
        if (i != j)
            others.push_back(i);
    const auto coordinate = [&](int i) {
        return ServedBounds(fit.family.params[i]).lower >= 0 ? TScale::Log : TScale::Plain;
    };
    const auto at = [&](const std::vector<L>& u) {
        TVector p = fit.best;
        for (std::size_t k = 0; k < others.size(); ++k)
            p[others[k]] = static_cast<double>(FromScale(coordinate(others[k]), u[k]));
        for (std::size_t k = 0; k < others.size(); ++k)
            if (!ServedParam(fit.family.params[others[k]], p[others[k]]))
                return -HUGE_VALL;
        if (!Solve(fit, q, j, t, p))
            return -HUGE_VALL;
        return LogLikelihoodOf(fit.family, fit.data, p);
    };
    if (others.empty())
        return at({});
    std::vector<L> start, moves;
    for (int i : others) {
        const TScale s = coordinate(i);
        start.push_back(ToScale(s, fit.best[i]));
        const L se = std::isfinite(fit.se[i]) && fit.se[i] > 0 ? fit.se[i] : 0.1L * std::fabs(fit.best[i]);
        moves.push_back(s == TScale::Log ? se / fit.best[i] : se);
    }
    std::vector<L> best;
    return SimplexMaximum(at, start, moves, best);
}

// The standard error by the delta method: the quantity's gradient over the estimated
// parameters, by central differences of a tenth of each standard error (whole steps for whole
// numbers), through their covariance (the observed information's inverse; the variance in
// closed form of those without information beside it).
double DeltaError(const TFit& fit, const TQuantity& q)
{
    L variance = 0;
    std::vector<L> gradient(fit.best.size(), 0);
    for (int i : fit.free) {
        const bool whole = fit.family.params[i].whole;
        const L h = whole ? 1 : 0.1L * fit.se[i];
        if (!(h > 0))
            return HUGE_VAL - HUGE_VAL;
        TVector up = fit.best, down = fit.best;
        up[i] = static_cast<double>(up[i] + h);
        down[i] = static_cast<double>(std::max<L>(down[i] - h, whole ? 1 : -HUGE_VALL));
        gradient[i] = (q.Of(fit.family, up) - q.Of(fit.family, down)) / (up[i] - down[i]);
        if (std::find(fit.regular.begin(), fit.regular.end(), i) == fit.regular.end())
            variance += gradient[i] * gradient[i] * fit.se[i] * fit.se[i];
    }
    if (fit.covariance.empty() && !fit.regular.empty())
        return HUGE_VAL - HUGE_VAL;
    for (std::size_t a = 0; a < fit.regular.size(); ++a)
        for (std::size_t b = 0; b < fit.regular.size(); ++b)
            variance += gradient[fit.regular[a]] * fit.covariance[a][b] * gradient[fit.regular[b]];
    return static_cast<double>(std::sqrt(variance));
}

TParamInterval QuantityInterval(TDistKind kind, const TVector& data, const TVector& params,
                                const TParamSet& estimated, const TQuantity& q, double level,
                                TIntervalMethod* method)
{
    if (!(level > 0 && level < 1))
        throw EStat("The level of an interval lies between 0 and 1.");
    const double shown = q.tail ? DistUpper(kind, params, q.at)
                                : DistEval(kind, TDistFunc::Inverse, params, q.at);
    FloatScope scope;
    const TFit fit = FitOf(kind, data, params, estimated);
    TParamInterval out{shown, 0, shown, shown};
    TIntervalMethod how = TIntervalMethod::Given;
    // A threshold's likelihood is not regular enough to carry a quantile's profile through it.
    const bool irregular = ThresholdEstimated(fit.family, estimated) ||
                           std::any_of(fit.free.begin(), fit.free.end(), [&](int i) {
                               return fit.family.params[i].whole ||
                                      fit.family.params[i].end != TSupportEnd::None;
                           });
    if (fit.free.size() == 1) {
        // One parameter estimated: its interval carried through the quantity, which is
        // monotone in it.
        std::vector<TIntervalMethod> methods;
        const TParamInterval p = ParamIntervals(kind, data, params, estimated, level, &methods)[fit.free[0]];
        TVector low = params, high = params;
        low[fit.free[0]] = p.lower;
        high[fit.free[0]] = p.upper;
        const double a = static_cast<double>(q.Of(fit.family, low)), b = static_cast<double>(q.Of(fit.family, high));
        out.lower = std::min(a, b);
        out.upper = std::max(a, b);
        how = methods[fit.free[0]];
    } else if (fit.free.size() > 1 && irregular) {
        // Maxima on the data's extremes or on whole numbers: the bootstrap's estimates.
        std::vector<double> values;
        for (const TVector& e : BootstrapEstimates(fit, QuantityPurpose))
            if (!e.empty())
                values.push_back(static_cast<double>(q.Of(fit.family, e)));
        if (values.size() < 2)
            throw EStat("No interval: the estimates of the bootstrap's samples refuse.");
        // The basic interval: the estimate less the bootstrap's deviations from it, which
        // carries the estimates' bias (the extremes' of a uniform lie inside its ends) the
        // right way.
        std::sort(values.begin(), values.end());
        const double centre = static_cast<double>(q.Of(fit.family, params));
        const double shrink = BootstrapScale(fit);
        out.lower = centre - shrink * (PercentilePoint(values, (1 + level) / 2) - centre);
        out.upper = centre - shrink * (PercentilePoint(values, (1 - level) / 2) - centre);
        if (q.tail) {
            out.lower = std::max(0.0, out.lower);
            out.upper = std::min(1.0, out.upper);
        }
        how = TIntervalMethod::Bootstrap;
    } else if (fit.free.size() > 1) {
        const int j = SolvedParameter(fit);
        const L centre = q.Of(fit.family, fit.best);
        // A quantile of a law on the positive numbers is searched in its logarithm, a tail in its
        // logit.
        const bool positive = fit.family.sound.inverse(fit.best, 1e-300) >= 0;
        const TScale scale = q.tail ? TScale::Logit : positive ? TScale::Log : TScale::Plain;
        const double se = DeltaError(fit, q);
        L step = NormalPoint(0.5 + level / 2) * (std::isfinite(se) && se > 0 ? se : 0.1L * std::fabs(centre));
        if (scale == TScale::Log)
            step /= centre;
        else if (scale == TScale::Logit)
            step /= centre * (1 - centre);
        const auto deviance = [&](L t) {
            return 2 * (fit.bestLogLikelihood - ProfileOfQuantity(fit, q, j, t));
        };
        L lower = 0, upper = 0;
        if (fit.wald) {
            lower = FromScale(scale, ToScale(scale, centre) - step);
            upper = FromScale(scale, ToScale(scale, centre) + step);
            how = TIntervalMethod::Wald;
        } else {
            ProfileEnds(deviance, scale, centre, step, DevianceCutoff(level),
                        scale == TScale::Plain ? -HUGE_VALL : 0, q.tail ? 1 : HUGE_VALL, lower,
                        upper);
            how = TIntervalMethod::Profile;
        }
        out.lower = static_cast<double>(lower);
        out.upper = static_cast<double>(upper);
    }
    if (!fit.free.empty())
        out.se = DeltaError(fit, q);
    scope.End();
    if (method)
        *method = how;
    return out;
}
}  // namespace

TParamInterval QuantileInterval(TDistKind kind, const TVector& data, const TVector& params,
                                const TParamSet& estimated, double p, double level,
                                TIntervalMethod* method)
{
    if (!InOpenUnit(p))
        throw EStat("The probability of a quantile lies between 0 and 1.");
    return QuantityInterval(kind, data, params, estimated, {false, p}, level, method);
}

TParamInterval UpperTailInterval(TDistKind kind, const TVector& data, const TVector& params,
                                 const TParamSet& estimated, double x, double level,
                                 TIntervalMethod* method)
{
    return QuantityInterval(kind, data, params, estimated, {true, x}, level, method);
}
