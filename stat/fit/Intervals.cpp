// The standard errors and intervals of estimated parameters: exact where a pivot has a known
// law, the profile likelihood where the estimates are the likelihood's maximum (over whole
// numbers for degrees of freedom), a parametric bootstrap of the listed moments elsewhere.
#include <algorithm>
#include <cmath>
#include <mutex>

#include "Bootstrap.h"
#include "FitIntervals.h"
#include "Likelihood.h"
#include "Pivots.h"
#include "Profile.h"

namespace {
constexpr std::uint64_t IntervalsPurpose = 0x696e74657276616cull;  // "interval"

bool SameEstimate(double shown, double best)
{
    return std::fabs(shown - best) <= 1e-9 * std::fabs(best);
}

// The likelihood's maximum with parameter `index` held at v, over the other estimated ones.
L ProfileAt(const TFit& fit, int index, double v)
{
    TVector at = fit.best;
    at[index] = v;
    TParamSet others = fit.estimated;
    others.reset(index);
    if (others.any()) {
        std::string refusal;
        try {
            if (!MaximiseLikelihood(fit.kind, fit.data, at, others, refusal))
                return -HUGE_VALL;
        } catch (const std::exception&) {
            return -HUGE_VALL;  // an estimate that cannot be formed there
        }
    }
    return LogLikelihoodOf(fit.family, fit.data, at);
}

// The profile interval of a continuous parameter, in its logarithm where it is positive, or the
// Wald interval in that coordinate where the fit asks for it.
void ProfileInterval(const TFit& fit, int index, double level, TParamInterval& out)
{
    const TBounds served = ServedBounds(fit.family.params[index]);
    const TScale scale = served.lower >= 0 ? TScale::Log : TScale::Plain;
    const L centre = fit.best[index];
    const L se = std::isfinite(fit.se[index]) && fit.se[index] > 0 ? fit.se[index]
                                                                    : 0.1L * std::fabs(centre);
    const L step = NormalPoint(0.5 + level / 2) * (scale == TScale::Log ? se / centre : se);
    if (fit.wald) {
        const L u = ToScale(scale, centre);
        out.lower = static_cast<double>(FromScale(scale, u - step));
        out.upper = static_cast<double>(FromScale(scale, u + step));
        return;
    }
    const auto deviance = [&](L v) {
        return 2 * (fit.bestLogLikelihood - ProfileAt(fit, index, static_cast<double>(v)));
    };
    L lower = 0, upper = 0;
    ProfileEnds(deviance, scale, centre, step, DevianceCutoff(level), served.lower, served.upper,
                lower, upper);
    out.lower = static_cast<double>(lower);
    out.upper = static_cast<double>(upper);
}

// The profile interval of whole degrees of freedom: the whole numbers whose profile deviance
// stays within the cutoff, found by doubling steps and halving them back.
void WholeProfileInterval(const TFit& fit, int index, double level, TParamInterval& out)
{
    const TBounds served = ServedBounds(fit.family.params[index]);
    const L cutoff = DevianceCutoff(level);
    const double centre = std::trunc(fit.best[index]);
    const auto inside = [&](double v) {
        return 2 * (fit.bestLogLikelihood - ProfileAt(fit, index, v)) <= cutoff;
    };
    for (int direction : {-1, 1}) {
        const double end = direction < 0 ? served.lower : served.upper;
        double in = centre, step = 1;
        double beyond = centre + direction;
        while ((beyond - end) * direction <= 0 && inside(beyond)) {
            in = beyond;
            step *= 2;
            beyond = centre + direction * step;
        }
        if ((beyond - end) * direction > 0) {
            beyond = end + direction;  // past the end: the end itself is the last to try
            if (inside(end))
                in = end;
        }
        while (std::fabs(beyond - in) > 1) {
            const double mid = std::trunc((in + beyond) / 2);
            (inside(mid) ? in : beyond) = mid;
        }
        (direction < 0 ? out.lower : out.upper) = in;
    }
}

// The bootstrap of listed estimates: a location's pivot (its estimate less the true one, over
// the estimated scale), a scale's (its estimate over the true one), which the law of the data
// alone decides where the estimates are those of a location and scale; the percentile interval
// of any other parameter.
void BootstrapIntervals(const TFit& fit, double level, std::vector<TParamInterval>& out,
                        std::vector<TIntervalMethod>& methods)
{
    const std::vector<TVector> replicates = BootstrapEstimates(fit, IntervalsPurpose);
    int location = -1, scale = -1;
    for (int i : fit.free) {
        if (fit.family.params[i].role == TParamRole::Location)
            location = i;
        if (fit.family.params[i].role == TParamRole::Scale)
            scale = i;
    }
    const double tail = (1 - level) / 2, shrink = BootstrapScale(fit);
    for (int i : fit.free) {
        if (methods[i] != TIntervalMethod::Bootstrap)
            continue;
        std::vector<double> values;
        for (const TVector& r : replicates) {
            if (r.empty())
                continue;
            if (i == location)
                values.push_back(shrink * (r[i] - fit.shown[i]) / (scale >= 0 ? r[scale] : 1));
            else if (i == scale)
                values.push_back(std::exp(shrink * std::log(r[i] / fit.shown[i])));
            else
                values.push_back(fit.shown[i] + shrink * (r[i] - fit.shown[i]));
        }
        if (values.size() < 2)
            throw EStat(std::string(fit.family.params[i].name) +
                        " has no interval: its estimates of the bootstrap's samples refuse.");
        std::sort(values.begin(), values.end());
        const double low = PercentilePoint(values, tail), high = PercentilePoint(values, 1 - tail);
        const double v = fit.shown[i];
        if (i == location) {
            const double unit = scale >= 0 ? fit.shown[scale] : 1;
            out[i].lower = v - high * unit;
            out[i].upper = v - low * unit;
        } else if (i == scale) {
            out[i].lower = v / high;
            out[i].upper = v / low;
        } else {
            out[i].lower = low;
            out[i].upper = high;
        }
    }
}
}  // namespace

