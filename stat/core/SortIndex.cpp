// Indirect heap sort: the permutation that lists a vector's values in ascending order. The
// heap holds each index beside its value, so the sifts compare without reaching back into
// the vector: the same comparisons and swaps as sifting the indexes, and the same result.
#include "Stat_Lib.h"

#include <cmath>
#include <utility>
#include <vector>

namespace {
struct Entry {
    double value;
    std::int32_t index;
};

void SiftDown(std::vector<Entry>& heap, int a, int b)
{
    while (2 * a + 1 <= b) {
        int c = 2 * a + 1;
        if (c < b && heap[c].value < heap[c + 1].value)
            c = c + 1;
        if (heap[a].value >= heap[c].value)
            return;
        std::swap(heap[a], heap[c]);
        a = c;
    }
}
}  // namespace

void SortIndex(TIntVector& index, const TVector& values, int n)
{
    index.resize(n > 0 ? n : 0);
    std::vector<Entry> heap(index.size());
    for (int i = 0; i < n; ++i)
        heap[i] = {values[i], i};
    for (int i = (n - 1) / 2; i >= 0; --i)
        SiftDown(heap, i, n - 1);
    for (int e = n - 1; e >= 1; --e) {
        std::swap(heap[e], heap[0]);
        SiftDown(heap, 0, e - 1);
    }
    for (int i = 0; i < n; ++i)
        index[i] = heap[i].index;
}

void SortedEnds(const TVector& values, int n, double& first, double& last)
{
    if (n < 1)
        return;
    double min = values[0], max = values[0];
    bool nan = false, positiveZero = false, negativeZero = false;
    for (int i = 0; i < n; ++i) {
        const double v = values[i];
        if (v < min)
            min = v;
        if (v > max)
            max = v;
        nan |= v != v;
        if (v == 0)
            (std::signbit(v) ? negativeZero : positiveZero) = true;
    }
    if (nan || (positiveZero && negativeZero)) {
        TIntVector order;
        SortIndex(order, values, n);
        first = values[order.front()];
        last = values[order.back()];
        return;
    }
    first = min;
    last = max;
}
