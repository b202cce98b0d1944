#!/usr/bin/python3
"""The upper tail of the limiting law of the Anderson-Darling statistic, 1 - F(z), by the
series of T. W. Anderson and D. A. Darling (Ann. Math. Stat. 23, 1952; 1954):
F(z) = sqrt(2 pi)/z sum_j binom(-1/2, j) (4j+1) exp(-(4j+1)^2 pi^2 / (8z))
       * int_0^inf exp(z / (8 (w^2 + 1)) - (4j+1)^2 pi^2 w^2 / (8z)) dw,
in 30-digit arithmetic with Debian's python3-mpmath. It agrees with Imhof's inversion of the
law's characteristic function (A2 is the sum of Z_j^2 / (j (j + 1))) to 1e-12. Prints z and
1 - F(z) for z = 2, 2.5, ..., 12: the table of stat/fit/AndersonDarling.cpp."""
import mpmath as m

m.mp.dps = 30


def upper_tail(z):
    z = m.mpf(z)
    total = 0
    for j in range(200):
        a = (4 * j + 1) ** 2 * m.pi ** 2 / (8 * z)
        integral = m.quad(lambda w: m.exp(z / (8 * (w * w + 1)) - a * w * w), [0, m.inf])
        term = m.binomial(-0.5, j) * (4 * j + 1) * m.exp(-a) * integral
        total += term
        if abs(term) < m.mpf(10) ** -28:
            break
    return 1 - m.sqrt(2 * m.pi) / z * total


if __name__ == "__main__":
    for i in range(21):
        z = 2 + i / 2
        print(z, m.nstr(upper_tail(z), 17))
