// The rule that decides which method gives a value. It depends on the kind, the parameters and
// x alone:
//
// - Parameters the kind's sound functions do not serve (outside their bounds, such as a
//   standard deviation of 0 or below, or inconsistent, such as min >= max), a NaN x, and a
//   quantile of p outside (0, 1): the listed method, always, with its fixed results and
//   errors.
// - Otherwise the listed result stands, bit for bit, when it raised no floating-point error
//   and agrees with the sound value of the same quantity to 1e-9 relative: a density or a
//   distribution value relative to itself (a distribution value also inside [0, 1]), a
//   quantile relative in x. A walking limit reached is no result: the quantile it gives lies
//   far from the sound one.
// - When it does not, the sound value answers. It is true to 1e-9 relative down to the
//   smallest normal double (a probability inside [0, 1]); a quantile beyond the double range
//   is the infinity of its sign, raising no error.
// - The listed method is not run at all where it is known to fail (the kind's `hopeless`, and
//   SearchAstray) and where its walk would span more than LongestWalk units from its start
//   (the kind's `walked`): there it is sound but slow (about 2048 density evaluations a unit),
//   and the sound method gives the truth at once. So no call takes more than about a second.
//
// The upper tail P(X > x) and its inverse have no listed method: the sound functions give them
// (for parameters they do not serve, 1 minus the distribution and the quantile of 1 - q).
#include "TrueValues.h"

#include <cmath>

namespace {
constexpr double Agreement = 1e-9;
constexpr double LongestWalk = 1024;

bool Agree(double listed, double sound)
{
    return std::fabs(listed - sound) <= Agreement * std::fabs(sound);
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

// A sound value, formed with the error flags clear (it raises none for served parameters).
template <class F>
bool SoundOf(F&& form, double& value)
{
    return FloatErrorsOf([&] { value = Settle(form()); }) == 0;
}

bool LongWalk(const TSoundKind& sound, const TVector& params, double at)
{
    return sound.walked && !(sound.walked(params, at) <= LongestWalk);
}

// A quantile search walks the same grid as its distribution. Where that distribution is
// already off at the sound quantile the search is off too, and on a density the grid cannot
// see it may run on to its limit (100000 for the log-normal): the distribution decides first.
bool SearchAstray(const TFamily& family, const TVector& params, double quantile)
{
    if (!family.sound.checkSearch)
        return false;
    const Listed r = RunListed(family.functions[static_cast<int>(TDistFunc::Distribution)], params, quantile);
    double sound = 0;
    if (!SoundOf([&] { return family.sound.distribution(params, quantile); }, sound))
        return true;
    return r.threw || r.raised || !Agree(r.value, sound);
}

double ValueAt(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    const TSoundKind& sound = family.sound;
    double truth = 0;
    const bool formed = SoundOf([&] {
        return mode == TDistFunc::Density ? sound.density(params, x) : sound.distribution(params, x);
    }, truth);
    const TDistHandler listed = family.functions[static_cast<int>(mode)];
    if (!formed)
        return listed(params, x);
    if ((sound.hopeless && sound.hopeless(params)) ||
        (mode == TDistFunc::Distribution && LongWalk(sound, params, x)))
        return truth;
    const Listed r = RunListed(listed, params, x);
    const bool inUnit = mode == TDistFunc::Density || (r.value >= 0 && r.value <= 1);
    if (!r.threw && !r.raised && inUnit && Agree(r.value, truth))
        return r.value;
    return truth;
}

double QuantileAt(const TFamily& family, const TVector& params, double p)
{
    const TSoundKind& sound = family.sound;
    const TDistHandler listed = family.functions[static_cast<int>(TDistFunc::Inverse)];
    double truth = 0;
    if (!InOpenUnit(p) || !SoundOf([&] { return sound.inverse(params, p); }, truth))
        return listed(params, p);
    if ((sound.hopeless && sound.hopeless(params)) || LongWalk(sound, params, truth) ||
        SearchAstray(family, params, truth))
        return truth;
    const Listed r = RunListed(listed, params, p);
    if (!r.threw && !r.raised && Agree(r.value, truth))
        return r.value;
    return truth;
}

bool Served(const TFamily& family, const TVector& params)
{
    return Served(family.sound.served, family.row.paramCount, params);
}
}  // namespace

double TrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    if (std::isnan(x) || !Served(family, params))
        return family.functions[static_cast<int>(mode)](params, x);
    if (mode == TDistFunc::Inverse)
        return QuantileAt(family, params, x);
    return ValueAt(family, mode, params, x);
}

double TrueUpper(const TFamily& family, const TVector& params, double x)
{
    if (std::isnan(x) || !Served(family, params)) {
        const L below = family.functions[static_cast<int>(TDistFunc::Distribution)](params, x);
        return static_cast<double>(std::fmin(1, std::fmax(0, 1 - below)));
    }
    return family.sound.upper(params, x);
}

double TrueUpperInverse(const TFamily& family, const TVector& params, double q)
{
    if (!InOpenUnit(q) || !Served(family, params))
        return TrueValue(family, TDistFunc::Inverse, params, static_cast<double>(1 - L(q)));
    return family.sound.upperInverse(params, q);
}
