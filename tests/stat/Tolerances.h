// How closely the library must agree with an oracle, by where its error comes from.
#pragma once

// Agreement levels with the oracles.
namespace tol {
constexpr double Rounding = 1e-15;  // a few units in the last place of a double
constexpr double Formula = 1e-14;   // a closed formula evaluated in extended precision
constexpr double Grid = 1e-12;      // Simpson's rule on the 2^-10 grid over a smooth density
constexpr double Quantile = 1e-7;   // an inverse within 2^-31 of the grid's root, flat tails
}  // namespace tol
