// The line that shows a distribution's parameters: "name=value; " for each, in the general
// format with the given separator (with at most `digits` significant digits: 15 by default,
// fewer in a table).
#pragma once

#include <string>

#include "Stat_Lib.h"

std::string ParamsLine(TDistKind kind, const TVector& params, char separator, int digits = 15);
