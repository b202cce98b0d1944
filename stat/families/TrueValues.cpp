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
//   far from the sound one. Where a kind's quick tails (in the doubles' arithmetic, within
//   QuickTailError of the sound ones) already tell the agreement beyond doubt, the sound
//   value is not formed.
// - When it does not, the sound value answers. It is true to 1e-9 relative down to the
//   smallest normal double (a probability inside [0, 1]); a quantile beyond the double range
//   is the infinity of its sign. The sound functions raise no error flag for the parameters
//   they serve (a flag they raised would reach the caller as an error).
// - The listed method is not run at all where it is known to fail (the kind's `hopeless`, and
//   SearchAstray) and where its walk would span more than LongestWalk units from its start
//   (the kind's `walked`, at x or where the quantile search goes): there it is sound but slow
//   (about 2048 density evaluations a unit), and the sound method gives the truth at once. So
//   no call takes more than about a second.
// - A listed quantile is first checked by the sound tails just inside 1e-9 of it on either
//   side (Brackets); only where they cannot tell is the sound quantile formed and compared.
//   A kind whose sound search can start from it (`inverseFrom`) starts there instead: its
//   first step tells whether the listed quantile lies within 1e-9 (and gives it back), and a
//   quantile that missed by a little is found in a step or two more.
//   Where the sound quantile is formed anyway (checkSearch), it is compared first, and the
//   tails asked only where it disagrees.
//
// The upper tail P(X > x) and its inverse have no listed method: the sound functions give them
// (for parameters they do not serve, 1 minus the distribution and the quantile of 1 - q).
// The kinds added after the sixteen have no listed method at all (see Unlisted).
#include "TrueValues.h"

#include <cmath>
#include <limits>

namespace {
constexpr double Agreement = 1e-9;
constexpr double LongestWalk = 1024;

bool Agree(double listed, double sound)
{
    return std::fabs(listed - sound) <= Agreement * std::fabs(sound);
}

// The listed value, and whether it raised an error flag (an error thrown by a walk counts as
// one): a listed value with an error never stands. A quiet kind's raises none.
struct Listed {
    double value = 0;
    bool failed = false;
};

Listed RunListed(const TSoundKind& sound, TDistHandler handler, const TVector& params, double x)
{
    Listed r;
    if (sound.listedQuiet) {
        r.value = handler(params, x);
        return r;
    }
    try {
        r.failed = FloatErrorsOf([&] { r.value = Settle(handler(params, x)); }) != 0;
    } catch (const EMathError&) {
        r.failed = true;
    }
    return r;
}

bool LongWalk(const TSoundKind& sound, const TVector& params, double at)
{
    return sound.walked && !(sound.walked(params, at) <= LongestWalk);
}

// A quantile search walks the same grid as its distribution. Where that distribution is
// already off at the sound quantile the search is off too, and on a density the grid cannot
// see it may run on to its limit (100000 for the log-normal): the distribution decides first.
// The search of a kind that checks it (the log-normal's) starts at 0 and ends on a multiple of
// its smallest step: a quantile below half that step, which no end of it can agree with, is
// told at once (a log-normal with ro in the thousands holds a tenth of its mass below
// e^-1000, where its distribution agrees, at 0, and the search walked on for a second).
bool SearchAstray(const TFamily& family, const TVector& params, double quantile)
{
    if (!family.sound.checkSearch)
        return false;
    if (quantile < SimpsonMinStep / 2)
        return true;
    const Listed r = RunListed(family.sound, family.listed[TDistFunc::Distribution], params, quantile);
    return r.failed || !Agree(r.value, family.sound.distribution(params, quantile));
}

double ValueAt(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    const TSoundKind& sound = family.sound;
    const auto truth = [&] {
        return mode == TDistFunc::Density ? sound.density(params, x) : sound.distribution(params, x);
    };
    const TDistHandler listed = family.listed[mode];
    if ((sound.hopeless && sound.hopeless(params)) ||
        (mode == TDistFunc::Distribution && LongWalk(sound, params, x)))
        return truth();
    const Listed r = RunListed(sound, listed, params, x);
    const bool inUnit = mode == TDistFunc::Density || (r.value >= 0 && r.value <= 1);
    if (!r.failed && inUnit && sound.listedTrue && sound.listedTrue(mode, params, x, r.value))
        return r.value;  // the value the comparison would keep, without forming the truth
    if (!r.failed && inUnit && mode == TDistFunc::Distribution && sound.quickLower) {
        // Agreeing with the quick tail by a margin its distance from the sound one cannot make
        // up, the listed value agrees with the sound one: the comparison would keep it.
        const double quick = sound.quickLower(params, x);
        if (quick > 0 && std::fabs(r.value - quick) <= (Agreement - 2 * QuickTailError) * quick)
            return r.value;
    }
    const double value = truth();
    if (!r.failed && inUnit && Agree(r.value, value))
        return r.value;
    return value;
}

// Whether the true quantile lies within 1e-9 relative of q, told by the sound tails on either
// side of q without forming the sound quantile: the tail that holds p's digits must pass p
// between them, by a margin their own rounding cannot make up (else the question stays open).
// The tail above q is asked first: a listed search that misses mostly stops short of the
// quantile, and then the tail below q is not needed (the sound tails raise no flag, so the
// order changes nothing else). A kind with quick tails asks them first, and the sound ones
// only where the quick ones leave the answer open.
constexpr double Margin = 1e-12;

// The same question asked of the quick tails: +1 or 0 where the sound tails' answer is sure to
// be true or false (each quick tail lies within QuickTailError of its sound one), -1 where it
// is not.
int QuicklyBrackets(const TSoundKind& sound, const TVector& params, double p, double lo, double hi)
{
    constexpr double E = QuickTailError;
    if (p <= 0.5) {
        const double above = sound.quickLower(params, hi);
        if (above < 0)
            return -1;
        if (p > above * (1 + E))
            return 0;
        const double below = sound.quickLower(params, lo);
        if (below < 0 || !(p <= above * (1 - E)))
            return -1;
        if (below * (1 - E) >= p || above * (1 + E) - below * (1 - E) <= Margin * above * (1 - E))
            return 0;
        return below * (1 + E) < p && above * (1 - E) - below * (1 + E) > Margin * above * (1 + E) ? 1 : -1;
    }
    const double rest = static_cast<double>(1 - L(p));
    const double above = sound.quickUpper(params, hi);
    if (above < 0)
        return -1;
    if (above * (1 - E) > rest)
        return 0;
    const double below = sound.quickUpper(params, lo);
    if (below < 0 || !(above * (1 + E) <= rest))
        return -1;
    if (rest >= below * (1 + E) || below * (1 + E) - above * (1 - E) <= Margin * below * (1 - E))
        return 0;
    return rest < below * (1 - E) && below * (1 - E) - above * (1 + E) > Margin * below * (1 + E) ? 1 : -1;
}

bool Brackets(const TSoundKind& sound, const TVector& params, double p, double q)
{
    const double d = 0.99e-9 * std::fabs(q), lo = q - d, hi = q + d;
    if (!std::isfinite(q) || !(lo < hi))
        return false;
    if (sound.quickLower) {
        const int quick = QuicklyBrackets(sound, params, p, lo, hi);
        if (quick >= 0)
            return quick == 1;
    }
    if (p <= 0.5) {
        const double above = sound.distribution(params, hi);
        if (!(p <= above))
            return false;
        const double below = sound.distribution(params, lo);
        return below < p && above - below > Margin * above;
    }
    const double rest = static_cast<double>(1 - L(p));
    const double above = sound.upper(params, hi);
    if (!(above <= rest))
        return false;
    const double below = sound.upper(params, lo);
    return rest < below && below - above > Margin * below;
}

double QuantileAt(const TFamily& family, const TVector& params, double p)
{
    const TSoundKind& sound = family.sound;
    const TDistHandler listed = family.listed[TDistFunc::Inverse];
    const auto truth = [&] { return sound.inverse(params, p); };
    if (!InOpenUnit(p))
        return listed(params, p);
    if ((sound.hopeless && sound.hopeless(params)) ||
        (sound.searchTo && LongWalk(sound, params, sound.searchTo(params, p))))
        return truth();
    double quantile = 0;
    if (sound.checkSearch) {
        quantile = truth();
        if (SearchAstray(family, params, quantile))
            return quantile;
    }
    const Listed r = RunListed(sound, listed, params, p);
    if (r.failed)
        return sound.checkSearch ? quantile : truth();
    // The listed quantile stands where the tails bracket it or where it agrees with the sound
    // one: with the sound quantile at hand the agreement is asked first, and the tails only
    // where it fails (the same answer, as neither raises a flag).
    if (sound.checkSearch)
        return Agree(r.value, quantile) || Brackets(sound, params, p, r.value) ? r.value : quantile;
    if (!sound.inverseFrom && Brackets(sound, params, p, r.value))
        return r.value;
    const double value = sound.inverseFrom ? sound.inverseFrom(params, p, r.value) : truth();
    return Agree(r.value, value) ? r.value : value;
}
}  // namespace

