#!/usr/bin/python3
"""Writes bench/data/true_values.tsv: true densities, both tails and both quantiles of every
kind over a sweep of in-range parameters, their ends included (degrees of freedom from 1 to a
million, tiny and huge scales), at points from the middle out to tails of 1e-300. The truth is
mpmath's at 50 digits (scipy's doubles lose their relative digits in the far tails); scipy only
gives the starting points of the quantile searches. The accuracy survey
(build/bench/survey_accuracy) reads the table; neither is needed to build or run Velmora. Run
again only to change the sweep (a few minutes): /usr/bin/python3 scripts/true_values.py

Modes: 0 density, 1 P(X <= x), 2 the x with P(X <= x) = p, 3 P(X > x), 4 the x with P(X > x) = q.
"""
import math
import os
import sys

import mpmath as mp
import numpy as np
from scipy import stats

mp.mp.dps = 50

UNIFORM_STD, UNIFORM, NORMAL_STD, NORMAL, CHI2, STUDENT, LOGNORMAL, EXPONENTIAL, F, CAUCHY, \
    LOGISTIC, BETA, RAYLEIGH, WEIBULL, PARETO, EXTRVALUE, GAMMA, WEIBULL3, LOGNORMAL3, GAMMA3, \
    EXPONENTIAL2, LOGLOGISTIC, GENPARETO, INVGAUSS, LAPLACE, GUMBELMIN = range(26)

# Probabilities of both tails: the lower quantiles at P, the upper ones at Q (and the lower
# ones at 1 - q where that is a double other than 1).
P = [1e-300, 1e-100, 1e-30, 1e-15, 1e-9, 1e-4, 0.01, 0.2, 0.5, 0.8]
Q = [1e-300, 1e-100, 1e-30, 1e-15, 1e-9, 1e-4, 0.01, 0.2]
rows = []
M = mp.mpf
INF = mp.inf


class Kind:
    """A kind's truth: density, lower and upper tail as mpmath functions of an mpf x, its
    support (infinite ends as mp.inf), scipy's distribution for starting points, and the
    centre of a symmetric kind (its quantile of 1/2 exactly)."""

    def __init__(self, pdf, lower, upper, lo, hi, start, median=None):
        self.pdf, self.lower, self.upper, self.lo, self.hi, self.start = pdf, lower, upper, lo, hi, start
        self.median = median


def gamma_tails(a, x):
    """P(a, x) and Q(a, x): mpmath's own for small a, else the series of P below a + 1 and
    the continued fraction of Q above, to the working precision (mpmath's hypergeometric
    series does not converge there)."""
    if x <= 0:
        return M(0), M(1)
    if a < 1000:
        lower = mp.gammainc(a, 0, x, regularized=True)
        return lower, mp.gammainc(a, x, INF, regularized=True)
    eps = M(10) ** (-mp.mp.dps)
    kernel = mp.exp(a * mp.log(x) - x - mp.loggamma(a))
    if x < a + 1:
        term = 1 / a
        total, n = term, a
        while abs(term) > abs(total) * eps:
            n += 1
            term *= x / n
            total += term
        lower = kernel * total
        return lower, 1 - lower
    tiny = M(10) ** (-4 * mp.mp.dps)
    b = x + 1 - a
    c, d = 1 / tiny, 1 / b
    h, i = d, 1
    while True:
        an = -i * (i - a)
        b += 2
        d = an * d + b
        d = tiny if abs(d) < tiny else d
        c = b + an / c
        c = tiny if abs(c) < tiny else c
        d = 1 / d
        delta = d * c
        h *= delta
        i += 1
        if abs(delta - 1) < eps:
            break
    upper = kernel * h
    return 1 - upper, upper


