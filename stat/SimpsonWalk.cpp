// The Simpson walks from a saved state, and their bounded continuation beyond the exact span.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace simpson {

const long double OneSixth = 1.0L / 6.0L;

ReadParams::ReadParams(TDistHandler density, const TVector& params)
    : data(params.data()), size(params.size()), whole{0, 0}
{
    std::size_t degrees = 0;
    if (density == NormalStdDensity)
        size = 0;
    else if (density == Chi2Density || density == StudentDensity)
        degrees = 1;
    else if (density == FDensity)
        degrees = 2;
    if (degrees == 0 || params.size() < degrees)
        return;
    for (std::size_t i = 0; i < degrees; ++i)
        whole[i] = std::trunc(params[i]);
    data = whole;
    size = degrees;
}

namespace {
// Densities below e^-750 store as 0 (half the smallest double is about e^-745.1).
constexpr long double LogZero = -750;
constexpr long double LogNormalFactor = 2.506628274631L;  // the log-normal density's sqrt(2 pi)

// ln of the log-normal density (ro > 0) at x = e^t: a parabola in t, opening down.
long double LogNormalLog(long double mu, long double ro, long double t)
{
    const long double d = t - mu;
    return -(d * d) / (2 * ro * ro) - t - std::log(ro * LogNormalFactor);
}
}  // namespace

ZeroTail ZeroTailOf(TDistHandler density, const TVector& params, double h)
{
    const double d = h > 0 ? 1 : -1;
    const ZeroTail none{d * HUGE_VAL, d * HUGE_VAL, h};
    constexpr double Largest = std::numeric_limits<double>::max();
    if (density == NormalStdDensity)
        return {d * 40, d * Largest, h};  // 0.4 e^-800 < e^-750, and x^2 stays in range
    if (h < 0 || params.empty())
        return none;
    if (density == LogNormalDensity && params.size() >= 2) {
        // A negative ro gives the density's negative (exactly -0 in the tail): |ro| bounds it.
        const long double mu = params[0], ro = std::fabs(params[1]);
        if (!(ro > 0) || !std::isfinite(mu) || !std::isfinite(ro))
            return none;
        ZeroTail tail = none;
        tail.logNormal = true;
        tail.mu = mu;
        tail.ro = ro;
        // The mode, where a way through it is surely not 0 when its density stores as more.
        const long double mode = mu - ro * ro;
        if (mode > -745 && mode < 709 && LogNormalLog(mu, ro, mode) > LogZero)
            tail.peak = static_cast<double>(std::exp(mode));
        // With d = ln x - mu, ln f = -d^2 / (2 ro^2) - d - mu - ln(ro sqrt(2 pi)) falls for
        // d >= 0; it is below LogZero once d^2 / (2 ro^2) + d >= R, that is from d0 on. The
        // bound is formed in floating point: mu is kept small enough for mu + d0 to hold the
        // terms of R, and e^(mu + d0) within the doubles.
        if (std::fabs(mu) <= 10000) {
            const long double R = -LogZero - mu - std::log(ro * LogNormalFactor);
            const long double d0 = R <= 0 ? 0 : std::min(ro * std::sqrt(2 * R), R);
            if (mu + d0 < 709) {
                tail.from = static_cast<double>(std::exp(mu + d0) * (1 + 0x1p-40L));
                tail.to = Largest;
            }
        }
        return tail;
    }
    if (density == Chi2Density) {
        // ln f = (n/2 - 1) ln x - x/2 - (n/2) ln 2 - ln Gamma(n/2) falls from the mode n - 2
        // on; x0 lies within a unit beyond the point where ln f falls below LogZero. HalfPower
        // squares x up to x^(2^b), b the bit length of (n - 2)/2: it stays in the extended
        // range below e^(11000 / 2^b).
        const double whole = std::trunc(params[0]);
        if (!(whole >= 1 && whole <= 1023))
            return none;
        const long long n = static_cast<long long>(whole);
        const long double half = n / 2.0L;
        const long double logNorm = half * std::log(2.0L) + LogGamma(half);
        const auto logDensity = [&](long double x) { return (half - 1) * std::log(x) - x / 2 - logNorm; };
        long double x0 = 1;
        while (x0 < n - 2 || logDensity(x0) > LogZero)
            x0 *= 2;
        // Down to within a unit of the first point where it is.
        for (long double lo = std::max<long double>(x0 / 2, n - 2); x0 - lo > 1;) {
            const long double mid = (lo + x0) / 2;
            (logDensity(mid) > LogZero ? lo : x0) = mid;
        }
        int bits = 0;
        for (long long m = n >= 2 ? (n - 2) / 2 : 0; m > 0; m >>= 1)
            ++bits;
        const long double limit = 11000.0L / std::ldexp(1.0L, bits);
        if (!(std::log(x0) < limit))
            return none;
        const long double to = limit > 709 ? Largest : std::exp(limit);
        return {static_cast<double>(x0), static_cast<double>(to), h};
    }
    return none;
}

