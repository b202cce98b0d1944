#include "ExpGenLib.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "Fit_Lib.h"
#include "SimpleRandomLib.h"

int ExpGenCategoryCount(std::int32_t count)
{
    if (count > 1000)
        return 15;
    if (count > 350)
        return 11;
    if (count > 100)
        return 7;
    if (count > 50)
        return 5;
    return 3;
}

TExpGen::TExpGen(TVector& Output, std::int32_t Count, TDistKind Kind, const TVector& Params)
    : Output(Output), Params(Params), Kind(Kind), Count(Count)
{
}

TExpGen::~TExpGen()
{
    if (thread_.joinable())
        thread_.join();
}

void TExpGen::Resume()
{
    if (!thread_.joinable())
        thread_ = std::thread([this] {
            try {
                Execute();
            } catch (...) {
                error_ = std::current_exception();
            }
            done_.store(true, std::memory_order_release);
        });
}

void TExpGen::WaitFor()
{
    if (thread_.joinable())
        thread_.join();
    if (error_)
        std::rethrow_exception(std::exchange(error_, nullptr));
}

void TExpGen::Execute()
{
    passes_ = 0;
    for (std::int32_t i = 0; i < Count; ++i) {
        Output[i] = DistEval(Kind, TDistFunc::Inverse, Params, RandomUniform());
        if (Terminated())
            return;
    }
    if (Count < 1)
        return;

    const int K = ExpGenCategoryCount(Count);
    TVector edge, counts(K), expected;
    std::vector<TIntVector> members(K);
    for (;;) {
        ++passes_;
        double minimum = 0, maximum = 0;
        SortedEnds(Output, Count, minimum, maximum);

        // The categories of the goodness-of-fit test: a value on an edge belongs to the lower
        // category, a value above every edge (only the rounding of the last allows it) to the
        // last; category 0 expects everything below its upper edge.
        edge = CategoryBounds(minimum, maximum, K);
        std::fill(counts.begin(), counts.end(), 0.0);
        for (TIntVector& list : members)
            list.clear();
        for (std::int32_t l = 0; l < Count; ++l) {
            const int j = CategoryOf(Output[l], edge);
            counts[j] += 1;
            members[j].push_back(l);
        }
        expected = ExpectedCounts(Kind, Params, edge, static_cast<std::size_t>(Count));

        // Excess over the expected counts, made cumulative (reusing the counts).
        TVector& excess = counts;
        double S = 0;
        for (int j = 0; j < K; ++j) {
            excess[j] = excess[j] - expected[j];
            if (excess[j] > 0)
                S = S + excess[j];
            else
                excess[j] = 0;
        }
        for (int j = 1; j < K; ++j)
            excess[j] = excess[j - 1] + excess[j];

        // Redraws, floor(S / 2) + 1 of them: a category by its share of the excess, then one
        // of its members, never the last listed one when there are two or more. S exceeds the
        // sample only when expected counts go negative (parameters outside the catalogue's
        // bounds), so counting at most Count + 1 redraws changes no sample of a distribution;
        // the count is an integer, and a cancel ends the redraws.
        const double R = std::floor(S / 2);
        const std::int64_t redraws =
            R >= 0 ? static_cast<std::int64_t>(std::min(R, static_cast<double>(Count))) + 1 : 0;
        for (std::int64_t r = 0; r < redraws && !Terminated(); ++r) {
            const double target = static_cast<double>(static_cast<long double>(RandomUniform()) * S);
            int t = 0;
            while (t < K - 1 && !(excess[t] >= target))
                ++t;
            TIntVector& list = members[t];
            if (list.empty())
                continue;
            const auto n = static_cast<std::int32_t>(list.size());
            const auto w = static_cast<std::int32_t>(std::trunc(RandomUniform() * (n - 1)));
            Output[list[w]] = DistEval(Kind, TDistFunc::Inverse, Params, RandomUniform());
            list.erase(list.begin() + w);
        }

        if (K > S || passes_ == ExpGenMaxPasses || Terminated())
            return;
    }
}