def beta_lower(a, b, x):
    """I_x(a, b) for x in (0, 1): mpmath's own for moderate shapes, else the continued
    fraction (Abramowitz and Stegun 26.5.8) to the working precision."""
    if x <= 0:
        return M(0)
    if x >= 1:
        return M(1)
    if max(a, b) < 1000:
        return mp.betainc(a, b, 0, x, regularized=True)
    if x > (a + 1) / (a + b + 2):
        return 1 - beta_lower(b, a, 1 - x)
    eps = M(10) ** (-mp.mp.dps)
    tiny = M(10) ** (-4 * mp.mp.dps)
    front = mp.exp(a * mp.log(x) + b * mp.log1p(-x) - mp.log(mp.beta(a, b))) / a
    c, d = M(1), 1 - (a + b) * x / (a + 1)
    d = 1 / (tiny if abs(d) < tiny else d)
    h, m = d, 1
    while True:
        for aa in (m * (b - m) * x / ((a + 2 * m - 1) * (a + 2 * m)),
                   -(a + m) * (a + b + m) * x / ((a + 2 * m) * (a + 2 * m + 1))):
            d = 1 + aa * d
            d = 1 / (tiny if abs(d) < tiny else d)
            c = 1 + aa / c
            c = tiny if abs(c) < tiny else c
            step = d * c
            h *= step
        m += 1
        if abs(step - 1) < eps:
            break
    return front * h


def beta_upper(a, b, x):
    """I_(1-x)(b, a): as 1 - I_x(a, b) for x below 1e-20, where 1 - x would keep too few of
    x's digits and the lower tail is far from 1; else with 1 - x formed exactly."""
    if x <= 0:
        return M(1)
    if x >= 1:
        return M(0)
    if x < M("1e-20"):
        return 1 - mp.betainc(a, b, 0, x, regularized=True)
    return mp.betainc(b, a, 0, one_minus(x), regularized=True)


def one_minus(x):
    """1 - x to the working precision for any x the table holds (formed exactly first)."""
    with mp.workdps(700):
        y = 1 - x
    return +y


def normal_tails(z):
    if abs(z) > 1e6:  # beyond e^-5e11: 0 and 1 to every digit a double can hold
        return (M(0), M(1)) if z < 0 else (M(1), M(0))
    return mp.erfc(-z / mp.sqrt(2)) / 2, mp.erfc(z / mp.sqrt(2)) / 2


def solve(kind, upper, target):
    """The x where a tail reaches target (an mpf): bisection on a bracket, geometric where it
    spans orders of magnitude, to 40 digits."""
    if kind.median is not None and target == M("0.5"):
        return M(kind.median)
    tail = kind.upper if upper else kind.lower
    # below(x): the root lies above x
    below = (lambda x: tail(x) > target) if upper else (lambda x: tail(x) < target)
    lo, hi = M(kind.lo), M(kind.hi)
    try:
        with np.errstate(all="ignore"):
            guess = float(kind.start.isf(float(target)) if upper else kind.start.ppf(float(target)))
    except Exception:
        guess = float("nan")
    if math.isfinite(guess) and lo <= guess <= hi and tail(M(guess)) == target:
        return M(guess)  # exactly (a median at 0, say)
    if math.isfinite(guess) and guess != 0 and lo < guess < hi:
        g = M(guess)
        a, b = g - abs(g) * M("1e-6"), g + abs(g) * M("1e-6")
        for _ in range(60):
            if a <= lo or not below(a):
                a = max(lo, g - 2 * (g - a) - abs(g) * M("1e-6"))
                if a <= lo:
                    a = lo
                    break
            else:
                break
        for _ in range(60):
            if b >= hi or below(b):
                b = min(hi, g + 2 * (b - g) + abs(g) * M("1e-6"))
                if b >= hi:
                    b = hi
                    break
            else:
                break
        lo, hi = (a if (a <= lo or below(a)) else lo), (b if (b >= hi or not below(b)) else hi)
    for _ in range(4000):
        if mp.isfinite(lo) and mp.isfinite(hi) and (hi - lo) <= max(abs(lo), abs(hi)) * M("1e-3"):
            return illinois(lambda x: tail(x) - target, lo, hi, upper)
        if mp.isinf(hi):
            mid = max(M(1), lo * 16) if lo >= 0 else (lo / 16 if lo < -16 else M(1))
        elif mp.isinf(lo):
            mid = min(M(-1), hi * 16) if hi <= 0 else (hi / 16 if hi > 16 else M(-1))
        elif lo > 0 and hi > 4 * lo:
            mid = mp.sqrt(lo * hi)
        elif hi < 0 and lo < 4 * hi:
            mid = -mp.sqrt(lo * hi)
        else:
            mid = (lo + hi) / 2
        if mid == lo or mid == hi or (hi - lo) <= abs(mid) * M("1e-40"):
            return mid
        if below(mid):
            lo = mid
        else:
            hi = mid
    return (lo + hi) / 2