bool ZeroTail::PathIsZero(double x, double end) const
{
    if (Covers(x, end))
        return true;
    if (!logNormal || !(h > 0) || !(x >= 0) || !(end > x) || (x <= peak && peak <= end))
        return false;
    // Past the mode the density falls: the tail bound, where there is one, decides.
    if (peak >= 0 && x > peak && std::isfinite(from))
        return false;
    // The parabola's largest value on the way is at its top, or at the nearer end of the way
    // (the smallest positive double for a way from 0, where the density is 0).
    const long double lo = std::log(std::max(static_cast<long double>(x), 0x1p-1074L));
    const long double hi = std::log(static_cast<long double>(end));
    return LogNormalLog(mu, ro, std::clamp(mu - ro * ro, lo, hi)) < LogZero;
}

bool ReadParams::operator==(const TVector& p) const
{
    return p.size() == size && (size == 0 || std::memcmp(p.data(), data, size * sizeof(double)) == 0);
}

namespace {
// One density value; the walk ends at the first floating-point error, as it is raised.
double Density(TDistHandler density, const TVector& params, double x)
{
    const double value = density(params, x);  // a call: its arithmetic is done on return
    StopOnFloatError();
    return value;
}
}  // namespace

WalkEnd IntegralWalk(TDistHandler density, const TVector& params, double To, double h,
                     const KnownDensities& grid, const ZeroTail& zero, WalkState& s,
                     double& result)
{
    bool whole = true;  // the panels are those of the grid until the last, shortened one
    const bool zeroAhead = zero.PathIsZero(s.x, To);
    for (;;) {
        // Every density ahead is 0: the remaining panels, and the continuation beyond the
        // exact span, would add 0 to S.
        if (zeroAhead || zero.Covers(s.x, To)) {
            result = s.S;
            return WalkEnd::Done;
        }
        if (std::fabs(static_cast<long double>(To) - s.x) < std::fabs(h)) {
            h = static_cast<double>(static_cast<long double>(To) - s.x);
            whole = false;
            if (!(static_cast<double>(s.x + std::fabs(h)) > s.x)) {
                result = s.S;
                return WalkEnd::Done;
            }
        } else if (s.index >= MaxExactPanels) {
            return WalkEnd::Continue;
        }
        const double next = s.x + h;
        if (next == s.x)
            return WalkEnd::Continue;
        double f1, fm;
        if (!(whole && grid.Find(s.index, f1, fm))) {
            f1 = Density(density, params, next);
            fm = Density(density, params, s.x + h / 2);
        }
        s.S = static_cast<double>(s.S + (4.0L * fm + s.f + f1) * (h * OneSixth));
        s.f = f1;
        s.x = next;
        ++s.index;
    }
}

long double StopBeforeLimit(double x, double Limit, double h)
{
    const int d = h > 0 ? 1 : -1;
    const long double step = std::fabs(h);
    const long double remaining = d * (static_cast<long double>(Limit) - x);
    const long double steps = std::max(0.0L, std::ceil(remaining / step - 1));
    return x + d * steps * step;
}

