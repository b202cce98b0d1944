// The fitting test tried as a user would: for each kind with parameters (some
// at several parameters), samples drawn by <random> (independent of Velmora's own generators)
// of 300, 1000 and 20000 numbers, tested with 10, 20 and 100 categories, once with every
// parameter on "Auto" (EstimateParams, then ChiSquareFitTest with the degrees of freedom the
// estimates use up, as the window calls them) and once with the true parameters typed. A test
// at the 5 % level rejects a true hypothesis about 5 times in 100.
//
//   trial_fitting [samples per cell, default 300] [only the kinds whose name starts so]
//   trial_fitting --estimates: the time to estimate from 1,000,000 numbers of each kind
//   trial_fitting --own [seeds, default 100]: the program's own samples, 1,000,000 numbers of
//   Normal(10, 2) by the inverse method, tested on "Auto" with 20 categories and typed with 37
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "BulkGeneration.h"
#include "SimpleRandomLib.h"
#include "Fit_Lib.h"
#include "TrialKinds.h"

namespace {
using namespace trial;

constexpr int Sizes[] = {300, 1000, 20000};
constexpr int Categories[] = {10, 20, 100};
constexpr int Modes = 2;  // 0: all on "Auto", 1: the true parameters typed

// Rejections and runs that could not complete (a refused estimate, fewer than 1 degree of
// freedom, a floating-point fault) of one cell.
struct Cell {
    int rejected = 0, failed = 0;
};
using Row = Cell[std::size(Categories)][Modes];

// Tests one sample with every category count, on "Auto" and typed.
void TrySample(const Kind& k, const TVector& sample, Row& row)
{
    const int n = ParamCount(k.kind);
    TParamSet all;
    for (int i = 0; i < n; ++i)
        all.set(i);
    TVector estimated = k.params;
    bool estimable = false;
    try {
        estimable = EstimateParams(k.kind, sample, estimated, all);
    } catch (const std::exception&) {
    }
    for (int mode = 0; mode < Modes; ++mode)
        for (std::size_t c = 0; c < std::size(Categories); ++c) {
            Cell& cell = row[c][mode];
            if (mode == 0 && !estimable) {
                ++cell.failed;
                continue;
            }
            try {
                TVector refitted = estimated;
                if (mode == 0 && !RefitToCategories(sample, k.kind, refitted, all, Categories[c])) {
                    ++cell.failed;
                    continue;
                }
                const TFitResult r =
                    mode == 0 ? ChiSquareFitTest(sample, k.kind, refitted, DistFreedomUsed(k.kind, all),
                                                 Categories[c])
                              : ChiSquareFitTest(sample, k.kind, k.params, 0, Categories[c]);
                if (r.fatal)
                    ++cell.failed;
                else
                    cell.rejected += r.rejected;
            } catch (const std::exception&) {
                ++cell.failed;
            }
        }
}

std::string Shown(const Cell& c, int samples)
{
    char text[48];
    const int ran = samples - c.failed;
    std::snprintf(text, sizeof text, "%.1f", ran ? 100.0 * c.rejected / ran : 0.0);
    std::string s = text;
    if (c.failed)
        s += " (" + std::to_string(c.failed) + " not run)";
    return s;
}

int Trial(int samples, const std::string& only)
{
    std::vector<Kind> kinds;
    for (const Kind& k : Kinds())
        if (std::string(k.name).rfind(only, 0) == 0)
            kinds.push_back(k);
    std::vector<Row> rows(kinds.size() * std::size(Sizes));
    // Two workers, each a share of the rows; every row has its own seed.
    const auto work = [&](std::size_t first) {
        for (std::size_t r = first; r < rows.size(); r += 2) {
            const Kind& k = kinds[r / std::size(Sizes)];
            const int size = Sizes[r % std::size(Sizes)];
            std::mt19937_64 g(20261209 + r);
            TVector sample(size);
            for (int s = 0; s < samples; ++s) {
                for (double& x : sample)
                    x = k.draw(g);
                TrySample(k, sample, rows[r]);
            }
        }
    };
    std::thread other(work, 1);
    work(0);
    other.join();

    std::printf("Rejected of %d samples at the 5 %% level, in %%: all on \"Auto\" / the true "
                "parameters typed\n\n",
                samples);
    std::printf("| true sample | n | k = 10 | k = 20 | k = 100 |\n|---|---|---|---|---|\n");
    Cell pooled[Modes];
    int pooledRuns[Modes] = {0, 0};
    double worst[Modes] = {0, 0};
    for (std::size_t r = 0; r < rows.size(); ++r) {
        std::printf("| %s | %d |", kinds[r / std::size(Sizes)].name, Sizes[r % std::size(Sizes)]);
        for (std::size_t c = 0; c < std::size(Categories); ++c) {
            std::printf(" %s / %s |", Shown(rows[r][c][0], samples).c_str(),
                        Shown(rows[r][c][1], samples).c_str());
            for (int m = 0; m < Modes; ++m) {
                const Cell& cell = rows[r][c][m];
                const int ran = samples - cell.failed;
                if (ran)
                    worst[m] = std::max(worst[m], 100.0 * cell.rejected / ran);
                if (Categories[c] == 20) {
                    pooled[m].rejected += cell.rejected;
                    pooledRuns[m] += ran;
                }
            }
        }
        std::printf("\n");
    }
    for (int m = 0; m < Modes; ++m)
        std::printf("\n%s: pooled at k = 20 %.2f %% of %d runs; largest cell %.1f %%",
                    m == 0 ? "All on \"Auto\"" : "Typed", 100.0 * pooled[m].rejected / pooledRuns[m],
                    pooledRuns[m], worst[m]);
    std::printf("\n");
    return 0;
}

// The time to estimate every parameter of each kind from 1,000,000 of its numbers.
int TimeEstimates()
{
    std::printf("| kind | estimates | time |\n|---|---|---|\n");
    for (const Kind& k : Kinds()) {
        std::mt19937_64 g(7);
        TVector sample(1000000);
        for (double& x : sample)
            x = k.draw(g);
        TVector params = k.params;
        TParamSet all;
        for (int i = 0; i < ParamCount(k.kind); ++i)
            all.set(i);
        const auto start = std::chrono::steady_clock::now();
        const bool done = EstimateParams(k.kind, sample, params, all);
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::string shown;
        for (double p : params)
            shown += (shown.empty() ? "" : ", ") + std::to_string(p);
        std::printf("| %s | %s | %.0f ms |\n", k.name, done ? shown.c_str() : "refused", ms);
    }
    return 0;
}
// The program's own samples: how often the test rejects them, over many seeds.
int OwnSamples(int seeds)
{
    const TVector truth{10, 2};
    TParamSet both;
    both.set(0);
    both.set(1);
    int rejected[2] = {0, 0};
    double smallest[2] = {1, 1};
    std::printf("| seed | alpha, Auto, k = 20 | alpha, typed, k = 37 |\n|---|---|---|\n");
    for (int seed = 1; seed <= seeds; ++seed) {
        SeedRandom(static_cast<std::uint32_t>(seed));
        TBulkGeneration generation(TGenMethod::Inverse, TDistKind::Normal, truth, 1000000);
        generation.Run();
        const TVector& sample = generation.Result();
        TVector estimated = truth;
        EstimateParams(TDistKind::Normal, sample, estimated, both);
        RefitToCategories(sample, TDistKind::Normal, estimated, both, 20);
        const TFitResult runs[2] = {ChiSquareFitTest(sample, TDistKind::Normal, estimated, 2, 20),
                                    ChiSquareFitTest(sample, TDistKind::Normal, truth, 0, 37)};
        for (int i = 0; i < 2; ++i) {
            rejected[i] += runs[i].rejected;
            smallest[i] = std::min(smallest[i], runs[i].alpha);
        }
        std::printf("| %d | %.4g | %.4g |\n", seed, runs[0].alpha, runs[1].alpha);
        std::fflush(stdout);
    }
    std::printf("\nRejected at 5 %%: Auto %d of %d (smallest alpha %.3g), typed %d of %d (smallest "
                "alpha %.3g)\n",
                rejected[0], seeds, smallest[0], rejected[1], seeds, smallest[1]);
    return 0;
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--own") == 0)
        return OwnSamples(argc > 2 ? std::max(1, std::atoi(argv[2])) : 100);
    if (argc > 1 && std::strcmp(argv[1], "--estimates") == 0)
        return TimeEstimates();
    return Trial(argc > 1 ? std::max(1, std::atoi(argv[1])) : 300, argc > 2 ? argv[2] : "");
}