namespace {
// A kind without a listed algorithm answers with its sound functions alone: parameters they do
// not serve are refused with the rule's message, and a quantile of p outside [0, 1] (or a NaN
// argument) is not a number. Its quantiles at 0 and 1 are the ends of its support.
bool Unlisted(const TFamily& family, const TVector& params)
{
    if (family.listed.density)
        return false;
    if (!Served(family, params))
        throw EStat(DistParamsRefusal(family.kind, params, '.'));
    return true;
}

double NotANumber()
{
    return std::numeric_limits<double>::quiet_NaN();
}
}  // namespace

double TrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    if (Unlisted(family, params)) {
        if (std::isnan(x) || (mode == TDistFunc::Inverse && !(x >= 0 && x <= 1)))
            return NotANumber();
        return mode == TDistFunc::Density        ? family.sound.density(params, x)
               : mode == TDistFunc::Distribution ? family.sound.distribution(params, x)
                                                 : family.sound.inverse(params, x);
    }
    if (std::isnan(x) || !Served(family, params))
        return family.listed[mode](params, x);
    return ServedTrueValue(family, mode, params, x);
}

double ServedTrueValue(const TFamily& family, TDistFunc mode, const TVector& params, double x)
{
    return mode == TDistFunc::Inverse ? QuantileAt(family, params, x) : ValueAt(family, mode, params, x);
}

double TrueUpper(const TFamily& family, const TVector& params, double x)
{
    if (Unlisted(family, params))
        return std::isnan(x) ? NotANumber() : family.sound.upper(params, x);
    if (std::isnan(x) || !Served(family, params)) {
        const L below = family.listed[TDistFunc::Distribution](params, x);
        return static_cast<double>(std::fmin(1, std::fmax(0, 1 - below)));
    }
    return family.sound.upper(params, x);
}

double TrueUpperInverse(const TFamily& family, const TVector& params, double q)
{
    if (Unlisted(family, params))
        return q >= 0 && q <= 1 ? family.sound.upperInverse(params, q) : NotANumber();
    if (!InOpenUnit(q) || !Served(family, params))
        return TrueValue(family, TDistFunc::Inverse, params, static_cast<double>(1 - L(q)));
    return family.sound.upperInverse(params, q);
}
