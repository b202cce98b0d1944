// A density as the Simpson helpers take it from a family: the function with what the grids
// need to know of it (the parameters it reads, where it is 0 for good, its series over a
// panel), and the helpers that integrate and invert it. What a family includes to walk its
// density.
#pragma once

#include <cmath>

#include "StatInternal.h"

namespace simpson {

// Where a density is exactly 0 and raises no error flag: from `from` on, in the direction of
// h, as far as `to`. A walk that has reached `from` and ends no further than `to` adds nothing
// more (an integral of one direction). Where no such stretch is known, `from` is the infinity
// ahead. Each family that has one forms it from its density's formula (see TDensityFacts).
// A family may also tell that a whole way from x to end lies where its density is 0 (the
// log-normal left of its rise, or all of it for a far mu): `pathZero`, with the two numbers
// it needs, tells at the start of a walk.
struct ZeroTail {
    double from = HUGE_VAL, to = HUGE_VAL;
    double h = 1;
    bool (*pathZero)(const ZeroTail& tail, double x, double end) = nullptr;
    long double a = 0, b = 0;  // the family's own numbers for pathZero
    double peak = -1;          // the density's mode, when its density there is not 0

    bool Covers(double x, double end) const
    {
        return h > 0 ? x >= from && end <= to : x <= from && end >= to;
    }
    bool PathIsZero(double x, double end) const
    {
        return Covers(x, end) || (pathZero && pathZero(*this, x, end));
    }
};

// The density near x relative to its value there, over a stretch of the grid up to `span`
// (at most Spacing whole steps): f(x + t) / f(x) is the sum of c[k] t^k within `error` for
// 0 <= t <= span (the truncation and the roundings of the coefficients); |f''''| / f(x) is at
// most `bend4` there; and the listed density lies within `listed` of f, relative (its
// roundings).
struct TPanelSeries {
    static constexpr int Terms = 12;
    double c[Terms];
    double error;
    double bend4;
    double listed;
};
// Fills the series at x over `span`; false where the family cannot vouch for it, or where the
// density might raise an error flag or come near 0.
using TPanelSeriesAt = bool (*)(const TVector& params, double x, double span, TPanelSeries& series);
// For a family's series: the Horner sum over `span` of its coefficients' rounding errors e[k];
// and the rest after Terms terms by Cauchy's estimate (|g| <= M on the circle |t| = r puts
// each coefficient below M / r^k, so the rest sums to at most M q^Terms / (1 - q), q = span / r),
// added to series.error, with |g''''| <= 24 M / (r - span)^4 as its bend4. False where the
// rest could pass 1e-18.
double SeriesRoundings(const double* e, double span);
bool CauchyRest(double r, double M, double span, TPanelSeries& series);

// What the grids need to know of a density, given by the caller (its family): how many
// parameters it reads (the first `reads`; all when -1), whether it reads their whole parts
// (degrees of freedom), where it is 0 for good in the direction of h, and its series over a
// panel, whose area decides the halvings of an inverse walk wherever it can tell. The default
// knows nothing: every parameter is read as it is, no stretch is known to be 0, and every
// halving evaluates the density.
struct TDensityFacts {
    int reads = -1;
    bool whole = false;
    ZeroTail (*zeroTail)(const TVector& params, double h) = nullptr;
    TPanelSeriesAt series = nullptr;

    bool operator==(const TDensityFacts& o) const
    {
        return reads == o.reads && whole == o.whole && zeroTail == o.zeroTail && series == o.series;
    }
};

// A density as the grids take it: the function and its facts.
struct TIntegrand {
    TDistHandler density = nullptr;
    TDensityFacts facts{};
};

ZeroTail ZeroTailOf(const TIntegrand& f, const TVector& params, double h);

}  // namespace simpson

// The Simpson helpers for a density with the facts its family gives the grids; the listed
// helpers of Stat_Lib.h take a density whose facts are unknown.
double SimpsonIntegral(const simpson::TIntegrand& f, const TVector& params, double From,
                       double To);
double SimpsonInverse(const simpson::TIntegrand& f, const TVector& params, double From,
                      double Target, double Limit);
