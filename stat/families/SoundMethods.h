// Sound evaluations of the kinds whose listed methods cannot see every density: standardised
// forms, closed forms and the incomplete Beta function. They stand beside the listed
// handlers; TrueValues decides per call which result a user reads.
#pragma once

#include "StatInternal.h"

// ln B(a, b) and the regularised incomplete Beta function I_x(a, b), for a, b > 0, x in
// [0, 1] and y = 1 - x (given by the caller, who often knows it exactly).
L LogBeta(L a, L b);
L RegularisedBeta(L a, L b, L x, L y);

// One kind's sound functions, and what tells when its listed method need not be run. A null
// entry: the listed function is sound for every in-range input (or nothing is known).
// - `cap`: the point where the listed quantile search stops for p (its walking limit, which
//   stays) and whether the search runs upward.
// - `hopeless`: parameters for which the listed method cannot resolve the density at any x.
// - `walkStart`: where the listed walks start, for the bound on their length; the quantile's
//   search too when `searchWalks` (it may stop early of itself otherwise).
// - `checkSearch`: the listed distribution at the sound quantile decides, before the listed
//   search runs, whether that search can agree (a search that goes astray can be long).
struct TSoundKind {
    double (*density)(const TVector& params, double x) = nullptr;
    double (*distribution)(const TVector& params, double x) = nullptr;
    double (*inverse)(const TVector& params, double p) = nullptr;
    bool (*cap)(const TVector& params, double p, double& at, bool& upward) = nullptr;
    bool (*hopeless)(const TVector& params) = nullptr;
    double (*walkStart)(const TVector& params) = nullptr;
    bool searchWalks = false;
    bool checkSearch = false;
};

// The sound functions of a kind (all entries null for kinds that need none).
const TSoundKind& SoundKind(TDistKind kind);
