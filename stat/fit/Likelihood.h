// The likelihood of a sample under a kind, and what the intervals read off it: its maximum and
// the observed information.
#pragma once

#include <string>
#include <vector>

#include "Family.h"
#include "Maximise.h"

// The sum of ln f over the data, in extended precision: -infinity where a value lies outside
// the support (or the parameters are not served).
L LogLikelihoodOf(const TFamily& family, const TVector& data, const TVector& params);

// The indexes of the parameters in `estimated`, in order.
std::vector<int> IndexesOf(TDistKind kind, const TParamSet& estimated);

// The inverse of the observed information (minus the Hessian of the log-likelihood) at params,
// over the parameters `free`: central differences of steps a tenth of a first guess of each
// standard error, refined by Richardson's extrapolation; whole degrees of freedom take steps
// of 1. Empty where the information is not positive definite.
TMatrix InverseInformation(const TFamily& family, const TVector& data, const TVector& params,
                           const std::vector<int>& free);

// The matrix's inverse by Gauss-Jordan elimination; empty where it is not positive definite.
TMatrix PositiveInverse(TMatrix m);
