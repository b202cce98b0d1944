// The Simpson walks from a saved state, with the memos of density values they reuse.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>

namespace simpson {

const long double OneSixth = 1.0L / 6.0L;

namespace {
// One density value; the walk ends at the first floating-point error, as it is raised.
double Density(TDistHandler density, const TVector& params, double x)
{
    const double value = density(params, x);  // a call: its arithmetic is done on return
    StopOnFloatError();
    return value;
}
}  // namespace

WalkEnd IntegralWalk(const TIntegrand& f, const TVector& params, double To, double h,
                     const KnownDensities& grid, const ZeroTail& zero, WalkState& s,
                     double& result)
{
    const TDistHandler density = f.density;
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
    HalvingDensities(const TIntegrand& f, const TVector& params, bool remember)
        : density_(f.density), params_(params), read_(f.facts, params), remember_(remember)
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

WalkEnd InverseWalk(const TIntegrand& f, const TVector& params, double Target, double Limit,
                    double h, const KnownDensities& grid, const ZeroTail& zero, bool remember,
                    WalkState& s, double& result)
{
    const TDistHandler density = f.density;
    HalvingDensities halving(f, params, remember);
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

}  // namespace simpson
