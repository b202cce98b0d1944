// Samples follow their distribution into the tails: for every kind, 1,000,000 numbers by the
// inverse method (as the generation dialog forms them) and by the enhanced inverse, each
// tested against its distribution by Kolmogorov and Smirnov's statistic, with fixed seeds. A
// program of its own (about a minute): CTest runs it, and by hand
//
//   sample_tails [--count N] [--kind K]
//
// prints the statistic and its p-value per kind and method. It fails when a p-value is below
// 1e-4 (a sample that never leaves a walking limit scores about 1e-9).
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "BulkGeneration.h"
#include "ExpGenLib.h"
#include "SimpleRandomLib.h"

namespace {
struct Case {
    TDistKind kind;
    TVector params;
};

// The p-value of sqrt(n) D by Kolmogorov's limiting distribution, with Stephens's correction
// for finite n (M. A. Stephens, J. Roy. Statist. Soc. B 32 (1970), 115-122).
double KolmogorovP(double d, std::size_t n)
{
    const double rn = std::sqrt(static_cast<double>(n));
    const double t = (rn + 0.12 + 0.11 / rn) * d;
    double sum = 0;
    for (int k = 1; k <= 100; ++k)
        sum += (k % 2 ? 2 : -2) * std::exp(-2.0 * k * k * t * t);
    return std::clamp(sum, 0.0, 1.0);
}

// The largest distance between the sample's empirical distribution and the kind's.
double KolmogorovD(TVector sample, TDistKind kind, const TVector& params)
{
    std::sort(sample.begin(), sample.end());
    const double n = static_cast<double>(sample.size());
    double d = 0;
    for (std::size_t i = 0; i < sample.size(); ++i) {
        const double f = DistEval(kind, TDistFunc::Distribution, params, sample[i]);
        d = std::max({d, f - i / n, (i + 1) / n - f});
    }
    return d;
}
}  // namespace

int main(int argc, char** argv)
{
    std::size_t count = 1000000;
    int only = -1;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--count") == 0)
            count = std::strtoul(argv[i + 1], nullptr, 10);
        else if (std::strcmp(argv[i], "--kind") == 0)
            only = std::atoi(argv[i + 1]);
    }
    const Case cases[] = {
        {TDistKind::UniformStd, {}},          {TDistKind::Uniform, {-2, 5}},
        {TDistKind::NormalStd, {}},           {TDistKind::Normal, {10, 2}},
        {TDistKind::Chi2, {1}},               {TDistKind::Chi2, {4}},
        {TDistKind::Student, {1}},            {TDistKind::Student, {5}},
        {TDistKind::LogNormal, {12, 1}},      {TDistKind::LogNormal, {0, 1}},
        {TDistKind::Exponential, {1.5}},      {TDistKind::F, {5, 10}},
        {TDistKind::Cauchy, {0, 1}},          {TDistKind::Logistic, {0, 1}},
        {TDistKind::Beta, {0.5, 0.5}},        {TDistKind::Beta, {2, 5}},
        {TDistKind::Rayleigh, {1}},           {TDistKind::Weibull, {1.5, 2}},
        {TDistKind::Pareto, {1, 3}},          {TDistKind::ExtrValue, {0, 1, 0.2}},
    };
    const double Level = 1e-4;
    bool failed = false;
    std::printf("| kind | parameters | method | D | p |\n|---|---|---|---|---|\n");
    for (const Case& c : cases) {
        if (only >= 0 && KindIndex(c.kind) != only)
            continue;
        std::string params;
        for (double p : c.params) {
            char text[32];
            std::snprintf(text, sizeof text, "%s%g", params.empty() ? "" : ", ", p);
            params += text;
        }
        for (bool enhanced : {false, true}) {
            SeedRandom(20261209);
            TVector sample;
            if (enhanced) {
                sample.resize(count);
                TExpGen generator(sample, static_cast<std::int32_t>(count), c.kind, c.params);
                generator.Resume();
                generator.WaitFor();
            } else {
                TBulkGeneration bulk(TGenMethod::Inverse, c.kind, c.params, count);
                bulk.Run();
                sample.swap(bulk.Result());
            }
            const double d = KolmogorovD(sample, c.kind, c.params);
            const double p = KolmogorovP(d, count);
            std::printf("| %s | %s | %s | %.2e | %.3g |\n", DistKindName[KindIndex(c.kind)],
                        params.c_str(), enhanced ? "enhanced inverse" : "inverse", d, p);
            std::fflush(stdout);
            failed = failed || p < Level;
        }
    }
    return failed ? 1 : 0;
}
