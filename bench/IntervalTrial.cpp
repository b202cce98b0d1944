// The intervals of the fitting tab tried on samples of known laws, drawn by <random>: how
// often each 95 % interval holds the true value, beside the Wald interval (the estimate plus
// and minus 1.96 standard errors) on the same samples.
//
//   trial_intervals [samples, default 400] [kind, default every one] [n...]
//
// For each kind (those whose name starts with `kind`, or "all") and each n (default 30, 200
// and 2000), `samples` samples from the seed 20261209, every parameter on "Auto" with the tab's
// estimates; also the 10 % quantile of the Weibull laws. A coverage of 95 % is 95 +- 2.2
// within twice the trial's noise at 400 samples.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "Fit_Lib.h"
#include "TrialKinds.h"

namespace {
using namespace trial;


// The laws of the trial: those a user fits and the shapes that test the profile most.
std::vector<Kind> TrialLaws()
{
    std::vector<Kind> laws;
    for (const Kind& k : Kinds())
        for (const char* name : {"Normal(10, 2)", "LogNormal(2, 1)", "Exponential(2)", "Weibull(1.5, 3)",
                                 "Beta(2, 5)", "Logistic(0, 1)", "Rayleigh(1)", "Cauchy(3, 2)",
                                 "ExtrValue(5, 2, 0.2)", "Gamma(2.5, 1.5)", "Weibull3(2.5, 2, 10)",
                                 "LogNormal3(0, 0.5, 5)", "Gamma3(2.5, 1.5, 10)", "Exponential2(1, 5)",
                                 "LogLogistic(2, 3)", "GenPareto(0, 1, 0.2)", "InvGauss(1, 2)",
                                 "Laplace(0, 1)", "GumbelMin(0, 1)"})
            if (std::strcmp(k.name, name) == 0)
                laws.push_back(k);
    return laws;
}

struct Count {
    int held = 0, wald = 0, formed = 0;
};
}  // namespace

int main(int argc, char** argv)
{
    const int samples = argc > 1 ? std::atoi(argv[1]) : 400;
    const std::string only = argc > 2 ? argv[2] : "all";
    std::vector<std::size_t> sizes;
    for (int a = 3; a < argc; ++a)
        sizes.push_back(std::strtoul(argv[a], nullptr, 10));
    if (sizes.empty())
        sizes = {30, 200, 2000};
    std::printf("%-22s %6s %-8s %-28s %8s %8s %8s %9s\n", "law", "n", "param", "method",
                "covers %", "Wald %", "formed", "seconds");
    for (const Kind& law : TrialLaws()) {
        if (only != "all" && std::string(law.name).rfind(only, 0) != 0)
            continue;
        const int count = ParamCount(law.kind);
        const bool quantile = law.kind == TDistKind::Weibull || law.kind == TDistKind::Weibull3;
        const double trueQuantile = quantile ? DistEval(law.kind, TDistFunc::Inverse, law.params, 0.1) : 0;
        for (std::size_t n : sizes) {
            std::mt19937_64 g(20261209 + n);
            std::vector<Count> counts(count + 1);
            std::vector<std::string> methods(count + 1);
            const auto start = std::chrono::steady_clock::now();
            for (int s = 0; s < samples; ++s) {
                TVector x(n);
                for (double& v : x)
                    v = law.draw(g);
                TVector est(count, 1);
                if (!EstimateParams(law.kind, x, est, AllParams(law.kind)))
                    continue;
                try {
                    std::vector<TIntervalMethod> how;
                    const auto iv = ParamIntervals(law.kind, x, est, AllParams(law.kind), 0.95, &how);
                    const auto wald = WaldIntervals(law.kind, x, est, AllParams(law.kind));
                    for (int i = 0; i < count; ++i) {
                        ++counts[i].formed;
                        counts[i].held += iv[i].lower <= law.params[i] && law.params[i] <= iv[i].upper;
                        counts[i].wald += wald[i].lower <= law.params[i] && law.params[i] <= wald[i].upper;
                        methods[i] = IntervalMethodName(how[i]);
                    }
                    if (quantile) {
                        TIntervalMethod qm;
                        const TParamInterval q = QuantileInterval(law.kind, x, est, AllParams(law.kind), 0.1, 0.95, &qm);
                        const double z = 1.959963984540054;
                        ++counts[count].formed;
                        counts[count].held += q.lower <= trueQuantile && trueQuantile <= q.upper;
                        counts[count].wald += q.estimate - z * q.se <= trueQuantile &&
                                              trueQuantile <= q.estimate + z * q.se;
                        methods[count] = IntervalMethodName(qm);
                    }
                } catch (const std::exception&) {
                    // not formed: counted by `formed`
                }
            }
            const double seconds =
                std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            for (int i = 0; i <= count; ++i) {
                if (i == count && !quantile)
                    continue;
                std::string name = "Q(0.1)";
                if (i < count)
                    DistParamName(law.kind, i, name);
                const Count& c = counts[i];
                std::printf("%-22s %6zu %-8s %-28s %8.1f %8.1f %5d/%d %9.1f\n", law.name, n,
                            name.c_str(), methods[i].c_str(), 100.0 * c.held / std::max(1, c.formed),
                            100.0 * c.wald / std::max(1, c.formed), c.formed, samples, seconds);
            }
            std::fflush(stdout);
        }
    }
}
