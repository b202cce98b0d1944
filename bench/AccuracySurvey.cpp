// Accuracy survey: every row of bench/data/true_values.tsv (true values from an independent
// source, written by scripts/true_values.py with mpmath) evaluated cold, each call in a child
// process with a deadline. Reports per kind the worst relative error of densities, of both
// tails and of both quantiles (in x), where the truth is a normal double (below, a value that
// is not also below counts as wrong), the values outside [0, 1] and the slowest call.
//
//   survey_accuracy [--listed] [--kind K] [--worst N] [table]
//
// --listed evaluates the listed handlers alone (the upper tail as 1 minus the distribution,
// its inverse as the quantile of 1 - q), as DistEval did before the sound methods.
#include <algorithm>
#include <chrono>
#include <cfloat>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "StatInternal.h"

namespace {
// Modes of the table: DistEval's three, then the upper tail and its inverse.
constexpr int UpperMode = 3, UpperInverseMode = 4, Modes = 5;
const char* const ModeName[Modes] = {"density", "distribution", "quantile", "upper tail",
                                     "upper quantile"};

struct Row {
    int kind = 0, mode = 0;
    TVector params;
    double x = 0, truth = 0;
};

struct Outcome {
    double value = 0, seconds = 0;
    int status = 0;  // 0 value, 1 error thrown, 2 deadline passed or crashed
};

constexpr int DeadlineSeconds = 20;
constexpr double SlowSeconds = 0.5;  // calls slower than this are listed as they end

TDistHandler Listed(int kind, int mode)
{
    static const TDistHandler table[3][16] = {
        {UniformStdDensity, UniformDensity, NormalStdDensity, NormalDensity, Chi2Density,
         StudentDensity, LogNormalDensity, ExponentialDensity, FDensity, CauchyDensity,
         LogisticDensity, BetaDensity, RayleighDensity, WeibullDensity, ParetoDensity,
         ExtrValueDensity},
        {UniformStdDistribution, UniformDistribution, NormalStdDistribution, NormalDistribution,
         Chi2Distribution, StudentDistribution, LogNormalDistribution, ExponentialDistribution,
         FDistribution, CauchyDistribution, LogisticDistribution, BetaDistribution,
         RayleighDistribution, WeibullDistribution, ParetoDistribution, ExtrValueDistribution},
        {UniformStdInverse, UniformInverse, NormalStdInverse, NormalInverse, Chi2Inverse,
         StudentInverse, LogNormalInverse, ExponentialInverse, FInverse, CauchyInverse,
         LogisticInverse, BetaInverse, RayleighInverse, WeibullInverse, ParetoInverse,
         ExtrValueInverse}};
    return table[mode][kind];
}

double Evaluate(const Row& r, bool listed)
{
    const auto kind = static_cast<TDistKind>(r.kind);
    if (listed) {
        const auto call = [&](int mode, double x) {
            return FloatChecked([&] { return Listed(r.kind, mode)(r.params, x); });
        };
        if (r.mode == UpperMode)
            return 1 - call(1, r.x);
        if (r.mode == UpperInverseMode)
            return call(2, static_cast<double>(1 - static_cast<long double>(r.x)));
        return call(r.mode, r.x);
    }
    if (r.mode == UpperMode)
        return DistUpper(kind, r.params, r.x);
    if (r.mode == UpperInverseMode)
        return DistUpperInverse(kind, r.params, r.x);
    return DistEval(kind, static_cast<TDistFunc>(r.mode), r.params, r.x);
}

// One call in a child process: cold caches, a deadline, and a crash stays in the child.
Outcome Run(const Row& r, bool listed)
{
    int fds[2];
    if (pipe(fds) != 0)
        return {0, 0, 2};
    const auto start = std::chrono::steady_clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        alarm(DeadlineSeconds);
        Outcome o;
        try {
            o.value = Evaluate(r, listed);
        } catch (const std::exception&) {
            o.status = 1;
        }
        if (write(fds[1], &o, sizeof o) != sizeof o)
            _exit(1);
        _exit(0);
    }
    close(fds[1]);
    Outcome o{0, 0, 2};
    if (read(fds[0], &o, sizeof o) != sizeof o)
        o.status = 2;
    close(fds[0]);
    waitpid(pid, nullptr, 0);
    o.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return o;
}

// The error of a value against the truth, relative to the truth; a truth below the normal
// doubles (or 0) takes a value below them too; an infinite truth takes the same infinity.
double ErrorOf(double value, double truth)
{
    if (std::isinf(truth))
        return value == truth ? 0 : INFINITY;
    if (std::isnan(value))
        return INFINITY;
    if (std::fabs(truth) < DBL_MIN)
        return std::fabs(value) < DBL_MIN ? 0 : INFINITY;
    return std::fabs(value - truth) / std::fabs(truth);
}

