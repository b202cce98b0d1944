#!/usr/bin/python3
"""Writes tests/stat/data/moments.tsv: the mean, variance, skewness and excess kurtosis of
every kind at three ordinary parameter sets each, from scipy's stats(moments="mvsk"), and at
parameters where the central moments are small differences of large raw ones (a Weibull or
log-logistic law of large shape, an extreme-value law of tiny xi, a log-normal of tiny ro), from
the raw moments' closed forms in mpmath at 80 digits; beside them the median (scipy's ppf of
1/2, or mpmath's). Each row: kind, parameter count, parameters, mean, variance, skewness,
kurtosis, median ("nan" where a moment does not exist, "inf" where it is infinite: where
scipy gives NaN for the skewness or kurtosis of a law with one heavy right tail and a finite
variance, the row holds inf, which it is). The
moments test reads the table; run again only to change the points: /usr/bin/python3
scripts/moments_truths.py
"""
import math
import os

import mpmath as mp
from scipy import stats

mp.mp.dps = 80
(UNIFORM_STD, UNIFORM, NORMAL_STD, NORMAL, CHI2, STUDENT, LOGNORMAL, EXPONENTIAL, F, CAUCHY,
 LOGISTIC, BETA, RAYLEIGH, WEIBULL, PARETO, EXTRVALUE, GAMMA, WEIBULL3, LOGNORMAL3, GAMMA3,
 EXPONENTIAL2, LOGLOGISTIC, GENPARETO, INVGAUSS, LAPLACE, GUMBELMIN) = range(26)


def scipy_law(kind, p):
    return {
        UNIFORM_STD: lambda: stats.uniform(),
        UNIFORM: lambda: stats.uniform(p[0], p[1] - p[0]),
        NORMAL_STD: lambda: stats.norm(),
        NORMAL: lambda: stats.norm(p[0], p[1]),
        CHI2: lambda: stats.chi2(p[0]),
        STUDENT: lambda: stats.t(p[0]),
        LOGNORMAL: lambda: stats.lognorm(p[1], scale=math.exp(p[0])),
        EXPONENTIAL: lambda: stats.expon(scale=1 / p[0]),
        F: lambda: stats.f(p[0], p[1]),
        CAUCHY: lambda: stats.cauchy(p[0], p[1]),
        LOGISTIC: lambda: stats.logistic(p[0], p[1]),
        BETA: lambda: stats.beta(p[0], p[1]),
        RAYLEIGH: lambda: stats.rayleigh(scale=p[0]),
        WEIBULL: lambda: stats.weibull_min(p[0], scale=p[1]),
        PARETO: lambda: stats.pareto(p[1], scale=p[0]),
        EXTRVALUE: lambda: stats.genextreme(-p[2], p[0], p[1]),
        GAMMA: lambda: stats.gamma(p[0], scale=p[1]),
        WEIBULL3: lambda: stats.weibull_min(p[0], loc=p[2], scale=p[1]),
        LOGNORMAL3: lambda: stats.lognorm(p[1], loc=p[2], scale=math.exp(p[0])),
        GAMMA3: lambda: stats.gamma(p[0], loc=p[2], scale=p[1]),
        EXPONENTIAL2: lambda: stats.expon(loc=p[1], scale=1 / p[0]),
        LOGLOGISTIC: lambda: stats.fisk(p[1], scale=p[0]),
        GENPARETO: lambda: stats.genpareto(p[2], loc=p[0], scale=p[1]),
        INVGAUSS: lambda: stats.invgauss(p[0] / p[1], scale=p[1]),
        LAPLACE: lambda: stats.laplace(p[0], p[1]),
        GUMBELMIN: lambda: stats.gumbel_l(p[0], p[1]),
    }[kind]()


ORDINARY = {
    UNIFORM_STD: [[]],
    UNIFORM: [[-3, 5], [1, 2], [-1e6, 1e6]],
    NORMAL_STD: [[]],
    NORMAL: [[0, 1], [10, 2], [-1e3, 0.01]],
    CHI2: [[1], [7], [500]],
    STUDENT: [[2], [3], [30]],
    LOGNORMAL: [[0, 1], [2, 0.25], [-1, 2]],
    EXPONENTIAL: [[1], [0.01], [40]],
    F: [[3, 5], [10, 9], [6, 30]],
    CAUCHY: [[0, 1], [3, 2], [-5, 0.1]],
    LOGISTIC: [[0, 1], [5, 2], [-3, 0.01]],
    BETA: [[2, 5], [0.5, 0.5], [30, 3]],
    RAYLEIGH: [[1], [3], [0.01]],
    WEIBULL: [[1.5, 2], [0.5, 1], [5, 10]],
    PARETO: [[1, 3], [2, 5], [1, 10]],
    EXTRVALUE: [[0, 1, 0], [5, 2, 0.2], [0, 1, -0.3]],
    GAMMA: [[2.5, 1.5], [0.3, 2], [100, 0.01]],
    WEIBULL3: [[2.5, 2, 10], [0.8, 1, -3], [40, 5, 100]],
    LOGNORMAL3: [[0, 0.5, 5], [1, 1, -2], [3, 0.1, 100]],
    GAMMA3: [[2.5, 1.5, 10], [0.5, 2, -1], [30, 1, 7]],
    EXPONENTIAL2: [[1, 5], [0.5, -3], [100, 0.1]],
    LOGLOGISTIC: [[2, 3], [1, 4.5], [5, 10]],
    GENPARETO: [[0, 1, 0.2], [1, 2, -0.3], [0, 1, 0.1]],
    INVGAUSS: [[1, 2], [3, 0.5], [0.1, 10]],
    LAPLACE: [[0, 1], [3, 0.5], [-10, 4]],
    GUMBELMIN: [[0, 1], [3, 2], [-10, 0.5]],
}


