// What the Simpson grids need to know of each density that is integrated: the parameters it
// reads (the key of its grid) and where it is 0 for good. The families give it here; the
// integrator itself knows no distribution.
#include "SimpsonWalk.h"

simpson::ZeroTail NormalStdZeroTail(const TVector& params, double h);
simpson::ZeroTail LogNormalZeroTail(const TVector& params, double h);
simpson::ZeroTail Chi2ZeroTail(const TVector& params, double h);

namespace simpson {

const TDensityFacts& DensityFacts(TDistHandler density)
{
    struct Row {
        TDistHandler density;
        TDensityFacts facts;
    };
    static constexpr Row rows[] = {
        {NormalStdDensity, {0, false, NormalStdZeroTail}},  // every Normal shares its grid
        {LogNormalDensity, {-1, false, LogNormalZeroTail}},
        {Chi2Density, {1, true, Chi2ZeroTail}},
        {StudentDensity, {1, true, nullptr}},
        {FDensity, {2, true, nullptr}},
    };
    static constexpr TDensityFacts others{};
    for (const Row& row : rows)
        if (row.density == density)
            return row.facts;
    return others;
}

}  // namespace simpson
