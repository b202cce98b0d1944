#!/usr/bin/python3
"""Writes tests/stat/data/scipy_fits.tsv: scipy's maximum-likelihood fits of the kinds added
after the sixteen, on samples both this script and the test draw alike (a 64-bit linear
congruential generator and closed-form transformations through the C library's log, exp, pow,
cos and expm1, so the numbers are the same doubles), 20 samples of each kind at n = 50 and at
n = 2000. Each row: kind, n, sample, scipy's log-likelihood at its own estimates, and 1 where
scipy's threshold lies within 1e-9 of the span of the smallest value: there the likelihood grows
without bound and scipy's value is no maximum. The fitting test reads the table; neither is
needed to build or run Velmora. Run again only to change the samples (a few minutes):
/usr/bin/python3 scripts/scipy_fits.py
"""
import math
import os
import warnings

import numpy as np
from scipy import stats

warnings.filterwarnings("ignore")
MASK = (1 << 64) - 1
TWO_PI = 6.283185307179586


class Draws:
    def __init__(self, seed):
        self.s = seed

    def u(self):
        self.s = (self.s * 6364136223846793005 + 1442695040888963407) & MASK
        return ((self.s >> 11) + 0.5) * 2.0 ** -53

    def z(self):
        u1, u2 = self.u(), self.u()
        return math.sqrt(-2 * math.log(u1)) * math.cos(TWO_PI * u2)

    def gamma(self):  # Gamma(2.5, 1.5)
        a, b, z = self.u(), self.u(), self.z()
        return 1.5 * (-math.log(a) - math.log(b) + z * z / 2)


def draw(kind, d):
    if kind == 16:
        return d.gamma()
    if kind == 17:
        return 10 + 2 * math.pow(-math.log(d.u()), 0.4)
    if kind == 18:
        return 5 + math.exp(0.5 * d.z())
    if kind == 19:
        return 10 + d.gamma()
    if kind == 20:
        return 5 - math.log(d.u())
    if kind == 21:
        u = d.u()
        return 2 * math.pow(u / (1 - u), 1 / 3)
    if kind == 22:
        return math.expm1(0.2 * -math.log(d.u())) / 0.2
    if kind == 23:  # InvGauss(1, 2), J. R. Michael, W. R. Schucany and R. W. Haas (1976)
        z = d.z()
        y = z * z
        x = 1 + y / 4 - math.sqrt(8 * y + y * y) / 4
        return x if d.u() <= 1 / (1 + x) else 1 / x
    if kind == 24:
        return math.log(d.u() / d.u())
    if kind == 25:
        return math.log(-math.log(d.u()))


def fit(kind, x):
    """scipy's estimates as (frozen law, threshold or None)."""
    if kind == 16:
        a, _, s = stats.gamma.fit(x, floc=0)
        return stats.gamma(a, scale=s), None
    if kind == 17:
        c, l, s = stats.weibull_min.fit(x)
        return stats.weibull_min(c, loc=l, scale=s), l
    if kind == 18:
        s_, l, sc = stats.lognorm.fit(x)
        return stats.lognorm(s_, loc=l, scale=sc), l
    if kind == 19:
        a, l, s = stats.gamma.fit(x)
        return stats.gamma(a, loc=l, scale=s), l
    if kind == 20:
        l, s = stats.expon.fit(x)
        return stats.expon(l, s), None
    if kind == 21:
        c, _, s = stats.fisk.fit(x, floc=0)
        return stats.fisk(c, scale=s), None
    if kind == 22:
        c, l, s = stats.genpareto.fit(x)
        return stats.genpareto(c, loc=l, scale=s), None
    if kind == 23:
        m, _, s = stats.invgauss.fit(x, floc=0)
        return stats.invgauss(m, scale=s), None
    if kind == 24:
        return stats.laplace(*stats.laplace.fit(x)), None
    if kind == 25:
        return stats.gumbel_l(*stats.gumbel_l.fit(x)), None


def main():
    path = os.path.join(os.path.dirname(__file__), "..", "tests", "stat", "data", "scipy_fits.tsv")
    with open(path, "w") as out:
        out.write("# kind n sample loglikelihood at_singularity (scipy %s)\n" % __import__("scipy").__version__)
        for kind in range(16, 26):
            for n in (50, 2000):
                for sample in range(20):
                    d = Draws(1000003 * kind + 7919 * n + sample)
                    x = np.array([draw(kind, d) for _ in range(n)])
                    law, threshold = fit(kind, x)
                    ll = float(np.sum(law.logpdf(x)))
                    span = x.max() - x.min()
                    ridge = threshold is not None and x.min() - threshold <= 1e-9 * span
                    out.write("%d\t%d\t%d\t%r\t%d\n" % (kind, n, sample, ll, int(ridge)))
    print("written", path)


main()
