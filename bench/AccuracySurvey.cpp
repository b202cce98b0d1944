// Accuracy survey: every row of bench/data/true_values.tsv (true values from an independent
// source, written by scripts/true_values.py) evaluated cold, each call in a child process
// with a deadline. Reports per kind the worst density error (relative, where the truth is
// above 1e-300), the worst distribution error, the worst quantile error measured in
// probability (|F(q) - F(q*)| with q* the true quantile held at the search's walking limit,
// F from Boost.Math), and the slowest call.
//
//   survey_accuracy [--listed] [--kind K] [table]
//
// --listed evaluates the listed handlers alone, as DistEval did before sound methods took
// over where the grid cannot see the density.
#include <boost/math/distributions.hpp>
#include <chrono>
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

namespace bm = boost::math;

namespace {
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
            const auto kind = static_cast<TDistKind>(r.kind);
            const auto mode = static_cast<TDistFunc>(r.mode);
            o.value = listed ? FloatChecked([&] { return Listed(r.kind, r.mode)(r.params, r.x); })
                             : DistEval(kind, mode, r.params, r.x);
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

double GevCdf(const TVector& p, double x)
{
    const long double z = (x - (long double)p[0]) / p[1], xi = p[2];
    if (xi == 0)
        return std::exp(-std::exp(-z));
    const long double s = 1 + xi * z;
    if (s <= 0)
        return xi > 0 ? 0 : 1;
    return std::exp(-std::pow(s, -1 / xi));
}

// The oracle's distribution value, for measuring quantiles in probability.
double OracleCdf(int kind, const TVector& p, double x)
{
    try {
        switch (static_cast<TDistKind>(kind)) {
        case TDistKind::UniformStd: return x <= 0 ? 0 : x >= 1 ? 1 : x;
        case TDistKind::Uniform: return x <= p[0] ? 0 : x >= p[1] ? 1 : (x - p[0]) / (p[1] - p[0]);
        case TDistKind::NormalStd: return bm::cdf(bm::normal_distribution<double>(), x);
        case TDistKind::Normal: return bm::cdf(bm::normal_distribution<double>(p[0], p[1]), x);
        case TDistKind::Chi2: return x <= 0 ? 0 : bm::cdf(bm::chi_squared_distribution<double>(p[0]), x);
        case TDistKind::Student: return bm::cdf(bm::students_t_distribution<double>(p[0]), x);
        case TDistKind::LogNormal: return x <= 0 ? 0 : bm::cdf(bm::lognormal_distribution<double>(p[0], p[1]), x);
        case TDistKind::Exponential: return x <= 0 ? 0 : bm::cdf(bm::exponential_distribution<double>(p[0]), x);
        case TDistKind::F: return x <= 0 ? 0 : bm::cdf(bm::fisher_f_distribution<double>(p[0], p[1]), x);
        case TDistKind::Cauchy: return bm::cdf(bm::cauchy_distribution<double>(p[0], p[1]), x);
        case TDistKind::Logistic: return bm::cdf(bm::logistic_distribution<double>(p[0], p[1]), x);
        case TDistKind::Beta: return x <= 0 ? 0 : x >= 1 ? 1 : bm::cdf(bm::beta_distribution<double>(p[0], p[1]), x);
        case TDistKind::Rayleigh: return x <= 0 ? 0 : bm::cdf(bm::rayleigh_distribution<double>(p[0]), x);
        case TDistKind::Weibull: return x <= 0 ? 0 : bm::cdf(bm::weibull_distribution<double>(p[0], p[1]), x);
        case TDistKind::Pareto: return x <= p[0] ? 0 : bm::cdf(bm::pareto_distribution<double>(p[0], p[1]), x);
        case TDistKind::ExtrValue: return GevCdf(p, x);
        }
    } catch (const std::exception&) {
    }
    return NAN;
}

// The true quantile held at the walking limit of the kind's search, as the listed method
// describes it.
double Held(int kind, const TVector& p, double q)
{
    const double step = 0x1p-10;
    const double LogNormalLimit = 100000, FCap = 50 - step;
    const auto CauchySearchLimit = [](double a) {
        const long double limit = 100 * (long double)a + 100;
        return double(limit > a ? limit : a + 100 * (1 + std::fabs((long double)a)));
    };
    auto within = [&](double lo, double hi) { return q < lo ? lo : q > hi ? hi : q; };
    switch (static_cast<TDistKind>(kind)) {
    case TDistKind::NormalStd: return within(-25 + step, 25 - step);
    case TDistKind::Student: return within(-50 + step, 50 - step);
    case TDistKind::Chi2: return p[0] <= 3 ? within(step, 300 - step) : within(0, 1e6 - step);
    case TDistKind::LogNormal: return within(0, LogNormalLimit - step);
    case TDistKind::F: return within(0, FCap);
    case TDistKind::Beta: return p[0] >= 1 && p[1] >= 1 ? within(0, 1 - step) : q;
    case TDistKind::Cauchy: {
        const double end = CauchySearchLimit(p[0]) - step;
        return within(2 * p[0] - end, end);
    }
    default: return q;
    }
}

struct Worst {
    double density = 0, distribution = 0, quantile = 0, slowest = 0;
    int calls = 0, failed = 0, outside = 0;
    std::string densityAt, distributionAt, quantileAt, slowestAt;
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
    std::string path = VELMORA_TRUE_VALUES;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--listed") == 0)
            listed = true;
        else if (std::strcmp(argv[i], "--kind") == 0 && i + 1 < argc)
            only = std::atoi(argv[++i]);
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
        s >> r.x >> r.truth;
        if (only < 0 || r.kind == only)
            rows.push_back(r);
    }

