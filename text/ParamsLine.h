// The line that shows a distribution's parameters: "name=value; " for each, in the general
// format with the given separator.
#pragma once

#include <string>

#include "Stat_Lib.h"

std::string ParamsLine(TDistKind kind, const TVector& params, char separator);
