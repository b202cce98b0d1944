// The parameters a density reads, the key of the grid cache, as its family tells them.
#include "SimpsonWalk.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace simpson {

ReadParams::ReadParams(const TDensityFacts& facts, const TVector& params)
    : data(params.data()), size(params.size()), whole{0, 0}
{
    if (facts.reads < 0)
        return;
    const std::size_t reads = static_cast<std::size_t>(facts.reads);
    if (!facts.whole) {
        size = std::min(size, reads);
        return;
    }
    if (reads == 0 || params.size() < reads)
        return;
    for (std::size_t i = 0; i < reads; ++i)
        whole[i] = std::trunc(params[i]);
    data = whole;
    size = reads;
}

bool ReadParams::operator==(const TVector& p) const
{
    return p.size() == size && (size == 0 || std::memcmp(p.data(), data, size * sizeof(double)) == 0);
}

}  // namespace simpson
