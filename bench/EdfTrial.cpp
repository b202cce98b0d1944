// The Anderson-Darling and Kolmogorov-Smirnov tests tried as a user would, on samples drawn by
// <random> (independent of Velmora's generators):
//
//   trial_edf level [samples, default 300] [n, default 100] [replicates, default 199] [kind]
//       how often each test rejects a true hypothesis at 5 %, every parameter on "Auto" and
//       every parameter typed, for one parameter set of each kind (or of the kinds whose name
//       starts with `kind`), from the seed given last (default 20261209);
//   trial_edf power [samples, default 300] [replicates, default 199]
//       how often they reject the alternatives of the chi-square's weak cases, n = 100;
//   trial_edf ranking [samples, default 20] [n, default 1000] [kind]
//       how often the ranking puts the true kind first, or within 2 of the least AIC (for the
//       laws whose name starts with `kind`).
//
// The bootstrap's p-value (1 + c) / (1 + B) holds its level for any number of replicates B, so
// the level is measured with fewer replicates than the window's 1000; the power is a little
// lower with them.
#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>
#include <string>

#include "Fit_Lib.h"
#include "TrialKinds.h"

namespace {
using namespace trial;


TVector Sample(Draw draw, std::size_t n, std::mt19937_64& g)
{
    TVector x(n);
    for (double& v : x)
        v = draw(g);
    return x;
}

struct Rates {
    int ad = 0, ks = 0, runs = 0, failed = 0;
    void Print(const char* what) const
    {
        std::printf("  %-8s AD %5.1f %%  KS %5.1f %%  (%d runs, %d not run)\n", what,
                    runs ? 100.0 * ad / runs : 0.0, runs ? 100.0 * ks / runs : 0.0, runs, failed);
    }
};

// One test of a sample against kind: on "Auto" (estimated from the sample) or typed.
void TestOnce(const TVector& x, TDistKind kind, const TVector& typed, bool estimate,
              int replicates, std::uint64_t seed, Rates& rates)
{
    TVector params = typed;
    TParamSet which;
    try {
        if (estimate) {
            which = AllParams(kind);
            if (!EstimateParams(kind, x, params, which)) {
                ++rates.failed;
                return;
            }
        }
        TEdfTest test(x, kind, params, which, seed, replicates);
        const TEdfResult r = test.Result();
        ++rates.runs;
        rates.ad += r.pAD < 0.05;
        rates.ks += r.pKS < 0.05;
    } catch (const std::exception&) {
        ++rates.failed;
    }
}

void Level(int samples, std::size_t n, int replicates, const std::string& only, unsigned seed)
{
    std::printf("Level at 5 %%, n = %zu, %d samples, %d replicates\n", n, samples, replicates);
    TDistKind last = TDistKind::UniformStd;
    for (const Kind& k : Kinds()) {
        if (k.kind == last || std::string(k.name).rfind(only, 0) != 0)
            continue;  // one parameter set of each kind
        last = k.kind;
        std::mt19937_64 g(seed + KindIndex(k.kind));
        Rates automatic, typed;
        for (int s = 0; s < samples; ++s) {
            const TVector x = Sample(k.draw, n, g);
            TestOnce(x, k.kind, k.params, true, replicates, g(), automatic);
            TestOnce(x, k.kind, k.params, false, replicates, g(), typed);
        }
        std::printf("%s\n", k.name);
        automatic.Print("Auto");
        typed.Print("typed");
        std::fflush(stdout);
    }
}

void Power(int samples, int replicates)
{
    struct Alternative {
        const char* name;
        Draw draw;
        TDistKind as;
    };
    const Alternative alternatives[] = {
        {"Student(5), as Normal", From(std::student_t_distribution<double>(5)), TDistKind::Normal},
        {"LogNormal(0, 0.25), as Normal", From(std::lognormal_distribution<double>(0, 0.25)),
         TDistKind::Normal},
        {"Chi2(10), as Normal", From(std::chi_squared_distribution<double>(10)), TDistKind::Normal},
        {"Weibull(1.5, 1), as Rayleigh", From(std::weibull_distribution<double>(1.5, 1)),
         TDistKind::Rayleigh},
    };
    std::printf("Power at 5 %%, n = 100, parameters on \"Auto\", %d samples, %d replicates\n",
                samples, replicates);
    for (const Alternative& a : alternatives) {
        std::mt19937_64 g(7);
        Rates rates;
        for (int s = 0; s < samples; ++s)
            TestOnce(Sample(a.draw, 100, g), a.as, TVector(ParamCount(a.as)), true, replicates,
                     g(), rates);
        std::printf("%s\n", a.name);
        rates.Print("Auto");
        std::fflush(stdout);
    }
}

void Ranking(int samples, std::size_t n, const std::string& only)
{
    std::printf("Ranking, n = %zu, %d samples a kind: the true kind first / within 2 AIC\n", n,
                samples);
    for (const Kind& k : Kinds()) {
        if (std::string(k.name).rfind(only, 0) != 0)
            continue;
        std::mt19937_64 g(99 + KindIndex(k.kind));
        int first = 0, near = 0;
        for (int s = 0; s < samples; ++s) {
            TKindRanking ranking(Sample(k.draw, n, g), 20, 1);
            const std::vector<TKindFit> fits = ranking.Result();
            for (std::size_t i = 0; i < fits.size(); ++i)
                if (fits[i].kind == k.kind && fits[i].fitted) {
                    first += i == 0;
                    near += fits[i].aic <= fits[0].aic + 2;
                }
        }
        std::printf("  %-22s first %3d / %d, within 2 AIC %3d / %d\n", k.name, first, samples,
                    near, samples);
        std::fflush(stdout);
    }
}
}  // namespace

int main(int argc, char** argv)
{
    const auto arg = [&](int i, long fallback) { return argc > i ? std::atol(argv[i]) : fallback; };
    const std::string what = argc > 1 ? argv[1] : "level";
    if (what == "power")
        Power(static_cast<int>(arg(2, 300)), static_cast<int>(arg(3, 199)));
    else if (what == "ranking")
        Ranking(static_cast<int>(arg(2, 20)), static_cast<std::size_t>(arg(3, 1000)),
                argc > 4 ? argv[4] : "");
    else
        Level(static_cast<int>(arg(2, 300)), static_cast<std::size_t>(arg(3, 100)),
              static_cast<int>(arg(4, 199)), argc > 5 ? argv[5] : "",
              static_cast<unsigned>(arg(6, 20261209)));
    return 0;
}
