// Two threads evaluating overlapping parameter sets at once (as the generator's thread and the
// window can): every value is the one a single thread gives. Under ThreadSanitizer this is the
// stress test of the memos and the grid cache.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "GridCache.h"
#include "Stat_Lib.h"

namespace {
struct Call {
    TDistKind kind;
    TDistFunc mode;
    TVector params;
    double x;
};

std::vector<Call> Calls()
{
    std::vector<Call> calls;
    for (int i = 0; i < 120; ++i) {
        const double n = 9 + (i * 37) % 4000;  // HalfGamma's memo, over and over
        const double x = 0.5 + (i % 11);
        calls.push_back({TDistKind::Chi2, TDistFunc::Density, {n}, x + n});
        calls.push_back({TDistKind::Student, TDistFunc::Density, {n}, x});
        calls.push_back({TDistKind::F, TDistFunc::Density, {n, 3 + double(i % 5)}, x / 4});
        calls.push_back({TDistKind::Chi2, TDistFunc::Distribution, {double(4 + i % 6)}, x});
        calls.push_back({TDistKind::Normal, TDistFunc::Distribution, {i * 0.25, 1.0 + i % 3}, x});
        calls.push_back({TDistKind::NormalStd, TDistFunc::Inverse, {}, (i + 0.5) / 121});
        calls.push_back({TDistKind::Student, TDistFunc::Inverse, {double(2 + i % 4)}, (i + 0.5) / 121});
    }
    return calls;
}

std::string Outcome(const Call& c)
{
    try {
        const double v = DistEval(c.kind, c.mode, c.params, c.x);
        std::string bits(sizeof v, '\0');
        std::memcpy(&bits[0], &v, sizeof v);
        return bits;
    } catch (const EMathError& e) {
        return e.what();
    }
}
}  // namespace

TEST(Concurrency, TwoThreadsOnOverlappingParametersGiveTheSingleThreadValues)
{
    const std::vector<Call> calls = Calls();
    std::vector<std::string> alone;
    for (const Call& c : calls)
        alone.push_back(Outcome(c));

    for (int round = 0; round < 2; ++round) {
        simpson::ClearGridCache();
        std::vector<std::string> forward(calls.size()), backward(calls.size());
        std::thread other([&] {
            for (std::size_t i = calls.size(); i-- > 0;)
                backward[i] = Outcome(calls[i]);
        });
        for (std::size_t i = 0; i < calls.size(); ++i)
            forward[i] = Outcome(calls[i]);
        other.join();
        for (std::size_t i = 0; i < calls.size(); ++i) {
            ASSERT_EQ(forward[i], alone[i]) << i;
            ASSERT_EQ(backward[i], alone[i]) << i;
        }
    }
}
