// The halvings of an inverse walk found from the area of the density's series: the exact
// walk's point wherever the bounds tell it, at the cost of a few polynomials instead of some
// thirty density evaluations.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "FloatErrors.h"

namespace simpson {

double SeriesRoundings(const double* e, double span)
{
    double error = 0;
    for (int k = TPanelSeries::Terms - 1; k >= 0; --k)
        error = error * span + e[k];
    return error;
}

bool CauchyRest(double r, double M, double span, TPanelSeries& series)
{
    const double q = span / r;
    if (!(q <= 0.25) || !(M < 1e100))
        return false;
    const double rest = M * std::pow(q, TPanelSeries::Terms) / (1 - q);
    if (!(rest <= 1e-18))
        return false;
    const double far = r - span;
    series.error += rest;
    series.bend4 = 24 * M / (far * far * far * far);
    return true;
}

namespace {
// A panel's series and the sums of its terms' sizes the search forms from it, as the series
// gave them at x over span for these parameters.
struct PanelTerms {
    TPanelSeries series;
    double area[TPanelSeries::Terms];  // c[k] / (k + 1): the area's coefficients
    double sizes = 0;                  // sum of |area[k]| span^k
    double largest = 0;                // sum of |c[k]| span^k
    // The area's series reversed to its fifth power: d = sum of reversed[k] y^(k+1) for the
    // area f(x) y, the search's first guess; only its first term where `reversedOnce`.
    double reversed[5];
    bool reversedOnce = true;
};

std::uint64_t Bits(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

bool SameBits(double a, double b)
{
    return Bits(a) == Bits(b);
}

bool SameBits(const TVector& a, const TVector& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameBits(a[i], b[i]))
            return false;
    return true;
}

// The latest panels' terms on this thread. A thread takes its numbers in ascending order, so
// one panel's series serves the many targets that end in it. A series is a function of its
// arguments alone; one whose forming raised an error flag is not kept (formed again, it raises
// the flag again), so a kept one changes no flag either.
class PanelTermsMemo {
public:
    const PanelTerms* Find(TPanelSeriesAt at, const TVector& params, double x, double span)
    {
        for (const Entry& e : entries_)
            if (e.at == at && SameBits(e.x, x) && SameBits(e.span, span) && SameBits(e.params, params))
                return e.ok ? &e.terms : nullptr;
        return Form(at, params, x, span);
    }

private:
    struct Entry {
        TPanelSeriesAt at = nullptr;
        TVector params;
        double x = 0, span = 0;
        bool ok = false;
        PanelTerms terms;
    };

    const PanelTerms* Form(TPanelSeriesAt at, const TVector& params, double x, double span)
    {
        constexpr int Terms = TPanelSeries::Terms;
        Entry& e = entries_[next_];
        PanelTerms& t = e.terms;
        e.ok = at(params, x, span, t.series);
        if (e.ok) {
            t.sizes = t.largest = 0;
            for (int k = Terms - 1; k >= 0; --k) {
                t.area[k] = t.series.c[k] / (k + 1);
                t.sizes = t.sizes * span + std::fabs(t.area[k]);
                t.largest = t.largest * span + std::fabs(t.series.c[k]);
            }
            // The area's leading coefficient is c[0] = 1; the reversion is formed only from
            // coefficients far from overflowing (else the guess is the first term's), so it
            // raises no flag of its own.
            const double a1 = t.area[1], a2 = t.area[2], a3 = t.area[3], a4 = t.area[4];
            t.reversed[0] = 1;
            t.reversed[1] = t.reversed[2] = t.reversed[3] = t.reversed[4] = 0;
            t.reversedOnce = !(t.area[0] == 1 && std::max({std::fabs(a1), std::fabs(a2), std::fabs(a3),
                                                           std::fabs(a4)}) < 1e50);
            if (!t.reversedOnce) {
                const double square = a1 * a1;
                t.reversed[1] = -a1;
                t.reversed[2] = 2 * square - a2;
                t.reversed[3] = 5 * a1 * (a2 - square) - a3;
                t.reversed[4] = 14 * square * square - 21 * square * a2 + 6 * a1 * a3 + 3 * a2 * a2 - a4;
            }
        }
        if (FloatFlags::Current().RaisedErrors()) {
            e.at = nullptr;
            return e.ok ? &t : nullptr;
        }
        e.at = at;
        e.params.assign(params.begin(), params.end());
        e.x = x;
        e.span = span;
        next_ = (next_ + 1) % Size;
        return e.ok ? &t : nullptr;
    }