namespace {
// A density value and where it was taken.
struct DensityAt {
    double x, f;
};

// Densities at the ends of the panels the inverse walk rejected, nested towards the walk's
// position: after the halved panels up to it are taken, the next panel ends where a rejected
// one ended, on the same argument, so with the same value.
class RejectedEnds {
public:
    void Push(double x, double f)
    {
        if (depth_ < Depth)
            ends_[depth_++] = {x, f};
    }

    // The density at `next` if a rejected panel ended there; drops the ends the walk passed.
    bool Find(double next, double h, double& f)
    {
        while (depth_ > 0 && (h > 0 ? ends_[depth_ - 1].x < next : ends_[depth_ - 1].x > next))
            --depth_;
        if (depth_ == 0 || ends_[depth_ - 1].x != next)
            return false;
        f = ends_[depth_ - 1].f;
        return true;
    }

private:
    static constexpr int Depth = 48;  // more than the halvings from 2^-10 to 2^-31
    DensityAt ends_[Depth];
    int depth_ = 0;
};

constexpr int MaxDensityAts = 64;

// The densities that this thread's latest inverse walk evaluated after halving its step, in
// the order it needed them, with its density, parameters and the panel where it first halved.
// A walk to the same target halves through the same points in the same order and reads them
// here; one to a nearby target reads them until its path parts from the earlier one. The memo
// is per thread: it spares evaluations to repeated targets only, and a store shared between
// threads would make parallel walks wait on each other.
class HalvingMemo {
public:
    bool Matches(TDistHandler density, const ReadParams& read, long long panel) const
    {
        return count_ > 0 && density == density_ && panel == panel_ && read == params_;
    }

    // The density at x when it is the point the memo holds at `step`.
    bool Find(int step, double x, double& f) const
    {
        if (step >= count_ || points_[step].x != x)
            return false;
        f = points_[step].f;
        return true;
    }

    void Keep(TDistHandler density, const ReadParams& read, long long panel,
              const DensityAt* points, int count)
    {
        density_ = density;
        if (!(read == params_))
            params_.assign(read.data, read.data + read.size);
        panel_ = panel;
        count_ = count;
        std::copy_n(points, count, points_);
    }

private:
    TDistHandler density_ = nullptr;
    TVector params_;
    long long panel_ = -1;
    DensityAt points_[MaxDensityAts];
    int count_ = 0;
};

thread_local HalvingMemo TheHalvingMemo;

// The densities an inverse walk needs after halving its step: from the memo while the walk
// follows the path kept there, else evaluated; at the end of the walk its own path is kept.
class HalvingDensities {
public:
    HalvingDensities(TDistHandler density, const TVector& params, bool remember)
        : density_(density), params_(params), read_(density, params), remember_(remember)
    {
    }
    ~HalvingDensities()
    {
        if (evaluated_)
            TheHalvingMemo.Keep(density_, read_, panel_, path_, steps_);
    }
    HalvingDensities(const HalvingDensities&) = delete;
    HalvingDensities& operator=(const HalvingDensities&) = delete;

    // The walk halves its step for the first time, in the panel of this index.
    void Begin(long long panel)
    {
        panel_ = panel;
        following_ = remember_ && TheHalvingMemo.Matches(density_, read_, panel);
    }

    double At(double x)
    {
        double value;
        if (following_ && TheHalvingMemo.Find(steps_, x, value)) {
            Record(x, value);
            return value;
        }
        following_ = false;
        value = Density(density_, params_, x);
        evaluated_ = remember_;
        Record(x, value);
        return value;
    }

private:
    void Record(double x, double value)
    {
        if (steps_ < MaxDensityAts)
            path_[steps_++] = {x, value};
    }

    TDistHandler density_;
    const TVector& params_;
    ReadParams read_;
    bool remember_;
    bool following_ = false;
    bool evaluated_ = false;
    long long panel_ = -1;
    DensityAt path_[MaxDensityAts];
    int steps_ = 0;
};
}  // namespace

