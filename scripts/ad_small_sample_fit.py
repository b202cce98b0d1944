#!/usr/bin/python3
"""The small-sample correction of the Anderson-Darling law in stat/fit/AndersonDarling.cpp:
ln(p_n(z) / p_limit(z)) = sum over i = 0..3, j = 1..2 of c[j][i] z^i / n^j, fitted by weighted
least squares (weights 1 / standard error) to the simulated tails of build/bench/trial_ad_law
at z = 2, 2.5, ..., 10 where at least 400 samples passed z, with p_limit from
scripts/ad_limit_tail.py. Made from
    trial_ad_law 100000000 20261209 5 6 7 8 10 12 15 20
    trial_ad_law 40000000 20261209 30 50
    trial_ad_law 20000000 20261209 100 200
(their outputs in one file) and the limit's table:
    ad_small_sample_fit.py TRIAL_OUTPUT LIMIT_TABLE
Uses Debian's python3-numpy."""
import math
import re
import sys

import numpy as np

sim = {}
n = None
for line in open(sys.argv[1]):
    head = re.match(r"n = (\d+), (\d+) replicates", line)
    if head:
        n, reps = int(head.group(1)), int(head.group(2))
        sim[n] = {}
        continue
    f = line.split()
    if n and len(f) == 7 and re.match(r"^\d+\.\d+$", f[0]):
        sim[n][float(f[0])] = (float(f[1]), float(f[2]), reps)
limit = {float(z): float(p) for z, p in (line.split() for line in open(sys.argv[2]))}

rows, y, w = [], [], []
for k in sorted(sim):
    for z, (p, se, reps) in sorted(sim[k].items()):
        if 2 <= z <= 10 and z in limit and p * reps >= 400:
            rows.append([z ** i / k ** j for j in (1, 2) for i in range(4)])
            y.append(math.log(p / limit[z]))
            w.append(1 / se)
X, y, w = np.array(rows), np.array(y), np.array(w)
coef, *_ = np.linalg.lstsq(X * w[:, None], y * w, rcond=None)
chi2 = float(np.sum(((y - X @ coef) * w) ** 2))
print("1/n:   ", ", ".join(repr(float(c)) for c in coef[:4]))
print("1/n^2: ", ", ".join(repr(float(c)) for c in coef[4:]))
print("chi2 per degree of freedom %.2f over %d points" % (chi2 / (len(y) - len(coef)), len(y)))