def central(raw):
    """Mean, variance, skewness and excess kurtosis from raw moments E[Y^1..4] (mpf)."""
    m1, m2, m3, m4 = raw
    var = m2 - m1 ** 2
    mu3 = m3 - 3 * m1 * m2 + 2 * m1 ** 3
    mu4 = m4 - 4 * m1 * m3 + 6 * m1 ** 2 * m2 - 3 * m1 ** 4
    return m1, var, mu3 / var ** mp.mpf(1.5), mu4 / var ** 2 - 3


def weibull(k, lam):
    k, lam = mp.mpf(k), mp.mpf(lam)
    m, v, s, c = central([lam ** r * mp.gamma(1 + r / k) for r in range(1, 5)])
    return m, v, s, c, lam * mp.log(2) ** (1 / k)


def loglogistic(alpha, beta):
    a, b = mp.mpf(alpha), mp.mpf(beta)
    m, v, s, c = central([a ** r * (r * mp.pi / b) / mp.sin(r * mp.pi / b) for r in range(1, 5)])
    return m, v, s, c, a


def gev(mu, sigma, xi):
    mu, sigma, xi = mp.mpf(mu), mp.mpf(sigma), mp.mpf(xi)
    g = [mp.gamma(1 - r * xi) for r in range(1, 5)]
    # X = mu + sigma (Y - 1) / xi with E[Y^r] = g_r: the standardised moments of Y, signed.
    _, v, s, c = central(g)
    mean = mu + sigma * (g[0] - 1) / xi
    median = mu + sigma * (mp.log(2) ** (-xi) - 1) / xi
    return mean, v * (sigma / xi) ** 2, s * mp.sign(xi), c, median


def lognormal(mu, ro):
    mu, ro = mp.mpf(mu), mp.mpf(ro)
    m, v, s, c = central([mp.exp(r * mu + r * r * ro * ro / 2) for r in range(1, 5)])
    return m, v, s, c, mp.exp(mu)


HARD = [
    (WEIBULL, [700, 3], lambda: weibull(700, 3)),
    (WEIBULL, [60, 1], lambda: weibull(60, 1)),
    (LOGLOGISTIC, [1, 1e5], lambda: loglogistic(1, 1e5)),
    (LOGLOGISTIC, [3, 9e5], lambda: loglogistic(3, 9e5)),
    (LOGLOGISTIC, [2, 300], lambda: loglogistic(2, 300)),
    (EXTRVALUE, [0, 1, 1e-9], lambda: gev(0, 1, mp.mpf("1e-9"))),
    (EXTRVALUE, [1, 2, -3e-5], lambda: gev(1, 2, mp.mpf("-3e-5"))),
    (EXTRVALUE, [0, 1, 2e-7], lambda: gev(0, 1, mp.mpf("2e-7"))),
    (LOGNORMAL, [0.5, 1e-6], lambda: lognormal(0.5, mp.mpf("1e-6"))),
]


def text(v):
    v = float(v)
    return "nan" if math.isnan(v) else ("inf" if v == math.inf else ("-inf" if v == -math.inf else repr(v)))


def main():
    path = os.path.join(os.path.dirname(__file__), "..", "tests", "stat", "data", "moments.tsv")
    with open(path, "w") as out:
        out.write("# kind count params... mean variance skewness kurtosis median\n")
        for kind, sets in ORDINARY.items():
            for p in sets:
                law = scipy_law(kind, p)
                m, v, s, k = (float(x) for x in law.stats(moments="mvsk"))
                # scipy leaves a standardised moment NaN where the central moment is infinite
                # and the variance finite; for these laws of one heavy right tail it is +inf.
                if kind in (F, PARETO, LOGLOGISTIC, GENPARETO, EXTRVALUE) and math.isfinite(v):
                    s = math.inf if math.isnan(s) else s
                    k = math.inf if math.isnan(k) else k
                row = [kind, len(p)] + p + [m, v, s, k, law.ppf(0.5)]
                out.write("\t".join(text(x) if isinstance(x, float) else str(x) for x in row) + "\n")
        for kind, p, truth in HARD:
            row = [str(kind), str(len(p))] + [repr(float(x)) for x in p] + [text(x) for x in truth()]
            out.write("\t".join(row) + "\n")
    print("written", path)


main()
