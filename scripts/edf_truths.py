# Writes the truths of the tests on the empirical distribution function (tests/stat/fit/
# EdfTestsTest.cpp): fixed samples with their statistics by scipy, and exact Kolmogorov-Smirnov
# tails. Run with Debian's python3-scipy: python3 scripts/edf_truths.py
import numpy as np
from scipy import stats
rng = np.random.default_rng(20261209)
cases = [
    ("Exponential", [2.0], stats.expon(scale=0.5)),
    ("Logistic", [1.0, 2.0], stats.logistic(loc=1, scale=2)),
    ("Weibull", [1.5, 3.0], stats.weibull_min(1.5, scale=3)),
    ("Rayleigh", [2.0], stats.rayleigh(scale=2)),
    ("Pareto", [1.0, 3.0], stats.pareto(3, scale=1)),
    ("ExtrValue", [5.0, 2.0, 0.2], stats.genextreme(-0.2, loc=5, scale=2)),
    ("Uniform", [-2.0, 5.0], stats.uniform(loc=-2, scale=7)),
    ("Normal", [10.0, 2.0], stats.norm(10, 2)),
]
print("// kind, params, sample, A2, D: written by scipy", __import__("scipy").__version__)
for name, params, law in cases:
    # drawn from a law a little off the hypothesis, so the statistics are not small
    x = np.sort(law.ppf(rng.random(25) ** 1.1))
    n = len(x)
    i = np.arange(1, n + 1)
    a2 = -n - np.sum((2 * i - 1) * (law.logcdf(x) + law.logsf(x[::-1]))) / n
    d = stats.kstest(x, law.cdf).statistic
    print("{TDistKind::%s, {%s}, {%s}, %r, %r}," % (name, ", ".join(repr(p) for p in params),
          ", ".join(repr(float(v)) for v in x), float(a2), float(d)))
print("// n, d, P(D_n >= d) by scipy.stats.kstwo")
for n, z in [(1, 0.9), (5, 0.6), (10, 1.0), (50, 1.2), (100, 0.8), (140, 1.36), (141, 1.36),
             (400, 1.0), (1000, 1.63), (5000, 0.5), (100000, 1.2), (1000000, 0.7), (20, 2.5),
             (1000, 3.0), (100, 0.1)]:
    d = z / np.sqrt(n)
    print("{%d, %r, %r}," % (n, d, float(stats.kstwo.sf(d, n))))
