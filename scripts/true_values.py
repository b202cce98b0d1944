#!/usr/bin/python3
"""Writes bench/data/true_values.tsv: true densities, distribution values and quantiles of
every kind over a sweep of in-range parameters, from Debian's python3-scipy. The accuracy
survey (build/bench/survey_accuracy) reads the table; scipy is never needed to build or run
Velmora. Run again only to change the sweep: /usr/bin/python3 scripts/true_values.py
"""
import math
import os
import numpy as np
from scipy import stats

# Kind numbers in catalogue order.
UNIFORM_STD, UNIFORM, NORMAL_STD, NORMAL, CHI2, STUDENT, LOGNORMAL, EXPONENTIAL, F, CAUCHY, \
    LOGISTIC, BETA, RAYLEIGH, WEIBULL, PARETO, EXTRVALUE = range(16)

PS = [1e-9, 1e-4, 0.01, 0.2, 0.5, 0.8, 0.99, 0.9999]
rows = []


def add(kind, params, dist, extra_x=()):
    """Density and distribution at the quantiles of PS (and extra points), quantiles at PS."""
    xs = []
    for p in PS:
        with np.errstate(all="ignore"):
            x = float(dist.ppf(p))
        if math.isfinite(x):
            xs.append(x)
    xs.extend(extra_x)
    for x in xs:
        with np.errstate(all="ignore"):
            pdf, cdf = float(dist.pdf(x)), float(dist.cdf(x))
        if math.isfinite(pdf):
            rows.append((kind, 0, params, x, pdf))
        if math.isfinite(cdf):
            rows.append((kind, 1, params, x, cdf))
    for p in PS:
        with np.errstate(all="ignore"):
            q = float(dist.ppf(p))
        if math.isfinite(q):
            rows.append((kind, 2, params, p, q))


def main():
    add(UNIFORM_STD, [], stats.uniform())
    for lo, hi in [(-3, 5), (1e-6, 2e-6), (-1e300, 1e300)]:
        add(UNIFORM, [lo, hi], stats.uniform(lo, hi - lo))
    add(NORMAL_STD, [], stats.norm(), extra_x=[-8, 8, 30])
    for mu, ro in [(0, 1e-150), (10, 2), (-1e6, 1e-3), (1e100, 1e99)]:
        add(NORMAL, [mu, ro], stats.norm(mu, ro))
    rows.append((NORMAL, 0, [0, 1e-150], 1e160, 0.0))
    rows.append((NORMAL, 1, [0, 1e-150], 1e160, 1.0))
    for n in [2, 3, 5, 10, 50, 200, 1022]:
        add(CHI2, [n], stats.chi2(n))
        add(STUDENT, [n], stats.t(n))
    for mu in [-12, -8, -7, -6, -5, -3, -1, 0, 1, 3, 6, 9, 11]:
        for ro in [1e-6, 1e-4, 1e-3, 1e-2, 0.1, 0.5, 1, 2, 3, 5]:
            add(LOGNORMAL, [mu, ro], stats.lognorm(ro, scale=math.exp(mu)))
    for lam in [1e-3, 1, 1e3]:
        add(EXPONENTIAL, [lam], stats.expon(scale=1 / lam))
    for n in [2, 3, 4, 10, 100, 1022]:
        for m in [2, 3, 10, 100, 1022]:
            add(F, [n, m], stats.f(n, m))
    for a in [-1e4, -10, 0, 1, 1e3, 1e6]:
        for lam in [1e-6, 1e-4, 2e-3, 0.1, 1, 100]:
            add(CAUCHY, [a, lam], stats.cauchy(a, lam))
    for mu, s in [(0, 1), (5, 1e-3), (-100, 30)]:
        add(LOGISTIC, [mu, s], stats.logistic(mu, s))
    rows.append((LOGISTIC, 1, [0, 1], -12000.0, 0.0))
    rows.append((LOGISTIC, 0, [0, 1], -12000.0, 0.0))
    shapes = [0.01, 0.5, 1, 1.01, 1.5, 2, 5, 30, 150, 400, 700]
    for a in shapes:
        for b in shapes:
            add(BETA, [a, b], stats.beta(a, b))
    for ro in [1e-160, 1e-3, 1, 1e100]:
        add(RAYLEIGH, [ro], stats.rayleigh(scale=ro))
    for k, lam in [(0.5, 1), (1.5, 2), (5, 1e-3), (50, 10)]:
        add(WEIBULL, [k, lam], stats.weibull_min(k, scale=lam))
    for xm, alpha in [(1, 3), (1e100, 60), (2, 0.5), (1e-100, 60)]:
        add(PARETO, [xm, alpha], stats.pareto(alpha, scale=xm))
    for mu, ro, xi in [(0, 1, 0), (2, 3, 0.3), (-1, 0.5, -0.4), (0, 1, 1e-6)]:
        add(EXTRVALUE, [mu, ro, xi], stats.genextreme(-xi, mu, ro))
    rows.append((EXTRVALUE, 0, [0, 1, 0], -12000.0, 0.0))
    rows.append((EXTRVALUE, 1, [0, 1, 0], -12000.0, 0.0))

    path = os.path.join(os.path.dirname(__file__), "..", "bench", "data", "true_values.tsv")
    with open(path, "w") as out:
        out.write("# kind mode count params... x truth (scipy %s)\n" % __import__("scipy").__version__)
        for kind, mode, params, x, truth in rows:
            fields = [str(kind), str(mode), str(len(params))] + [repr(float(p)) for p in params]
            fields += [repr(float(x)), repr(float(truth))]
            out.write("\t".join(fields) + "\n")
    print(len(rows), "rows")


main()
