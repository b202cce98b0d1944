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

namespace {
// One inverse walk from a saved state, step by step: the densities of each panel (from the
// grid while the step is whole, else from the points it already evaluated, the memo or the
// density), the halving of a rejected panel, and the taking of an accepted one.
class InverseWalker {
public:
    InverseWalker(const TIntegrand& f, const TVector& params, double h,
                  const KnownDensities& grid, bool remember, WalkState& s)
        : f_(f), params_(params), grid_(grid), halving_(f, params, remember), s_(s), h_(h),
          halved_(std::fabs(h) != SimpsonStep), frozenAt_(s.x)
    {
    }

    double Step() const { return h_; }
    bool Halved() const { return halved_; }

    // The densities at the end and the middle of the panel from the walk's position.
    void Densities(double next, double mid, double& f1, double& fm)
    {
        if (halved_) {
            // After a rejection the halved panel ends on the rejected panel's midpoint: its
            // density is known (the same argument, so the same value).
            if (midKnown_ && next == knownAt_)
                f1 = knownValue_;
            else if (!rejected_.Find(next, h_, f1))
                f1 = halving_.At(next);
            fm = halving_.At(mid);
        } else if (!grid_.Find(s_.index, f1, fm)) {
            f1 = Density(f_.density, params_, next);
            fm = Density(f_.density, params_, mid);
        }
        midKnown_ = false;
    }

    // The panel would pass the target: the step is halved. False once it is below the
    // smallest step, which ends the walk.
    bool Reject(double next, double mid, double f1, double fm)
    {
        rejected_.Push(next, f1);
        if (!halved_)
            halving_.Begin(s_.index);
        h_ = h_ / 2;
        halved_ = true;
        if (std::fabs(h_) < SimpsonMinStep)
            return false;
        midKnown_ = true;
        knownAt_ = mid;
        knownValue_ = fm;
        return true;
    }

    // Takes the panel of area P. Once the step is halved near the target, a panel whose area
    // is below the resolution of A no longer changes it, and the walk would creep towards
    // Limit in tiny steps for ever (far in a tail, p near 1): a long run of such panels ends
    // the walk where the run began (false, with that point in `at`); shorter runs are walked
    // as they are.
    bool Accept(double next, double P, double f1, double& at)
    {
        const double A = s_.A + P;
        if (halved_ && A == s_.A && P != 0) {
            if (frozen_++ == 0)
                frozenAt_ = s_.x;
            if (frozen_ > MaxFrozenPanels) {
                at = frozenAt_;
                return false;
            }
        } else {
            frozen_ = 0;
        }
        s_.A = A;
        s_.x = next;
        s_.f = f1;
        if (!halved_)
            ++s_.index;
        return true;
    }

private:
    static constexpr int MaxFrozenPanels = 65536;

    const TIntegrand& f_;
    const TVector& params_;
    const KnownDensities& grid_;
    HalvingDensities halving_;
    RejectedEnds rejected_;
    WalkState& s_;
    double h_;
    bool halved_;
    int frozen_ = 0;
    double frozenAt_;
    bool midKnown_ = false;
    double knownAt_ = 0, knownValue_ = 0;
};
}  // namespace

WalkEnd InverseWalk(const TIntegrand& f, const TVector& params, double Target, double Limit,
                    double h, const KnownDensities& grid, const ZeroTail& zero, bool remember,
                    WalkState& s, double& result)
{
    const bool zeroAhead = zero.PathIsZero(s.x, Limit);
    // From a saved state with the whole steps after it known, the walk's end is found from
    // the family's series where it lies within them and the series can tell it (the plain
    // walk, with the cache off, walks them all).
    if (remember && !zeroAhead && grid.panels == Spacing && grid.from == s.index &&
        s.index + Spacing <= MaxExactPanels &&
        DecidedHalvings(f, params, Target, Limit, zero, s, Spacing * h, grid.f[2 * (Spacing - 1)], result))
        return WalkEnd::Done;
    InverseWalker walk(f, params, h, grid, remember, s);
    while (std::fabs(static_cast<long double>(Limit) - s.x) > std::fabs(walk.Step())) {
        const double step = walk.Step();
        // Every density ahead is 0: the area stays below Target, and steps of h go on to the
        // last point before Limit (exact multiples of the step while Limit / h < 2^52).
        if ((zeroAhead || zero.Covers(s.x, Limit)) && std::fabs(Limit) < 0x1p52 * std::fabs(step)) {
            result = static_cast<double>(StopBeforeLimit(s.x, Limit, step));
            return WalkEnd::Done;
        }
        if (!walk.Halved() && s.index >= MaxExactPanels)
            return WalkEnd::Continue;
        const double next = s.x + step;
        const double mid = s.x + step / 2;
        double f1, fm;
        walk.Densities(next, mid, f1, fm);
        const double P = static_cast<double>((4.0L * fm + s.f + f1) * (std::fabs(step) * OneSixth));
        if (static_cast<long double>(s.A) + P > Target) {
            // The halvings from the first rejected panel, found from the family's area where
            // it can tell them (the plain walk, with the cache off, evaluates them all).
            if (!walk.Halved() && remember &&
                DecidedHalvings(f, params, Target, Limit, zero, s, step, f1, result))
                return WalkEnd::Done;
            if (!walk.Reject(next, mid, f1, fm))
                break;
            continue;
        }
        if (next == s.x)
            return WalkEnd::Continue;
        if (!walk.Accept(next, P, f1, result))
            return WalkEnd::Done;
    }
    result = s.x;
    return WalkEnd::Done;
}

}  // namespace simpson
