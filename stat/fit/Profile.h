// The search of a profile likelihood's interval: the two points on either side of the maximum
// where the deviance reaches the chi-square quantile of the level, in a coordinate where the
// profile is near a parabola (the logarithm of a positive quantity).
#pragma once

#include <functional>
#include <vector>

#include "StatInternal.h"

// A coordinate of the search: the quantity itself, its logarithm (a positive one) or its logit
// (a probability).
enum class TScale { Plain, Log, Logit };
L ToScale(TScale scale, L v);
L FromScale(TScale scale, L u);

// The ends of {v : deviance(v) <= cutoff} around `centre` (where the deviance is 0), found by
// doubling steps from `step` (in the coordinate) until the deviance passes the cutoff, then by
// the Illinois method. Where the deviance stays below the cutoff out to the coordinate's end
// (or to `lowest` or `highest`), that end is the interval's. Each end is within 1e-9 of the
// coordinate's span of the true one.
void ProfileEnds(const std::function<L(L)>& deviance, TScale scale, L centre, L step, L cutoff,
                 L lowest, L highest, L& lower, L& upper);