def illinois(g, lo, hi, upper):
    """The root of g (increasing, or decreasing when upper) in [lo, hi] by the Illinois
    method, with a halving of the bracket whenever two steps did not halve it, to 35 digits."""
    glo, ghi = g(lo), g(hi)
    if glo == 0:
        return lo
    if ghi == 0:
        return hi
    side, widths = 0, [hi - lo, hi - lo]
    for _ in range(2000):
        if hi - lo > widths[-2] / 2:
            x = (lo + hi) / 2
        else:
            x = (lo * ghi - hi * glo) / (ghi - glo)
            if not (lo < x < hi):
                x = (lo + hi) / 2
        gx = g(x)
        if gx == 0 or (hi - lo) <= abs(x) * M("1e-35"):
            return x
        if (gx < 0) != upper:  # the root lies above x
            lo, glo = x, gx
            if side == -1:
                ghi /= 2
            side = -1
        else:
            hi, ghi = x, gx
            if side == 1:
                glo /= 2
            side = 1
        widths.append(hi - lo)
    return (lo + hi) / 2


def add(kind_number, params, kind, extra_x=()):
    xs = []
    for upper, targets in ((False, P), (True, Q)):
        for t in targets:
            q = solve(kind, upper, M(t))
            if mp.isfinite(q) and abs(q) < M("1.7e308"):
                xs.append(float(q))
            rows.append((kind_number, 4 if upper else 2, params, t, float(q) if abs(q) < M("1.7e308") else (math.inf if q > 0 else -math.inf)))
            if upper and t >= 1e-15:
                p = 1 - t  # a double near 1
                q1 = solve(kind, True, 1 - M(p))
                rows.append((kind_number, 2, params, p, float(q1) if abs(q1) < M("1.7e308") else (math.inf if q1 > 0 else -math.inf)))
    xs.extend(extra_x)
    for x in sorted(set(xs)):
        X = M(x)
        for mode, f in ((0, kind.pdf), (1, kind.lower), (3, kind.upper)):
            v = f(X)
            rows.append((kind_number, mode, params, x, float(v) if v < M("1.7e308") else math.inf))


def gev(mu, ro, xi):
    mu, ro, xi = M(mu), M(ro), M(xi)

    def t(x):
        z = (x - mu) / ro
        if xi == 0:
            return mp.exp(-z)
        s = 1 + xi * z
        return None if s <= 0 else s ** (-1 / xi)

    def pdf(x):
        v = t(x)
        return M(0) if v is None else v ** (xi + 1) * mp.exp(-v) / ro

    def lower(x):
        v = t(x)
        return (M(0) if xi > 0 else M(1)) if v is None else mp.exp(-v)

    def upper(x):
        v = t(x)
        return (M(1) if xi > 0 else M(0)) if v is None else -mp.expm1(-v)

    end = mu - ro / xi if xi != 0 else None
    lo = end if xi > 0 else -INF
    hi = end if xi < 0 else INF
    return Kind(pdf, lower, upper, lo, hi, stats.genextreme(float(-xi), float(mu), float(ro)))


