// The law of the Anderson-Darling statistic for small samples by simulation: how the
// small-sample table of stat/fit/AndersonDarling.cpp was made, and the check of the law the
// program uses.
//
//   trial_ad_law [replicates, default 100000000] [seed, default 20261209] n...
//
// For each n it draws `replicates` samples of n standard uniform numbers (std::mt19937_64,
// 53-bit uniforms in (0, 1), on every core), forms A2 of each, and counts how many reach each
// point of a grid of A2 (1/64 apart). It prints, at the grid points of the table (A2 from 2 in
// steps of 1/2), the simulated upper tail with its standard error, the program's
// AndersonDarlingTypedP and the limiting law (the program's at n = 10^9), and their ratios to
// the simulated tail.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <thread>
#include <vector>

#include "Fit_Lib.h"

namespace {
constexpr int BinsPerUnit = 64;
constexpr int Bins = 20 * BinsPerUnit;  // A2 up to 20; beyond, the last bin

std::vector<unsigned long long> Counts(int n, unsigned long long replicates, std::uint64_t seed)
{
    const unsigned threads = std::max(1u, std::thread::hardware_concurrency());
    std::vector<std::vector<unsigned long long>> counts(threads,
                                                        std::vector<unsigned long long>(Bins + 1));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back([&, t] {
            std::mt19937_64 g(seed + 0x9E3779B97F4A7C15ull * (t + 1) + n);
            TEdfSample sample;
            sample.lower.resize(n);
            sample.upper.resize(n);
            std::vector<double> u(n);
            for (unsigned long long r = t; r < replicates; r += threads) {
                for (double& v : u)
                    v = ((g() >> 11) + 0.5) * 0x1p-53;
                std::sort(u.begin(), u.end());
                for (int i = 0; i < n; ++i) {
                    sample.lower[i] = u[i];
                    sample.upper[i] = 1 - u[i];
                }
                const double a2 = AndersonDarlingStatistic(sample);
                const int bin = std::min(Bins, static_cast<int>(a2 * BinsPerUnit));
                ++counts[t][bin];
            }
        });
    for (std::thread& th : pool)
        th.join();
    std::vector<unsigned long long> all(Bins + 1);
    for (const auto& c : counts)
        for (int b = 0; b <= Bins; ++b)
            all[b] += c[b];
    return all;
}
}  // namespace

int main(int argc, char** argv)
{
    const unsigned long long replicates = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 100000000ull;
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 20261209ull;
    for (int a = 3; a < argc; ++a) {
        const int n = std::atoi(argv[a]);
        const std::vector<unsigned long long> counts = Counts(n, replicates, seed);
        std::printf("n = %d, %llu replicates, seed %llu\n", n, replicates,
                    static_cast<unsigned long long>(seed));
        std::printf("%6s %14s %9s %14s %9s %14s %9s\n", "A2", "simulated", "se", "program",
                    "ratio", "limit", "ratio");
        unsigned long long above = 0;
        std::vector<double> tail(Bins + 1);
        for (int b = Bins; b >= 0; --b) {
            above += counts[b];
            tail[b] = static_cast<double>(above) / replicates;
        }
        for (int b = 2 * BinsPerUnit; b < Bins; b += BinsPerUnit / 2) {
            const double z = static_cast<double>(b) / BinsPerUnit, p = tail[b];
            if (p * replicates < 100)
                break;
            const double se = std::sqrt(p * (1 - p) / replicates);
            const double program = AndersonDarlingTypedP(n, z);
            const double limit = AndersonDarlingTypedP(1000000000, z);
            std::printf("%6.2f %14.6e %9.2e %14.6e %9.4f %14.6e %9.4f\n", z, p, se / p, program,
                        program / p, limit, limit / p);
        }
        std::fflush(stdout);
    }
}
