#!/usr/bin/python3
"""Writes tests/stat/data/quantile_truths.tsv: quantiles of the kinds whose values are searched
(where a sound method replaces the listed value, or the kind has no listed one), at the
probabilities a generation draws: the first 300 uniform numbers of seed 1 (the generation
benchmark's), and 1e-12, 1e-6, 1 - 1e-6 and 1 - 1e-12. Each quantile is the root of the tail
that holds p's digits, in mpmath at 40 digits: from scipy's ppf, a bracket widened until the
tail crosses p, then Anderson and Bjorck's method. Each row: kind, parameter count, parameters,
p (as C's %a writes it), quantile. The replaced-quantile test reads the table; run again only
to change the sets, with the uniform numbers one per line (%a) on standard input:
/usr/bin/python3 scripts/quantile_truths.py < uniforms.txt
"""
import math
import os
import sys

import mpmath as mp
from scipy import stats

mp.mp.dps = 40
NORMAL_STD, CHI2, STUDENT, LOGNORMAL, F, BETA, GAMMA, GAMMA3, INVGAUSS = 2, 4, 5, 6, 8, 11, 16, 19, 23
SETS = [(NORMAL_STD, []), (CHI2, [4]), (STUDENT, [5]), (LOGNORMAL, [0, 1]), (F, [5, 8]), (F, [3, 7]),
        (BETA, [2, 5]), (BETA, [0.5, 2]), (GAMMA, [2, 1]), (GAMMA3, [2, 1, 1]), (INVGAUSS, [1, 2]),
        (INVGAUSS, [1, 0.05])]


def law(kind, p):
    """The lower and the upper tail in mpmath, the support's lower end, and scipy's law."""
    one = mp.mpf(1)
    if kind == NORMAL_STD:
        return lambda x: mp.ncdf(x), lambda x: mp.ncdf(-x), -mp.inf, stats.norm()
    if kind == CHI2:
        h = mp.mpf(int(p[0])) / 2
        return (lambda x: mp.gammainc(h, 0, x / 2, regularized=True),
                lambda x: mp.gammainc(h, x / 2, mp.inf, regularized=True), 0, stats.chi2(int(p[0])))
    if kind == STUDENT:
        n = mp.mpf(int(p[0]))

        def lower(x):
            half = mp.betainc(n / 2, one / 2, 0, n / (n + x * x), regularized=True) / 2
            return half if x < 0 else 1 - half
        return lower, lambda x: lower(-x), -mp.inf, stats.t(int(p[0]))
    if kind == LOGNORMAL:
        mu, s = mp.mpf(p[0]), mp.mpf(p[1])
        return (lambda x: mp.ncdf((mp.log(x) - mu) / s), lambda x: mp.ncdf((mu - mp.log(x)) / s), 0,
                stats.lognorm(p[1], scale=math.exp(p[0])))
    if kind == F:
        n, m = mp.mpf(int(p[0])), mp.mpf(int(p[1]))
        return (lambda x: mp.betainc(n / 2, m / 2, 0, n * x / (n * x + m), regularized=True),
                lambda x: mp.betainc(m / 2, n / 2, 0, m / (n * x + m), regularized=True), 0,
                stats.f(int(p[0]), int(p[1])))
    if kind == BETA:
        a, b = mp.mpf(p[0]), mp.mpf(p[1])
        return (lambda x: mp.betainc(a, b, 0, x, regularized=True),
                lambda x: mp.betainc(b, a, 0, 1 - x, regularized=True), 0, stats.beta(p[0], p[1]))
    if kind in (GAMMA, GAMMA3):
        k, theta = mp.mpf(p[0]), mp.mpf(p[1])
        x0 = mp.mpf(p[2]) if kind == GAMMA3 else mp.mpf(0)
        return (lambda x: mp.gammainc(k, 0, (x - x0) / theta, regularized=True),
                lambda x: mp.gammainc(k, (x - x0) / theta, mp.inf, regularized=True), x0,
                stats.gamma(p[0], loc=float(x0), scale=p[1]))
    if kind == INVGAUSS:
        mu, lam = mp.mpf(p[0]), mp.mpf(p[1])

        def parts(x):
            r = mp.sqrt(lam / x)
            return r * (x / mu - 1), mp.exp(2 * lam / mu) * mp.ncdf(-r * (x / mu + 1))
        return (lambda x: mp.ncdf(parts(x)[0]) + parts(x)[1],
                lambda x: mp.ncdf(-parts(x)[0]) - parts(x)[1], 0,
                stats.invgauss(p[0] / p[1], scale=p[1]))
    raise ValueError(kind)


def quantile(kind, params, p):
    lower, upper, end, scipy_law = law(kind, params)
    P = mp.mpf(p)
    g = (lambda x: lower(x) - P) if p <= 0.5 else (lambda x: upper(x) - (1 - P))
    start = mp.mpf(float(scipy_law.ppf(p)))
    width = abs(start) * mp.mpf(10) ** -8
    while True:
        a, b = max(start - width, (end + start) / 2 if end > -mp.inf else start - width), start + width
        if kind == BETA:
            b = min(b, (1 + start) / 2)
        if g(a) * g(b) <= 0:
            return mp.findroot(g, (a, b), solver='anderson')
        width *= 16


def main():
    uniforms = [float.fromhex(line) for line in sys.stdin if line.strip()]
    probabilities = uniforms + [1e-12, 1e-6, 1 - 1e-6, 1 - 1e-12]
    path = os.path.join(os.path.dirname(__file__), '..', 'tests', 'stat', 'data', 'quantile_truths.tsv')
    with open(path, 'w') as out:
        out.write('# kind count params... p (%%a) quantile (mpmath %s, 40 digits)\n' % mp.__version__)
        for kind, params in SETS:
            for p in probabilities:
                x = quantile(kind, params, p)
                out.write('%d\t%d\t%s%s\t%s\n' % (kind, len(params), ''.join('%r\t' % float(v) for v in params),
                                                 float(p).hex(), mp.nstr(x, 25)))


main()