WalkEnd InverseWalk(TDistHandler density, const TVector& params, double Target, double Limit,
                    double h, const KnownDensities& grid, const ZeroTail& zero, bool remember,
                    WalkState& s, double& result)
{
    HalvingDensities halving(density, params, remember);
    bool halved = std::fabs(h) != SimpsonStep;
    // Once the step is halved near the target, a panel whose area is below the resolution of
    // A no longer changes it, and the walk would creep towards Limit in tiny steps for ever
    // (far in a tail, p near 1). A long run of such panels ends the walk where it began;
    // shorter runs are walked as they are.
    constexpr int MaxFrozenPanels = 65536;
    int frozen = 0;
    double frozenAt = s.x;
    // After a rejection the halved panel ends on the rejected panel's midpoint: its density
    // is known (the same argument, so the same value).
    bool midKnown = false;
    double knownAt = 0, knownValue = 0;
    RejectedEnds rejected;
    const bool zeroAhead = zero.PathIsZero(s.x, Limit);
    while (std::fabs(static_cast<long double>(Limit) - s.x) > std::fabs(h)) {
        // Every density ahead is 0: the area stays below Target, and steps of h go on to the
        // last point before Limit (exact multiples of the step while Limit / h < 2^52).
        if ((zeroAhead || zero.Covers(s.x, Limit)) && std::fabs(Limit) < 0x1p52 * std::fabs(h)) {
            result = static_cast<double>(StopBeforeLimit(s.x, Limit, h));
            return WalkEnd::Done;
        }
        if (!halved && s.index >= MaxExactPanels)
            return WalkEnd::Continue;
        const double next = s.x + h;
        const double mid = s.x + h / 2;
        double f1, fm;
        if (halved) {
            if (midKnown && next == knownAt)
                f1 = knownValue;
            else if (!rejected.Find(next, h, f1))
                f1 = halving.At(next);
            fm = halving.At(mid);
        } else if (!grid.Find(s.index, f1, fm)) {
            f1 = Density(density, params, next);
            fm = Density(density, params, mid);
        }
        midKnown = false;
        const double P = static_cast<double>((4.0L * fm + s.f + f1) * (std::fabs(h) * OneSixth));
        if (static_cast<long double>(s.A) + P > Target) {
            rejected.Push(next, f1);
            if (!halved)
                halving.Begin(s.index);
            h = h / 2;
            halved = true;
            if (std::fabs(h) < SimpsonMinStep)
                break;
            midKnown = true;
            knownAt = mid;
            knownValue = fm;
            continue;
        }
        if (next == s.x)
            return WalkEnd::Continue;
        const double A = s.A + P;
        if (halved && A == s.A && P != 0) {
            if (frozen++ == 0)
                frozenAt = s.x;
            if (frozen > MaxFrozenPanels) {
                result = frozenAt;
                return WalkEnd::Done;
            }
        } else {
            frozen = 0;
        }
        s.A = A;
        s.x = next;
        s.f = f1;
        if (!halved)
            ++s.index;
    }
    result = s.x;
    return WalkEnd::Done;
}

// ---- Continuation ------------------------------------------------------------------------
namespace {
// Gauss-Kronrod 7-15 nodes on [-1, 1] (the positive half) and weights, as tabulated in
// R. Piessens et al., QUADPACK (Springer, 1983), routine QK15.
const long double KronrodNodes[8] = {
    0.991455371120812639206854697526329L, 0.949107912342758524526189684047851L,
    0.864864423359769072789712788640926L, 0.741531185599394439863864773280788L,
    0.586087235467691130294144845693013L, 0.405845151377397166906606412076961L,
    0.207784955007898467600689403773245L, 0.000000000000000000000000000000000L};
const long double KronrodWeights[8] = {
    0.022935322010529224963732008058970L, 0.063092092629978553290700663189204L,
    0.104790010322250183839876322541518L, 0.140653259715525918745189590510238L,
    0.169004726639267902826583426598550L, 0.190350578064785409913256402421014L,
    0.204432940075298892414161999234649L, 0.209482141084727828012999174891714L};
const long double GaussWeights[4] = {  // at Kronrod nodes 1, 3, 5 and 7 (the centre)
    0.129484966168869693270611432679082L, 0.279705391489276667901467771423780L,
    0.381830050505118944950369775488975L, 0.417959183673469387755102040816327L};

// Density evaluations allowed to one continuation: it always ends in bounded time.
constexpr long EvaluationBudget = 400000;
// Absolute tolerance of one Gauss-Kronrod panel.
constexpr long double PanelTolerance = 1e-15L;

struct Quadrature {
    TDistHandler density;
    const TVector& params;
    long evaluations = 0;

