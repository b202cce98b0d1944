// Every kind and mode over a grid of extreme finite inputs (parameters and x from 1e-300 to
// 1e300, degrees of freedom up to 2^31 - 1 and beyond), each call cold: the worst time per
// kind, and every call above the threshold (seconds, the first argument; 0.5 by default). A
// call that runs past a minute is reported as it runs.
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "GridCache.h"
#include "Stat_Lib.h"

namespace {
using Clock = std::chrono::steady_clock;

std::atomic<long long> StartedAt{0};  // ns since the epoch of Clock; 0: no call running
std::string Current;

long long Now()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(Clock::now().time_since_epoch())
        .count();
}

std::string Describe(TDistKind kind, TDistFunc mode, const TVector& params, double x)
{
    std::string s = DistKindName[KindIndex(kind)];
    s += mode == TDistFunc::Density ? " density" : mode == TDistFunc::Distribution ? " cdf" : " inverse";
    char buffer[64];
    for (double p : params) {
        std::snprintf(buffer, sizeof buffer, " %.17g", p);
        s += buffer;
    }
    std::snprintf(buffer, sizeof buffer, " at %.17g", x);
    return s + buffer;
}
}  // namespace

int main(int argc, char** argv)
{
    const double threshold = argc > 1 ? std::atof(argv[1]) : 0.5;
    std::thread([] {
        long long reported = 0;
        for (;;) {
            std::this_thread::sleep_for(std::chrono::seconds(5));
            const long long started = StartedAt.load();
            if (started && started != reported && Now() - started > 60'000'000'000LL) {
                std::fprintf(stderr, "still running after a minute: %s\n", Current.c_str());
                reported = started;
            }
        }
    }).detach();

    const std::vector<double> values = {-1e300, -1, 1e-300, 1e-6, 1, 1e6, 1e300};
    const std::vector<double> degrees = {-5, 1, 2, 3, 30, 1023, 1024, 5000, 1e6, 2147483647, 3e9};
    const std::vector<double> xs = {-1e300, -1e6, -3, 0, 1e-300, 0.5, 3, 45, 5000, 1e6, 1e300};
    const std::vector<double> ps = {1e-300, 1e-9, 0.3, 0.5, 0.9, 1 - 1e-9, 0.9999999999999999};

    std::printf("%-12s %8s %12s  %s\n", "kind", "calls", "worst (s)", "worst input");
    for (int k = 0; k < DistKindCount; ++k) {
        const auto kind = static_cast<TDistKind>(k);
        const bool whole = kind == TDistKind::Chi2 || kind == TDistKind::Student || kind == TDistKind::F;
        const std::vector<double>& grid = whole ? degrees : values;
        std::vector<TVector> sets = {{}};
        for (int i = 0; i < ParamCount(kind); ++i) {
            std::vector<TVector> longer;
            for (const TVector& s : sets)
                for (double v : grid) {
                    TVector t = s;
                    t.push_back(v);
                    longer.push_back(t);
                }
            sets = longer;
        }
        double worst = 0;
        std::string worstInput;
        long calls = 0;
        for (const TVector& params : sets) {
            for (int m = 0; m < DistFuncCount; ++m) {
                const auto mode = static_cast<TDistFunc>(m);
                for (double x : mode == TDistFunc::Inverse ? ps : xs) {
                    simpson::ClearGridCache();
                    Current = Describe(kind, mode, params, x);
                    const long long start = Now();
                    StartedAt = start;
                    try {
                        DistEval(kind, mode, params, x);
                    } catch (const EMathError&) {
                    }
                    StartedAt = 0;
                    const double seconds = (Now() - start) * 1e-9;
                    ++calls;
                    if (seconds > worst) {
                        worst = seconds;
                        worstInput = Current;
                    }
                    if (seconds > threshold)
                        std::printf("  %.3f s  %s\n", seconds, Current.c_str());
                }
            }
        }
        std::printf("%-12s %8ld %12.3f  %s\n", DistKindName[KindIndex(kind)], calls, worst,
                    worstInput.c_str());
        std::fflush(stdout);
    }
    return 0;
}
