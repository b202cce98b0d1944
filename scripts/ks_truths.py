#!/usr/bin/python3
"""The upper tail P(D_n >= d) of the Kolmogorov-Smirnov statistic, exactly: Durbin's matrix
H (Marsaglia, Tsang and Wang, J. Stat. Software 8 (18), 2003) in 60-digit arithmetic,
P(D_n < d) = n!/n^n (H^n)[k, k] with k = floor(n d) + 1, formed by n products of H with a
vector (H is zero above its first superdiagonal), and its complement at that precision.
Prints one line per case: n, d (as the double's shortest repr), p. Run with Debian's
python3-mpmath (python3-gmpy2 makes it faster); the largest cases take minutes."""
import sys
from fractions import Fraction
import mpmath

mpmath.mp.dps = 60


def upper_tail(n, d):
    nd = Fraction(d) * n            # d is taken as the double it is
    k = int(nd) + 1
    m = 2 * k - 1
    h = mpmath.mpf((k - nd).numerator) / (k - nd).denominator
    fact = [mpmath.factorial(i) for i in range(m + 2)]
    H = [[mpmath.mpf(0)] * m for _ in range(m)]
    for i in range(m):
        for j in range(m):
            if i - j + 1 >= 0:
                H[i][j] = 1 / fact[i - j + 1]
    for i in range(m):
        H[i][0] -= h ** (i + 1) / fact[i + 1]
        H[m - 1][i] -= h ** (m - i) / fact[m - i]
    if 2 * h - 1 > 0:
        H[m - 1][0] += (2 * h - 1) ** m / fact[m]
    v = [mpmath.mpf(0)] * m
    v[k - 1] = mpmath.mpf(1)
    for _ in range(n):
        v = [mpmath.fsum(H[i][j] * v[j] for j in range(min(m, i + 2))) for i in range(m)]
    below = v[k - 1] * mpmath.factorial(n) / mpmath.mpf(n) ** n
    return 1 - below


if __name__ == "__main__":
    for arg in sys.argv[1:]:
        n, d = arg.split(",")
        p = upper_tail(int(n), float(d))
        print(n, repr(float(d)), mpmath.nstr(p, 25), flush=True)