L DevianceCutoff(double level)
{
    return Family(TDistKind::Chi2).sound.inverse({1}, level);
}

double PercentilePoint(const std::vector<double>& sorted, double p)
{
    const double at = (sorted.size() + 1) * p - 1;  // from 0
    const std::size_t below = static_cast<std::size_t>(std::clamp(at, 0.0, double(sorted.size() - 1)));
    const double part = std::clamp(at - below, 0.0, 1.0);
    if (below + 1 >= sorted.size())
        return sorted.back();
    return sorted[below] + part * (sorted[below + 1] - sorted[below]);
}

TFit FitOf(TDistKind kind, const TVector& data, const TVector& params, const TParamSet& estimated)
{
    CheckKindAndParams(kind, params);
    if (data.size() < 3)
        throw EStat("Intervals need at least 3 numbers.");
    TFit fit{kind, Family(kind), data, params, estimated, IndexesOf(kind, estimated), params};
    fit.se.assign(params.size(), 0);
    if (!fit.free.empty()) {
        std::string refusal;
        if (!MaximiseLikelihood(kind, data, fit.best, estimated, refusal))
            throw EStat(refusal.empty() ? std::string("The likelihood has no maximum.") : refusal);
    }
    fit.bestLogLikelihood = LogLikelihoodOf(fit.family, data, fit.best);
    if (!std::isfinite(fit.bestLogLikelihood))
        throw EStat("A value of the buffer has density 0 under these estimates.");
    fit.shownIsBest = true;
    fit.wald = data.size() > LargestProfileSample;
    // The standard errors the family gives in closed form, where the likelihood has no
    // information; the observed information's for the others.
    for (int i : fit.free) {
        fit.shownIsBest = fit.shownIsBest && SameEstimate(params[i], fit.best[i]);
        fit.se[i] = HUGE_VAL - HUGE_VAL;
        double se = 0;
        if (fit.family.closedError && fit.family.closedError(data, params, estimated, i, se))
            fit.se[i] = se;
        else
            fit.regular.push_back(i);
    }
    if (!fit.regular.empty()) {
        fit.covariance = InverseInformation(fit.family, data, fit.best, fit.regular);
        if (!fit.covariance.empty())
            for (std::size_t k = 0; k < fit.regular.size(); ++k)
                fit.se[fit.regular[k]] = static_cast<double>(std::sqrt(fit.covariance[k][k]));
    }
    return fit;
}