struct Worst {
    double error[Modes] = {};
    std::string at[Modes];
    double slowest = 0;
    std::string slowestAt;
    int calls = 0, failed = 0, outside = 0, beyond = 0;
};

std::string Describe(const Row& r)
{
    std::ostringstream s;
    s.precision(6);
    s << "(";
    for (std::size_t i = 0; i < r.params.size(); ++i)
        s << (i ? ", " : "") << r.params[i];
    s << ") at " << r.x;
    return s.str();
}
}  // namespace

int main(int argc, char** argv)
{
    bool listed = false;
    int only = -1;  // every kind
    int worstShown = 0;
    std::string path = VELMORA_TRUE_VALUES;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--listed") == 0)
            listed = true;
        else if (std::strcmp(argv[i], "--kind") == 0 && i + 1 < argc)
            only = std::atoi(argv[++i]);
        else if (std::strcmp(argv[i], "--worst") == 0 && i + 1 < argc)
            worstShown = std::atoi(argv[++i]);
        else
            path = argv[i];
    }
    std::ifstream in(path);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        return 1;
    }
    std::vector<Row> rows;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream s(line);
        Row r;
        int count = 0;
        s >> r.kind >> r.mode >> count;
        r.params.resize(count);
        for (double& p : r.params)
            s >> p;
        std::string x, truth;
        s >> x >> truth;
        r.x = std::strtod(x.c_str(), nullptr);
        r.truth = std::strtod(truth.c_str(), nullptr);
        if (only < 0 || r.kind == only)
            rows.push_back(r);
    }

    std::vector<Worst> worst(DistKindCount);
    struct Bad {
        double error;
        std::string text;
    };
    std::vector<Bad> bad;
    const double Bar = 1e-9;
    for (const Row& r : rows) {
        const Outcome o = Run(r, listed);
        Worst& w = worst[r.kind];
        ++w.calls;
        if (o.seconds > SlowSeconds)
            std::fprintf(stderr, "%.2f s: %s %s %s\n", o.seconds, DistKindName[r.kind],
                         ModeName[r.mode], Describe(r).c_str());
        if (o.seconds > w.slowest) {
            w.slowest = o.seconds;
            w.slowestAt = std::string(ModeName[r.mode]) + " " + Describe(r);
        }
        double error = INFINITY;
        if (o.status != 0) {
            ++w.failed;
        } else {
            error = ErrorOf(o.value, r.truth);
            const bool probability = r.mode == 1 || r.mode == UpperMode;
            if (probability && !(o.value >= 0 && o.value <= 1))
                ++w.outside;
        }
        if (error > Bar) {
            ++w.beyond;
            char text[512];
            std::snprintf(text, sizeof text, "%s %s %s: %.17g, truth %.17g (%s)", DistKindName[r.kind],
                          ModeName[r.mode], Describe(r).c_str(), o.value, r.truth,
                          o.status == 0 ? "value" : o.status == 1 ? "error" : "no end");
            bad.push_back({error, text});
        }
        if (error > w.error[r.mode] || (std::isinf(error) && w.at[r.mode].empty())) {
            w.error[r.mode] = error;
            w.at[r.mode] = Describe(r);
        }
    }

    std::printf("%s: %zu calls, each cold, deadline %d s; relative errors (quantiles in x)\n\n",
                listed ? "listed methods" : "DistEval", rows.size(), DeadlineSeconds);
    std::printf("| kind | calls | density | distribution | upper tail | quantile | upper quantile | beyond 1e-9 | failed | outside [0,1] | slowest s |\n");
    std::printf("|---|---|---|---|---|---|---|---|---|---|---|\n");
    for (int k = 0; k < DistKindCount; ++k) {
        const Worst& w = worst[k];
        if (!w.calls)
            continue;
        std::printf("| %s | %d |", DistKindName[k], w.calls);
        for (int m : {0, 1, 3, 2, 4})
            std::printf(" %.1e |", w.error[m]);
        std::printf(" %d | %d | %d | %.3f |\n", w.beyond, w.failed, w.outside, w.slowest);
    }
    std::printf("\nWhere the worst values are:\n");
    for (int k = 0; k < DistKindCount; ++k) {
        const Worst& w = worst[k];
        if (!w.calls)
            continue;
        std::printf("- %s:", DistKindName[k]);
        for (int m = 0; m < Modes; ++m)
            if (!w.at[m].empty())
                std::printf(" %s %s;", ModeName[m], w.at[m].c_str());
        std::printf(" slowest %s\n", w.slowestAt.c_str());
    }
    if (worstShown > 0) {
        std::sort(bad.begin(), bad.end(), [](const Bad& a, const Bad& b) { return a.error > b.error; });
        std::printf("\nThe %d worst points beyond 1e-9:\n", worstShown);
        for (int i = 0; i < worstShown && i < static_cast<int>(bad.size()); ++i)
            std::printf("- %.1e %s\n", bad[i].error, bad[i].text.c_str());
    }
    return 0;
}
