// The points of the laws that exact intervals read: the standard normal, chi-square, Student
// and F quantiles of any degrees of freedom, from the families' sound functions.
#pragma once

#include "Family.h"

L NormalPoint(double p);
L Chi2Point(double degrees, double p);
L StudentPoint(double degrees, double p);
L FPoint(double n, double m, double p);