    static constexpr int Size = 4;
    Entry entries_[Size];
    int next_ = 0;
};

thread_local PanelTermsMemo TheTermsMemo;
}  // namespace

bool DecidedHalvings(const TIntegrand& f, const TVector& params, double Target, double Limit,
                     const ZeroTail& zero, const WalkState& s, double span, double fEnd,
                     double& result)
{
    constexpr double h = SimpsonStep;
    const double next = s.x + span;
    constexpr int Terms = TPanelSeries::Terms;
    // Forward walks whose points are exact multiples of the smallest step (the sum of the
    // steps is then s.x + k * SimpsonMinStep, with no rounding), with the limit and the
    // density's zero beyond the panel.
    const double grid = s.x / SimpsonMinStep;
    if (!f.facts.series || !(span > 0 && span <= Spacing * h) || !(std::fabs(s.x) + span < 0x1p21) ||
        grid != std::trunc(grid) || !(static_cast<long double>(Limit) - s.x > span + h) ||
        zero.Covers(next, Limit) || !(s.f > 0))
        return false;
    const PanelTerms* terms = TheTermsMemo.Find(f.facts.series, params, s.x, span);
    if (!terms)
        return false;
    const TPanelSeries& series = terms->series;
    const double* area = terms->area;
    const double sizes = terms->sizes;
    const double top = std::fabs(Target) + std::fabs(s.A);
    // Every panel the walk takes moves A off its last place: it never creeps (the densities
    // have one peak, so the smallest on the span is at an end).
    if (!(std::min(s.f, fEnd) * SimpsonMinStep / 2 > top * 0x1p-51))
        return false;
    const double left = Target - s.A;
    // The area from x to x + d is f d times the sum of c[k] d^k / (k + 1); the sums of the
    // terms' sizes bound the density over the panel and the roundings of the sums.
    const double largest = s.f * (terms->largest + series.error) * (1 + 2 * series.listed);
    // The area to d, and the density's ratio there or the area to a second point: two Horner
    // sums in one loop, which the processor runs side by side.
    const auto areaAndSlope = [&](double d, double& areaAt, double& slope) {
        double a = 0, c = 0;
        for (int k = Terms - 1; k >= 0; --k) {
            a = a * d + area[k];
            c = c * d + series.c[k];
        }
        areaAt = s.f * d * a;
        slope = s.f * c;
    };
    const auto areasTo = [&](double d1, double d2, double& a1, double& a2) {
        double sum1 = 0, sum2 = 0;
        for (int k = Terms - 1; k >= 0; --k) {
            sum1 = sum1 * d1 + area[k];
            sum2 = sum2 * d2 + area[k];
        }
        a1 = s.f * d1 * sum1;
        a2 = s.f * d2 * sum2;
    };
    // How far the walk's sums can lie from A plus the area, twice over. Growing with d: the
    // roundings of the sums here, the series' error, and the listed density at x off its
    // curve. Fixed: the listed densities on the walk's panels (the span and one step more of
    // them) off their curve and each P rounded to a double; Simpson's rule on those panels,
    // at most (span / h + 1.04) h^5 / 2880 max |f''''|; A rounded to a double after each panel
    // taken (one a whole step or a halving, at most 8 + 22 + 1), the comparison in extended
    // precision, and `left` here.
    const double perStep =
        2 * s.f * (sizes * 0x1p-47 + series.error + series.listed * (1 + sizes));
    const double fixed =
        2 * (largest * (span + h) * (0x1p-49 + 2 * series.listed) +
             s.f * (1 + series.listed) * (span / h + 1.04) * h * h * h * h * h / 2880 * series.bend4 +
             32 * top * 0x1p-53 + top * 0x1p-62 + std::fabs(left) * 0x1p-52);
    const auto bound = [&](double d) { return perStep * d + fixed; };
    // The d of area `left` from the reversed series, and Newton's steps from there where its
    // last term says its guess may be off by more than a sixteenth of a smallest step (the
    // next terms fall faster still): each step squares the guess's error; they end once a step
    // moves d by less than 2^-20, which leaves d off by about (f' / 2f) 2^-40, within a
    // smallest step for any slope the series allows. The search below takes d only as its
    // start: a d further off costs a try or hands the walk back, and changes no point. (y is
    // below 2^19 by the creep condition above, so no power of it here overflows.)
    const double y = left / s.f;
    const double* r = terms->reversed;
    const double last = r[4] * y * y * y * y * y;
    double d = std::clamp(y * (r[0] + y * (r[1] + y * (r[2] + y * r[3]))) + last, 0.0, span);
    const bool close = !terms->reversedOnce && std::fabs(last) < SimpsonMinStep / 16;
    for (int i = 0; i < 4 && !close; ++i) {
        double areaAt, slope;
        areaAndSlope(d, areaAt, slope);
        if (!(slope > 0))
            return false;
        const double was = d;
        d = std::clamp(d - (areaAt - left) / slope, 0.0, span);
        if (std::fabs(d - was) < 0x1p-20)
            break;
    }
    // The walk's choices are known when the last point of the smallest step's grid inside the
    // target has its area surely below `left` and the next one surely above it (the bound
    // grows slower than the area, so every point of the search before them is surer still).
    long long k = static_cast<long long>(d / SimpsonMinStep);
    const double steps = span / SimpsonMinStep;
    for (int tries = 0; tries < 3; ++tries) {
        if (k < 0 || !(static_cast<double>(k) < steps))
            return false;
        const double from = static_cast<double>(k) * SimpsonMinStep, to = from + SimpsonMinStep;
        double below, above;
        areasTo(from, to, below, above);
        if (below - bound(from) > left) {
            --k;
        } else if (above + bound(to) < left) {
            ++k;
        } else if (below + bound(from) < left && above - bound(to) > left) {
            result = s.x + static_cast<double>(k) * SimpsonMinStep;
            return true;
        } else {
            return false;
        }
    }
    return false;
}

}  // namespace simpson