    long double Eval(long double x)
    {
        ++evaluations;
        return density(params, static_cast<double>(x));
    }

    // Kronrod estimate over [a, b]; `error` is its distance from the Gauss estimate.
    long double Rule(long double a, long double b, long double& error)
    {
        const long double c = (a + b) / 2, r = (b - a) / 2;
        const long double fc = Eval(c);
        long double k = KronrodWeights[7] * fc, g = GaussWeights[3] * fc;
        for (int i = 0; i < 7; ++i) {
            const long double pair = Eval(c - r * KronrodNodes[i]) + Eval(c + r * KronrodNodes[i]);
            k += KronrodWeights[i] * pair;
            if (i % 2 == 1)
                g += GaussWeights[i / 2] * pair;
        }
        StopOnFloatError();
        error = std::fabs((k - g) * r);
        return k * r;
    }

    long double Adaptive(long double a, long double b, long double tolerance, int depth = 0)
    {
        long double error = 0;
        const long double whole = Rule(a, b, error);
        if (error <= tolerance || depth >= 40 || evaluations >= EvaluationBudget)
            return whole;
        const long double mid = (a + b) / 2;
        return Adaptive(a, mid, tolerance / 2, depth + 1) +
               Adaptive(mid, b, tolerance / 2, depth + 1);
    }
};

// The k-th panel of the continuation from `from` in direction d: width 2^k units.
long double PanelEnd(long double from, int d, int k)
{
    return from + d * (std::ldexp(1.0L, k + 1) - 1);
}
}  // namespace

long double ContinuedIntegral(TDistHandler density, const TVector& params, double from,
                              double to)
{
    Quadrature q{density, params};
    const int d = to > from ? 1 : -1;
    long double sum = 0, a = from;
    for (int k = 0; d * (to - a) > 0; ++k) {
        const long double b = d > 0 ? std::min<long double>(PanelEnd(from, d, k), to)
                                    : std::max<long double>(PanelEnd(from, d, k), to);
        sum += d * q.Adaptive(std::min(a, b), std::max(a, b), PanelTolerance);
        a = b;
    }
    return sum;
}

double ContinuedInverse(TDistHandler density, const TVector& params, const WalkState& s,
                        double Target, double Limit, double h)
{
    Quadrature q{density, params};
    const int d = h > 0 ? 1 : -1;
    const long double end = StopBeforeLimit(s.x, Limit, h);

    long double area = s.A, a = s.x;
    for (int k = 0; d * (end - a) > 0; ++k) {
        const long double b = d > 0 ? std::min(PanelEnd(s.x, d, k), end)
                                    : std::max(PanelEnd(s.x, d, k), end);
        const long double panel = q.Adaptive(std::min(a, b), std::max(a, b), PanelTolerance);
        if (area + panel > Target) {
            // Bisect the panel for the point where the area reaches Target, to the
            // precision of the walk's smallest step.
            long double lo = a, hi = b;
            while (std::fabs(hi - lo) > std::max<long double>(SimpsonMinStep, std::fabs(lo) * 0x1p-60L)) {
                const long double mid = (lo + hi) / 2;
                const long double part = q.Adaptive(std::min(lo, mid), std::max(lo, mid), PanelTolerance);
                if (area + part > Target) {
                    hi = mid;
                } else {
                    area += part;
                    lo = mid;
                }
            }
            return static_cast<double>(lo);
        }
        area += panel;
        a = b;
    }
    return static_cast<double>(end);
}

}  // namespace simpson
