// The parameters a density reads, the key of the grid cache: every Normal reads none (they
// share the standard normal's grid), the degrees of freedom are read by their whole part.
#include "SimpsonWalk.h"

#include <cmath>
#include <cstring>

namespace simpson {

ReadParams::ReadParams(TDistHandler density, const TVector& params)
    : data(params.data()), size(params.size()), whole{0, 0}
{
    std::size_t degrees = 0;
    if (density == NormalStdDensity)
        size = 0;
    else if (density == Chi2Density || density == StudentDensity)
        degrees = 1;
    else if (density == FDensity)
        degrees = 2;
    if (degrees == 0 || params.size() < degrees)
        return;
    for (std::size_t i = 0; i < degrees; ++i)
        whole[i] = std::trunc(params[i]);
    data = whole;
    size = degrees;
}

bool ReadParams::operator==(const TVector& p) const
{
    return p.size() == size && (size == 0 || std::memcmp(p.data(), data, size * sizeof(double)) == 0);
}

}  // namespace simpson
