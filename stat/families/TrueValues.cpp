// The criterion that decides which method gives a value. It depends on the kind, the
// parameters and x alone:
//
// - Parameters outside the catalogue's open bounds (or fractional degrees of freedom), a
//   non-finite x, and kinds without sound functions: the listed method, always.
// - Otherwise the listed result stands when it raised no floating-point error and agrees with
//   the sound method's value of the same quantity:
//   - a density within 1e-7 relative (or both below 1e-300);
//   - a distribution value inside [0, 1] and within 1e-7;
//   - a quantile q whose sound distribution value is within 1e-7 of p, or a quantile the
//     listed search ended at its walking limit for because the true one lies beyond it.
// - When it does not, the sound value is returned (a quantile beyond the walking limit as the
//   point where the listed search stops).
// - Where the listed method is known to fail, it is not run at all (each kind's `hopeless`,
//   and SearchAstray), nor where
//   its walk would span more than LongestWalk units from its start (see LongWalk): there it
//   is sound but slow (about 2048 density evaluations a unit), and the sound method gives the
//   same value to 1e-9 at once. So no in-range call takes more than about a second.
#include "TrueValues.h"

#include <cmath>

namespace {
constexpr double Agreement = 1e-7;

bool InRange(TDistKind kind, const TVector& params)
{
    for (int i = 0; i < ParamCount(kind); ++i)
        if (!DistParamValid(kind, i, params[i]))
            return false;
    return true;
}

// The sound quantile of one call, formed once (it may walk the standard normal grid, or
// bisect an incomplete Beta function) with the error flags forming it raised, which every use
// raises again: the checks before the listed search and the answer after it share it.
class SoundQuantile {
public:
    SoundQuantile(const TSoundKind& sound, const TVector& params, double p)
        : sound_(sound), params_(params), p_(p)
    {
    }

    // The quantile as the sound method gives it.
    double Raw()
    {
        if (!formed_) {
            value_ = Remembered::Of([&] { return L(sound_.inverse(params_, p_)); });
            formed_ = true;
        }
        return static_cast<double>(value_.Use());
    }

    // Held at the point where the listed search stops, when the true quantile lies beyond it.
    double Capped()
    {
        const double q = Raw();
        double at = 0;
        bool upward = true;
        if (InOpenUnit(p_) && sound_.cap && sound_.cap(params_, p_, at, upward) &&
            (upward ? q > at : q < at))
            return at;
        return q;
    }

private:
    const TSoundKind& sound_;
    const TVector& params_;
    double p_;
    bool formed_ = false;
    Remembered value_;
};

constexpr double LongestWalk = 2048;

// Whether the listed walk for this call would pass LongestWalk units from its start.
bool LongWalk(TDistFunc mode, const TSoundKind& sound, const TVector& params, double x,
              SoundQuantile& quantile)
{
    if (!sound.walkStart)
        return false;
    const L start = sound.walkStart(params);
    switch (mode) {
    case TDistFunc::Density:
        return false;
    case TDistFunc::Distribution:
        return std::fabs(L(x) - start) > LongestWalk;
    default:
        return sound.searchWalks && InOpenUnit(x) &&
               std::fabs(L(quantile.Raw()) - start) > LongestWalk;
    }
}

// The listed value with the error flags it raised (an error thrown by a walk counts as one).
struct Listed {
    double value = 0;
    int raised = 0;
    bool threw = false;
    EMathError error{""};
};

Listed RunListed(TDistHandler handler, const TVector& params, double x)
{
    Listed r;
    try {
        r.raised = FloatErrorsOf([&] { r.value = Settle(handler(params, x)); });
    } catch (const EMathError& e) {
        r.threw = true;
        r.error = e;
    }
    return r;
}

// Gives back the listed outcome unchanged: its value, or its error.
double Replay(const Listed& r)
{
    if (r.threw)
        throw r.error;
    if (r.raised)
        std::feraiseexcept(r.raised);
    return r.value;
}

// A quantile search walks the same grid as its distribution. Where that distribution is
// already off at the sound quantile the search is off too, and on a density the grid cannot
// see it may run on to its limit (100000 for the log-normal): the distribution decides first.
bool SearchAstray(TDistFunc mode, const TSoundKind& sound, const TVector& params, double p,
                  TDistHandler listedDistribution, SoundQuantile& quantile)
{
    if (!sound.checkSearch || mode != TDistFunc::Inverse || !InOpenUnit(p))
        return false;
    const double q = quantile.Capped();
    const Listed r = RunListed(listedDistribution, params, q);
    return r.threw || r.raised ||
           std::fabs(r.value - sound.distribution(params, q)) > Agreement;
}

bool Agrees(TDistFunc mode, const TSoundKind& sound, const TVector& params, double x,
            double listed)
{
    switch (mode) {
    case TDistFunc::Density: {
        const double truth = sound.density(params, x);
        return std::fabs(listed - truth) <= Agreement * std::fabs(truth) ||
               (std::fabs(truth) < 1e-300 && std::fabs(listed) < 1e-300);
    }
    case TDistFunc::Distribution:
        return listed >= 0 && listed <= 1 &&
               std::fabs(listed - sound.distribution(params, x)) <= Agreement;
    default: {
        if (!InOpenUnit(x))
            return true;  // the listed constants outside (0, 1)
        if (std::fabs(sound.distribution(params, listed) - x) <= Agreement)
            return true;
        double at = 0;
        bool upward = true;
        if (!sound.cap || !sound.cap(params, x, at, upward))
            return false;
        const bool atLimit = listed == at || std::fabs(listed - at) <= SimpsonStep;
        const double there = sound.distribution(params, at);
        return atLimit && (upward ? there < x : there > x);
    }
    }
}

double SoundValue(TDistFunc mode, const TSoundKind& sound, const TVector& params, double x,
                  SoundQuantile& quantile)
{
    switch (mode) {
    case TDistFunc::Density:
        return sound.density(params, x);
    case TDistFunc::Distribution:
        return sound.distribution(params, x);
    default:
        return quantile.Capped();
    }
}

bool HasSound(const TSoundKind& sound, TDistFunc mode)
{
    switch (mode) {
    case TDistFunc::Density:
        return sound.density != nullptr;
    case TDistFunc::Distribution:
        return sound.distribution != nullptr;
    default:
        return sound.inverse != nullptr;
    }
}
}  // namespace

double TrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    const TSoundKind& sound = family.sound;
    const TDistHandler listed = family.functions[static_cast<int>(mode)];
    const TDistHandler listedDistribution =
        family.functions[static_cast<int>(TDistFunc::Distribution)];
    if (!HasSound(sound, mode) || !std::isfinite(x) || !InRange(family.kind, params))
        return listed(params, x);
    SoundQuantile quantile(sound, params, x);
    if ((sound.hopeless && sound.hopeless(params)) ||
        LongWalk(mode, sound, params, x, quantile) ||
        SearchAstray(mode, sound, params, x, listedDistribution, quantile))
        return SoundValue(mode, sound, params, x, quantile);
    const Listed r = RunListed(listed, params, x);
    if (!r.threw && !r.raised && Agrees(mode, sound, params, x, r.value))
        return r.value;
    double value = 0;
    try {
        if (FloatErrorsOf([&] { value = Settle(SoundValue(mode, sound, params, x, quantile)); }))
            return Replay(r);
    } catch (const EMathError&) {
        return Replay(r);
    }
    return value;
}
