// Indirect heap sort: the permutation that lists a vector's values in ascending order.
#include "Stat_Lib.h"

#include <utility>

namespace {
void SiftDown(TIntVector& index, const TVector& values, int a, int b)
{
    while (2 * a + 1 <= b) {
        int c = 2 * a + 1;
        if (c < b && values[index[c]] < values[index[c + 1]])
            c = c + 1;
        if (values[index[a]] >= values[index[c]])
            return;
        std::swap(index[a], index[c]);
        a = c;
    }
}
}  // namespace

void SortIndex(TIntVector& index, const TVector& values, int n)
{
    index.resize(n > 0 ? n : 0);
    for (int i = 0; i < n; ++i)
        index[i] = i;
    for (int i = (n - 1) / 2; i >= 0; --i)
        SiftDown(index, values, i, n - 1);
    for (int e = n - 1; e >= 1; --e) {
        std::swap(index[e], index[0]);
        SiftDown(index, values, 0, e - 1);
    }
}