def main():
    only = int(sys.argv[1]) if len(sys.argv) > 1 else None

    def want(k):
        return only is None or only == k

    if want(UNIFORM_STD):
        add(UNIFORM_STD, [], Kind(lambda x: M(1) if 0 < x < 1 else M(0),
                                   lambda x: min(max(x, 0), 1), lambda x: min(max(1 - x, 0), 1),
                                   0, 1, stats.uniform()))
    if want(UNIFORM):
        for a, b in [(-3, 5), (1e-6, 2e-6), (-1e300, 1e300)]:
            A, B = M(a), M(b)
            add(UNIFORM, [a, b], Kind(lambda x, A=A, B=B: 1 / (B - A) if A < x < B else M(0),
                                      lambda x, A=A, B=B: min(max((x - A) / (B - A), 0), 1),
                                      lambda x, A=A, B=B: min(max((B - x) / (B - A), 0), 1),
                                      a, b, stats.uniform(a, b - a)))
    if want(NORMAL_STD):
        add(NORMAL_STD, [], Kind(mp.npdf, lambda x: normal_tails(x)[0], lambda x: normal_tails(x)[1],
                                 -INF, INF, stats.norm(), 0), extra_x=[-8, 8, 30, -38.5])
    if want(NORMAL):
        for mu, ro in [(0, 1e-150), (10, 2), (5, 2), (-1e6, 1e-3), (1e100, 1e99)]:
            MU, RO = M(mu), M(ro)
            add(NORMAL, [mu, ro], Kind(lambda x, MU=MU, RO=RO: mp.npdf((x - MU) / RO) / RO,
                                       lambda x, MU=MU, RO=RO: normal_tails((x - MU) / RO)[0],
                                       lambda x, MU=MU, RO=RO: normal_tails((x - MU) / RO)[1],
                                       -INF, INF, stats.norm(mu, ro), mu))
    if want(CHI2):
        for n in [1, 2, 3, 5, 10, 50, 200, 1022, 1023, 1500, 5000, 1e5, 1e6]:
            a = M(n) / 2

            def pdf(x, a=a):
                return M(0) if x <= 0 else mp.exp((a - 1) * mp.log(x) - x / 2 - a * mp.log(2) - mp.loggamma(a))

            add(CHI2, [n], Kind(pdf, lambda x, a=a: gamma_tails(a, x / 2)[0],
                                lambda x, a=a: gamma_tails(a, x / 2)[1], 0, INF, stats.chi2(n)))
    if want(STUDENT):
        for n in [1, 2, 3, 5, 10, 30, 200, 1022, 5000, 1e5, 1e6]:
            N = M(n)

            def far(t, N=N):  # P(T <= t) for t <= 0
                return beta_lower(N / 2, M(0.5), N / (N + t * t)) / 2

            def lower(t, N=N, far=far):
                return far(t) if t <= 0 else 1 - far(-t)

            def pdf(t, N=N):
                return mp.exp(mp.loggamma((N + 1) / 2) - mp.loggamma(N / 2) - mp.log(N * mp.pi) / 2 -
                              (N + 1) / 2 * mp.log1p(t * t / N))

            add(STUDENT, [n], Kind(pdf, lower, lambda t, lower=lower: lower(-t), -INF, INF, stats.t(n), 0))
    if want(LOGNORMAL):
        sets = [(mu, ro) for mu in [-12, -3, 0, 3, 12] for ro in [1e-6, 1e-2, 0.5, 1, 3, 5]]
        sets.append((1.6e-76, 2e-105))
        for mu, ro in sets:
            MU, RO = M(mu), M(ro)

            def z(x, MU=MU, RO=RO):
                return (mp.log(x) - MU) / RO

            add(LOGNORMAL, [mu, ro], Kind(lambda x, z=z, RO=RO: M(0) if x <= 0 else mp.npdf(z(x)) / (x * RO),
                                          lambda x, z=z: M(0) if x <= 0 else normal_tails(z(x))[0],
                                          lambda x, z=z: M(1) if x <= 0 else normal_tails(z(x))[1],
                                          0, INF, stats.lognorm(ro, scale=math.exp(mu))))
    if want(EXPONENTIAL):
        for lam in [1e-3, 1, 1e3]:
            LA = M(lam)
            add(EXPONENTIAL, [lam], Kind(lambda x, LA=LA: LA * mp.exp(-LA * x) if x > 0 else M(0),
                                         lambda x, LA=LA: -mp.expm1(-LA * x) if x > 0 else M(0),
                                         lambda x, LA=LA: mp.exp(-LA * x) if x > 0 else M(1),
                                         0, INF, stats.expon(scale=1 / lam)))
    if want(F):
        for n, m in [(1, 1), (1, 5), (2, 2), (3, 7), (5, 10), (10, 3), (100, 100), (1022, 2),
                     (2, 1022), (1e4, 50), (1e6, 1e6), (5, 1e6)]:
            NN, MM = M(n), M(m)

            def lower(x, NN=NN, MM=MM):
                return M(0) if x <= 0 else beta_lower(NN / 2, MM / 2, NN * x / (NN * x + MM))

            def upper(x, NN=NN, MM=MM):
                return M(1) if x <= 0 else beta_lower(MM / 2, NN / 2, MM / (NN * x + MM))

            def pdf(x, NN=NN, MM=MM):
                if x < 0:
                    return M(0)
                if x == 0:  # the limits: infinite for n = 1, 1 for n = 2, 0 above
                    return INF if NN == 1 else (M(1) if NN == 2 else M(0))
                a, b = NN / 2, MM / 2
                return mp.exp(a * mp.log(NN) + b * mp.log(MM) + (a - 1) * mp.log(x) - (a + b) * mp.log(NN * x + MM)
                              - mp.log(mp.beta(a, b)))

            add(F, [n, m], Kind(pdf, lower, upper, 0, INF, stats.f(n, m)))
    if want(CAUCHY):
        for a in [-1e4, 0, 1e6]:
            for lam in [1e-6, 1e-3, 1, 100]:
                A, C = M(a), M(lam)
                def far(z):  # P(Z <= z) for z <= 0, without the cancellation of 1/2 - ...
                    return mp.atan(-1 / z) / mp.pi if z < -1 else M(0.5) + mp.atan(z) / mp.pi

                def lower(x, A=A, C=C, far=far):
                    z = (x - A) / C
                    return far(z) if z <= 0 else 1 - far(-z)

                add(CAUCHY, [a, lam], Kind(lambda x, A=A, C=C: 1 / (mp.pi * C * (1 + ((x - A) / C) ** 2)),
                                           lower, lambda x, A=A, lower=lower: lower(2 * A - x),
                                           -INF, INF, stats.cauchy(a, lam), a))
    if want(LOGISTIC):
        for mu, s in [(0, 1), (5, 1e-3), (-100, 30)]:
            MU, S = M(mu), M(s)
            add(LOGISTIC, [mu, s], Kind(lambda x, MU=MU, S=S: mp.exp(-(x - MU) / S) / (S * (1 + mp.exp(-(x - MU) / S)) ** 2),
                                        lambda x, MU=MU, S=S: 1 / (1 + mp.exp(-(x - MU) / S)),
                                        lambda x, MU=MU, S=S: 1 / (1 + mp.exp((x - MU) / S)),
                                        -INF, INF, stats.logistic(mu, s), mu), extra_x=[-12000.0])
    if want(BETA):
        shapes = [0.01, 0.5, 1, 1.5, 2, 5, 30, 150, 700]
        for a in shapes:
            for b in shapes:
                A, B = M(a), M(b)
                add(BETA, [a, b], Kind(lambda x, A=A, B=B: M(0) if not 0 < x < 1 else x ** (A - 1) * (1 - x) ** (B - 1) / mp.beta(A, B),
                                       lambda x, A=A, B=B: M(0) if x <= 0 else (M(1) if x >= 1 else mp.betainc(A, B, 0, x, regularized=True)),
                                       lambda x, A=A, B=B: beta_upper(A, B, x),
                                       0, 1, stats.beta(a, b)))
    if want(RAYLEIGH):
        for ro in [1e-160, 1e-3, 1, 1e100]:
            RO = M(ro)
            add(RAYLEIGH, [ro], Kind(lambda x, RO=RO: x / RO ** 2 * mp.exp(-x * x / (2 * RO * RO)) if x > 0 else M(0),
                                     lambda x, RO=RO: -mp.expm1(-x * x / (2 * RO * RO)) if x > 0 else M(0),
                                     lambda x, RO=RO: mp.exp(-x * x / (2 * RO * RO)) if x > 0 else M(1),
                                     0, INF, stats.rayleigh(scale=ro)))
    if want(WEIBULL):
        for k, lam in [(0.5, 1), (1.5, 2), (5, 1e-3), (50, 10), (0.05, 1), (2, 1)]:
            K, LA = M(k), M(lam)
            add(WEIBULL, [k, lam], Kind(lambda x, K=K, LA=LA: K / LA * (x / LA) ** (K - 1) * mp.exp(-(x / LA) ** K) if x > 0 else M(0),
                                        lambda x, K=K, LA=LA: -mp.expm1(-(x / LA) ** K) if x > 0 else M(0),
                                        lambda x, K=K, LA=LA: mp.exp(-(x / LA) ** K) if x > 0 else M(1),
                                        0, INF, stats.weibull_min(k, scale=lam)))
    if want(PARETO):
        for xm, alpha in [(1, 3), (1e100, 60), (2, 0.5), (1e-100, 60), (1, 0.01)]:
            XM, AL = M(xm), M(alpha)
            add(PARETO, [xm, alpha], Kind(lambda x, XM=XM, AL=AL: AL * XM ** AL / x ** (AL + 1) if x >= XM else M(0),
                                          lambda x, XM=XM, AL=AL: -mp.expm1(-AL * mp.log(x / XM)) if x >= XM else M(0),
                                          lambda x, XM=XM, AL=AL: mp.exp(-AL * mp.log(x / XM)) if x >= XM else M(1),
                                          xm, INF, stats.pareto(alpha, scale=xm)))
    if want(EXTRVALUE):
        for mu, ro, xi in [(0, 1, 0), (2, 3, 0.3), (-1, 0.5, -0.4), (0, 1, 1e-6), (1, 1e-20, 1),
                           (1e10, 1e-7, -0.5)]:
            add(EXTRVALUE, [mu, ro, xi], gev(mu, ro, xi), extra_x=[float(mu)])

    # The kinds after the sixteen. A threshold kind is its base of x - x0, the difference
    # formed in the working precision from the double x.
    def shifted(base, x0, start):
        X0 = M(x0)
        return Kind(lambda x: base.pdf(x - X0), lambda x: base.lower(x - X0),
                    lambda x: base.upper(x - X0), X0 + base.lo, INF, start)

    def gamma_kind(k, theta):
        K, TH = M(k), M(theta)

        def pdf(x):
            if x <= 0:
                return M(0)
            return mp.exp((K - 1) * mp.log(x / TH) - x / TH - mp.loggamma(K)) / TH

        return Kind(pdf, lambda x: gamma_tails(K, x / TH)[0], lambda x: gamma_tails(K, x / TH)[1],
                    0, INF, stats.gamma(k, scale=theta))

    def weibull_kind(k, lam):
        K, LA = M(k), M(lam)
        return Kind(lambda x: K / LA * (x / LA) ** (K - 1) * mp.exp(-(x / LA) ** K) if x > 0 else M(0),
                    lambda x: -mp.expm1(-(x / LA) ** K) if x > 0 else M(0),
                    lambda x: mp.exp(-(x / LA) ** K) if x > 0 else M(1),
                    0, INF, stats.weibull_min(k, scale=lam))

    def lognormal_kind(mu, ro):
        MU, RO = M(mu), M(ro)

        def z(x):
            return (mp.log(x) - MU) / RO

        return Kind(lambda x: M(0) if x <= 0 else mp.npdf(z(x)) / (x * RO),
                    lambda x: M(0) if x <= 0 else normal_tails(z(x))[0],
                    lambda x: M(1) if x <= 0 else normal_tails(z(x))[1],
                    0, INF, stats.lognorm(ro, scale=math.exp(mu)))

    def exponential_kind(lam):
        LA = M(lam)
        return Kind(lambda x: LA * mp.exp(-LA * x) if x > 0 else M(0),
                    lambda x: -mp.expm1(-LA * x) if x > 0 else M(0),
                    lambda x: mp.exp(-LA * x) if x > 0 else M(1),
                    0, INF, stats.expon(scale=1 / lam))

    if want(GAMMA):
        for k, theta in [(0.05, 1), (0.5, 2), (1, 1), (2.5, 1.5), (30, 1e-3), (1e3, 1), (1e4, 1e5),
                         (7, 1e-200)]:
            add(GAMMA, [k, theta], gamma_kind(k, theta))
    if want(WEIBULL3):
        for k, lam, x0 in [(1.5, 2, 10), (0.5, 1, -3), (30, 1e-3, 1e4), (2, 1, -1e6)]:
            add(WEIBULL3, [k, lam, x0], shifted(weibull_kind(k, lam), x0,
                                                stats.weibull_min(k, loc=x0, scale=lam)))
    if want(LOGNORMAL3):
        for mu, ro, x0 in [(0, 1, 5), (2, 0.25, -100), (-3, 3, 0.5), (1, 1e-3, -1e5)]:
            add(LOGNORMAL3, [mu, ro, x0], shifted(lognormal_kind(mu, ro), x0,
                                                  stats.lognorm(ro, loc=x0, scale=math.exp(mu))))
    if want(GAMMA3):
        for k, theta, x0 in [(2.5, 1.5, 10), (0.3, 2, -4), (1e3, 0.01, 1e3)]:
            add(GAMMA3, [k, theta, x0], shifted(gamma_kind(k, theta), x0,
                                                stats.gamma(k, loc=x0, scale=theta)))
    if want(EXPONENTIAL2):
        for lam, x0 in [(1, 5), (1e-3, -1e4), (1e3, 0.25)]:
            add(EXPONENTIAL2, [lam, x0], shifted(exponential_kind(lam), x0,
                                                 stats.expon(loc=x0, scale=1 / lam)))
    if want(LOGLOGISTIC):
        for alpha, beta in [(1, 1), (2, 0.05), (1e-3, 5), (50, 1e4), (3, 0.7)]:
            A, B = M(alpha), M(beta)

            def pdf(x, A=A, B=B):
                if x <= 0:
                    return M(0)
                t = (x / A) ** B
                return B / x * t / (1 + t) ** 2

            add(LOGLOGISTIC, [alpha, beta],
                Kind(pdf, lambda x, A=A, B=B: M(0) if x <= 0 else 1 / (1 + (x / A) ** (-B)),
                     lambda x, A=A, B=B: M(1) if x <= 0 else 1 / (1 + (x / A) ** B),
                     0, INF, stats.fisk(beta, scale=alpha), alpha))
    if want(GENPARETO):
        for mu, sigma, xi in [(0, 1, 0), (2, 3, 0.3), (-1, 0.5, -0.4), (0, 1, 1e-6), (5, 2, 4),
                              (0, 1, -2), (1e6, 1e-3, 0.05)]:
            MU, SI, XI = M(mu), M(sigma), M(xi)

            def hazard(x, MU=MU, SI=SI, XI=XI):
                """The cumulative hazard; None below mu, inf at and beyond a negative xi's end."""
                z = (x - MU) / SI
                if z < 0:
                    return None
                if XI == 0:
                    return z
                return INF if XI * z <= -1 else mp.log1p(XI * z) / XI

            def pdf(x, MU=MU, SI=SI, XI=XI, hazard=hazard):
                h = hazard(x)
                return M(0) if h is None or mp.isinf(h) else mp.exp(-(1 + XI) * h) / SI

            def lower(x, hazard=hazard):
                h = hazard(x)
                return M(0) if h is None else -mp.expm1(-h)

            def upper(x, hazard=hazard):
                h = hazard(x)
                return M(1) if h is None else mp.exp(-h)

            end = MU - SI / XI if xi < 0 else INF
            add(GENPARETO, [mu, sigma, xi], Kind(pdf, lower, upper, MU, end,
                                                 stats.genpareto(xi, loc=mu, scale=sigma)))
    if want(INVGAUSS):
        for mu, lam in [(1, 1), (1, 1e-3), (1e-3, 1), (5, 1e4), (2, 0.05), (100, 3)]:
            MU, LA = M(mu), M(lam)

            def parts(x, MU=MU, LA=LA):
                r = mp.sqrt(LA / x)
                return r * (x / MU - 1), r * (x / MU + 1)

            def pdf(x, MU=MU, LA=LA):
                if x <= 0:
                    return M(0)
                return mp.sqrt(LA / (2 * mp.pi * x ** 3)) * mp.exp(-LA * (x - MU) ** 2 / (2 * MU ** 2 * x))

            def lower(x, MU=MU, LA=LA, parts=parts):
                if x <= 0:
                    return M(0)
                with mp.workdps(400):
                    a, b = parts(x)
                    v = mp.ncdf(a) + mp.exp(2 * LA / MU) * mp.ncdf(-b)
                return +v

            def upper(x, MU=MU, LA=LA, parts=parts):
                if x <= 0:
                    return M(1)
                with mp.workdps(400):
                    a, b = parts(x)
                    v = mp.ncdf(-a) - mp.exp(2 * LA / MU) * mp.ncdf(-b)
                return +v

            add(INVGAUSS, [mu, lam], Kind(pdf, lower, upper, 0, INF,
                                          stats.invgauss(mu / lam, scale=lam)))
    if want(LAPLACE):
        for mu, b in [(0, 1), (5, 1e-3), (-1e6, 30)]:
            MU, B = M(mu), M(b)
            add(LAPLACE, [mu, b], Kind(lambda x, MU=MU, B=B: mp.exp(-abs(x - MU) / B) / (2 * B),
                                       lambda x, MU=MU, B=B: mp.exp((x - MU) / B) / 2 if x <= MU else -mp.expm1(-(x - MU) / B) + mp.exp(-(x - MU) / B) / 2,
                                       lambda x, MU=MU, B=B: mp.exp(-(x - MU) / B) / 2 if x >= MU else -mp.expm1((x - MU) / B) + mp.exp((x - MU) / B) / 2,
                                       -INF, INF, stats.laplace(mu, b), mu))
    if want(GUMBELMIN):
        for mu, ro in [(0, 1), (3, 1e-3), (-100, 40)]:
            MU, RO = M(mu), M(ro)
            add(GUMBELMIN, [mu, ro], Kind(lambda x, MU=MU, RO=RO: mp.exp((x - MU) / RO - mp.exp((x - MU) / RO)) / RO,
                                          lambda x, MU=MU, RO=RO: -mp.expm1(-mp.exp((x - MU) / RO)),
                                          lambda x, MU=MU, RO=RO: mp.exp(-mp.exp((x - MU) / RO)),
                                          -INF, INF, stats.gumbel_l(mu, ro)))

    path = os.path.join(os.path.dirname(__file__), "..", "bench", "data", "true_values.tsv")
    if only is not None:
        path += ".%d" % only
    seen = set()
    with open(path, "w") as out:
        out.write("# kind mode count params... x truth (mpmath %s, %d digits)\n" % (mp.__version__, mp.mp.dps))
        for kind, mode, params, x, truth in rows:
            key = (kind, mode, tuple(params), x)
            if key in seen:
                continue
            seen.add(key)
            fields = [str(kind), str(mode), str(len(params))] + [repr(float(p)) for p in params]
            fields += [repr(float(x)), repr(float(truth))]
            out.write("\t".join(fields) + "\n")
    print(len(rows), "rows")


main()