    std::vector<Worst> worst(DistKindCount);
    for (const Row& r : rows) {
        const Outcome o = Run(r, listed);
        Worst& w = worst[r.kind];
        ++w.calls;
        if (o.seconds > SlowSeconds)
            std::fprintf(stderr, "%.2f s: %s %s %s\n", o.seconds, DistKindName[r.kind],
                         DistFuncName[r.mode], Describe(r).c_str());
        if (o.seconds > w.slowest) {
            w.slowest = o.seconds;
            w.slowestAt = std::string(DistFuncName[r.mode]) + " " + Describe(r);
        }
        double error = 0;
        if (o.status != 0) {
            ++w.failed;
            error = INFINITY;
        } else if (r.mode == 0) {
            if (r.truth > 1e-300)
                error = std::fabs(o.value - r.truth) / r.truth;
        } else if (r.mode == 1) {
            error = std::fabs(o.value - r.truth);
            if (o.value < 0 || o.value > 1)
                ++w.outside;
        } else {
            const double target = Held(r.kind, r.params, r.truth);
            error = std::fabs(OracleCdf(r.kind, r.params, o.value) -
                              OracleCdf(r.kind, r.params, target));
            if (std::isnan(error))
                error = 0;  // the oracle cannot tell
        }
        double* slot = r.mode == 0 ? &w.density : r.mode == 1 ? &w.distribution : &w.quantile;
        std::string* at = r.mode == 0 ? &w.densityAt : r.mode == 1 ? &w.distributionAt : &w.quantileAt;
        if (error > *slot || (std::isinf(error) && at->empty())) {
            *slot = error;
            *at = Describe(r);
        }
    }

    std::printf("%s: %zu calls, each cold, deadline %d s\n\n", listed ? "listed methods" : "DistEval",
                rows.size(), DeadlineSeconds);
    std::printf("| kind | calls | density (rel.) | distribution | quantile (prob.) | failed | outside [0,1] | slowest s |\n");
    std::printf("|---|---|---|---|---|---|---|---|\n");
    for (int k = 0; k < DistKindCount; ++k) {
        const Worst& w = worst[k];
        if (!w.calls)
            continue;
        std::printf("| %s | %d | %.1e | %.1e | %.1e | %d | %d | %.3f |\n", DistKindName[k], w.calls,
                    w.density, w.distribution, w.quantile, w.failed, w.outside, w.slowest);
    }
    std::printf("\nWhere the worst values are:\n");
    for (int k = 0; k < DistKindCount; ++k) {
        const Worst& w = worst[k];
        if (!w.calls)
            continue;
        std::printf("- %s: density %s; distribution %s; quantile %s; slowest %s\n", DistKindName[k],
                    w.densityAt.c_str(), w.distributionAt.c_str(), w.quantileAt.c_str(),
                    w.slowestAt.c_str());
    }
    return 0;
}