std::vector<TVector> BootstrapEstimates(const TFit& fit, std::uint64_t purpose)
{
    const std::uint64_t digest = QuestionDigest(fit.data, fit.kind, fit.shown, fit.estimated, purpose);
    std::vector<TVector> estimates(BootstrapReplicates);
    std::atomic<bool> stop{false};
    std::exception_ptr error;
    ParallelFor(BootstrapReplicates, Cores(), stop, [&](std::size_t r) {
        std::mt19937 twister = ReplicateTwister(digest, r);
        try {
            const TVector sample = DrawSample(fit.family, fit.shown,
                                              std::min(fit.data.size(), LargestBootstrapSample), twister);
            TVector e = fit.shown;
            std::string refusal;
            if (EstimateParams(fit.kind, sample, e, fit.estimated, refusal))
                estimates[r] = std::move(e);
        } catch (const std::exception&) {
            // an estimate that raised a fault: the replicate is left out
        }
    }, error);
    return estimates;
}

double BootstrapScale(const TFit& fit)
{
    return std::sqrt(double(std::min(fit.data.size(), LargestBootstrapSample)) / fit.data.size());
}

std::string IntervalMethodName(TIntervalMethod method)
{
    switch (method) {
    case TIntervalMethod::Given:
        return "given";
    case TIntervalMethod::Exact:
        return "exact";
    case TIntervalMethod::Profile:
        return "profile likelihood";
    case TIntervalMethod::ProfileWhole:
        return "profile likelihood over whole numbers";
    case TIntervalMethod::Bootstrap:
        return "bootstrap, " + std::to_string(BootstrapReplicates) + " replicates";
    case TIntervalMethod::Wald:
        return "Wald, from the observed information";
    case TIntervalMethod::EndLaw:
        return "the extreme's law at the estimates";
    }
    return "";
}

std::vector<TParamInterval> ParamIntervals(TDistKind kind, const TVector& data,
                                           const TVector& params, const TParamSet& estimated,
                                           double level, std::vector<TIntervalMethod>* methodsOut)
{
    if (!(level > 0 && level < 1))
        throw EStat("The level of an interval lies between 0 and 1.");
    FloatScope scope;
    const TFit fit = FitOf(kind, data, params, estimated);
    std::vector<TParamInterval> out(params.size());
    std::vector<TIntervalMethod> methods(params.size(), TIntervalMethod::Given);
    bool bootstrap = false;
    for (std::size_t i = 0; i < params.size(); ++i)
        out[i] = {params[i], 0, params[i], params[i]};
    for (int i : fit.free) {
        TParamInterval& iv = out[i];
        iv.se = fit.se[i];
        if (fit.family.exact && fit.family.exact(data, params, estimated, i, level, iv)) {
            methods[i] = TIntervalMethod::Exact;
        } else if (fit.family.endInterval &&
                   fit.family.endInterval(data, params, estimated, i, level, iv)) {
            methods[i] = TIntervalMethod::EndLaw;
        } else if (fit.family.params[i].whole) {
            methods[i] = TIntervalMethod::ProfileWhole;
            WholeProfileInterval(fit, i, level, iv);
        } else if (fit.family.maximise && !fit.shownIsBest) {
            methods[i] = TIntervalMethod::Bootstrap;
            bootstrap = true;
        } else {
            methods[i] = fit.wald ? TIntervalMethod::Wald : TIntervalMethod::Profile;
            ProfileInterval(fit, i, level, iv);
        }
    }
    if (bootstrap)
        BootstrapIntervals(fit, level, out, methods);
    // A threshold lies below every value.
    for (int i : fit.free)
        if (fit.family.params[i].role == TParamRole::Threshold)
            out[i].upper = std::min(out[i].upper, *std::min_element(data.begin(), data.end()));
    scope.End();
    if (methodsOut)
        *methodsOut = methods;
    return out;
}

std::vector<TParamInterval> WaldIntervals(TDistKind kind, const TVector& data,
                                          const TVector& params, const TParamSet& estimated,
                                          double level)
{
    FloatScope scope;
    const TFit fit = FitOf(kind, data, params, estimated);
    const L z = NormalPoint(0.5 + level / 2);
    std::vector<TParamInterval> out(params.size());
    for (std::size_t i = 0; i < params.size(); ++i) {
        const double se = estimated[i] ? fit.se[i] : 0;
        out[i] = {params[i], se, static_cast<double>(params[i] - z * se),
                  static_cast<double>(params[i] + z * se)};
    }
    scope.End();
    return out;
}
