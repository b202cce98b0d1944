// Statistical sanity of the goodness-of-fit test, as a user would judge it: for each kind that
// can be estimated, samples of 32000 numbers by the inverse method with 50 seeds, fitted with
// every parameter on "Auto" and 20 categories. A sound test rejects about 5 % of them.
#include <cstdio>

#include "BulkGeneration.h"
#include "FitRun.h"
#include "SimpleRandomLib.h"

int main()
{
    struct Kind {
        const char* name;
        TDistKind kind;
        TVector params;
    } kinds[] = {
        {"Uniform(1, 3)", TDistKind::Uniform, {1, 3}},
        {"Normal(1, 2)", TDistKind::Normal, {1, 2}},
        {"Chi2(5)", TDistKind::Chi2, {5}},
        {"Student(5)", TDistKind::Student, {5}},
        {"LogNormal(0, 0.5)", TDistKind::LogNormal, {0, 0.5}},
        {"Exponential(2)", TDistKind::Exponential, {2}},
        {"F(6, 12)", TDistKind::F, {6, 12}},
        {"Logistic(0, 1)", TDistKind::Logistic, {0, 1}},
        {"Rayleigh(1)", TDistKind::Rayleigh, {1}},
    };
    constexpr int Seeds = 50, Count = 32000, K = 20;
    std::printf("%-20s %s\n", "kind", "rejected of 50 (found alpha < 0.05)");
    for (const Kind& k : kinds) {
        int rejected = 0, failed = 0;
        for (int seed = 1; seed <= Seeds; ++seed) {
            SeedRandom(static_cast<std::uint32_t>(seed));
            TBulkGeneration sample(TGenMethod::Inverse, k.kind, k.params, Count);
            sample.Run();
            const int n = ParamCount(k.kind);
            TVector params(n);
            TParamSet all;
            for (int i = 0; i < n; ++i)
                all.set(i);
            try {
                if (!EstimateParams(k.kind, sample.Result(), params, all)) {
                    ++failed;
                    continue;
                }
                const TFitRun run = RunFitTest(sample.Result(), k.kind, params, n, K);
                if (run.df >= 1 && FoundAlpha(run.df, run.statistic.R) < 0.05)
                    ++rejected;
            } catch (const EMathError&) {
                ++failed;
            }
        }
        std::printf("%-20s %2d%s\n", k.name, rejected,
                    failed ? (" (" + std::to_string(failed) + " failed)").c_str() : "");
        std::fflush(stdout);
    }
    return 0;
}
