// The Anderson-Darling and Kolmogorov-Smirnov tests of one hypothesis: the sample's
// probabilities on all threads, then the exact laws or the parametric bootstrap.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdio>
#include <exception>
#include <functional>
#include <random>
#include <thread>
#include <utility>
#include <vector>

#include "Bootstrap.h"
#include "Family.h"
#include "NumberFormat.h"

namespace {
// The probabilities of a replicate under its own estimates: the kind's sound functions, which
// need no grid for parameters that change with every replicate. They agree with DistEval's
// values within 1e-9 relative, which moves no statistic by more than a few times that. Only
// the smaller tail is formed, the side of the median each value lies on telling which: the
// other, at least 1/2, is 1 minus it within half a unit of its last digit.
TEdfSample ReplicateProbabilities(TVector& sorted, const TFamily& family, const TVector& params,
                                  const TParamSet& estimated)
{
    std::size_t first = 0;
    TEdfSample sample = EdfSampleFor(sorted, family.kind, params, estimated, first);
    const std::size_t kept = sample.lower.size();
    FloatScope scope;
    const double median = family.sound.inverse(params, 0.5);
    for (std::size_t i = 0; i < kept; ++i) {
        const double x = sorted[first + i];
        if (x <= median) {
            sample.lower[i] = family.sound.distribution(params, x);
            sample.upper[i] = 1 - sample.lower[i];
        } else {
            sample.upper[i] = family.sound.upper(params, x);
            sample.lower[i] = 1 - sample.upper[i];
        }
    }
    scope.Close();
    return sample;
}

bool AnyEstimated(TDistKind kind, const TParamSet& estimated)
{
    for (int i = 0; i < ParamCount(kind); ++i)
        if (estimated[i])
            return true;
    return false;
}
}  // namespace

struct TEdfTest::TState {
    TVector data;
    TDistKind kind;
    TVector params;
    TParamSet estimated;
    std::uint64_t seed;
    int replicates;
    unsigned threads;
    int exceedances;  // h of a sequential bootstrap; 0: none
    std::atomic<bool> stop{false}, done{false};
    std::atomic<std::size_t> evaluated{0}, replicated{0};
    double work = 1;  // evaluations in all, the bootstrap's included
    std::size_t size = 0;
    TEdfResult result;
    TVector sorted;  // the sample in ascending order
    std::exception_ptr error;
    std::thread runner;

    void Run();
    // The statistics of one replicate, compared as the sample's are; false if it refuses.
    bool Replicate(std::size_t r, double& ad, double& ks) const;
};

TEdfTest::TEdfTest(const TVector& data, TDistKind kind, const TVector& params,
                   const TParamSet& estimated, std::uint64_t seed, int replicates,
                   unsigned threads, int exceedances)
    : state_(new TState)
{
    CheckKindAndParams(kind, params);
    TState& s = *state_;
    s.data = data;
    s.kind = kind;
    s.params = params;
    s.estimated = estimated;
    s.seed = seed;
    s.replicates = AnyEstimated(kind, estimated) ? std::max(replicates, 1) : 0;
    s.threads = threads ? threads : Cores();
    s.exceedances = std::max(exceedances, 0);
    s.size = std::min(data.size(), LargestReplicate);
    s.work = double(data.size()) + 3.0 * s.replicates * s.size + 1;
    s.runner = std::thread([&s] { s.Run(); });
}

TEdfTest::~TEdfTest()
{
    Cancel();
    if (state_->runner.joinable())
        state_->runner.join();
}

bool TEdfTest::Done() const { return state_->done; }

double TEdfTest::Progress() const
{
    const TState& s = *state_;
    return std::min(1.0, (s.evaluated + 3.0 * s.replicated * s.size) / s.work);
}

void TEdfTest::Cancel() { state_->stop = true; }

TEdfResult TEdfTest::Result()
{
    TState& s = *state_;
    if (s.runner.joinable())
        s.runner.join();
    if (s.error)
        std::rethrow_exception(s.error);
    return s.result;
}

TVector TEdfTest::TakeSorted()
{
    Result();
    return std::move(state_->sorted);
}

void TEdfTest::TState::Run()
{
    // The sample's probabilities, in chunks over the threads (the parameters were checked
    // when the test was made).
    sorted = data;
    std::size_t first = 0;
    TEdfSample sample = EdfSampleFor(sorted, kind, params, estimated, first);
    const std::size_t kept = sample.lower.size();
    constexpr std::size_t Chunk = 4096;
    ParallelFor((kept + Chunk - 1) / Chunk, threads, stop, [&](std::size_t c) {
        const std::size_t from = first + c * Chunk, to = std::min(first + kept, from + Chunk);
        EdfProbabilities(sorted, from, to, kind, params, sample, from - first);
        evaluated += to - from;
    }, error);
    if (error || stop) {
        done = true;
        return;
    }
    result.n = kept;
    result.AD = AndersonDarlingStatistic(sample);
    result.KS = KolmogorovSmirnovStatistic(sample);
    if (replicates == 0) {
        result.pAD = AndersonDarlingTypedP(kept, result.AD);
        result.pKS = KolmogorovSmirnovTypedP(kept, result.KS);
        result.bandKS = KolmogorovSmirnovPoint(kept, 0.05) * std::sqrt(double(kept));
        done = true;
        return;
    }
    // The bootstrap: each replicate's statistics against the sample's. Replicates whose
    // estimation refuses are drawn again under new numbers, in rounds, until `replicates` are
    // formed (at most twice as many drawn): the rounds depend on the counts alone, so the result
    // does not depend on the threads. A sequential bootstrap draws its rounds in blocks and
    // counts its replicates in their order, each statistic up to its h-th as far.
    const double ks = result.KS * std::sqrt(double(kept));
    int used = 0, adFar = 0, ksFar = 0;
    std::size_t drawn = 0;
    std::vector<double> ksOfReplicates;
    std::exception_ptr ignored;
    const auto decided = [&] { return exceedances > 0 && result.sequentialAD && result.sequentialKS; };
    const std::size_t block = std::max<std::size_t>(64, 16 * threads);
    while (used < replicates && drawn < 2 * static_cast<std::size_t>(replicates) && !decided()) {
        std::size_t round = replicates - used;
        if (exceedances > 0)
            round = std::min(round, block);
        std::vector<signed char> farAD(round, -1), farKS(round, -1);
        std::vector<double> ksOfRound(round);
        ParallelFor(round, threads, stop, [&](std::size_t r) {
            double a = 0, k = 0;
            if (Replicate(drawn + r, a, k)) {
                farAD[r] = a >= result.AD;
                farKS[r] = k >= ks;
                ksOfRound[r] = k;
            }
            ++replicated;
        }, ignored);
        if (stop) {
            done = true;
            return;
        }
        std::size_t r = 0;
        for (; r < round && !decided(); ++r)
            if (farAD[r] >= 0) {
                ++used;
                ksOfReplicates.push_back(ksOfRound[r]);
                if (!result.sequentialAD && (adFar += farAD[r]) == exceedances && exceedances > 0)
                    result.sequentialAD = used;
                if (!result.sequentialKS && (ksFar += farKS[r]) == exceedances && exceedances > 0)
                    result.sequentialKS = used;
            }
        drawn += r;
    }
    result.replicates = used;
    result.redrawn = static_cast<int>(drawn) - used;
    if (!ksOfReplicates.empty()) {
        std::sort(ksOfReplicates.begin(), ksOfReplicates.end());
        const std::size_t at = std::min(ksOfReplicates.size() - 1,
                                        static_cast<std::size_t>(0.95 * (ksOfReplicates.size() + 1)));
        result.bandKS = ksOfReplicates[at];
    }
    result.replicateSize = size;
    result.pAD = result.sequentialAD ? double(adFar) / result.sequentialAD : (1.0 + adFar) / (1.0 + used);
    result.pKS = result.sequentialKS ? double(ksFar) / result.sequentialKS : (1.0 + ksFar) / (1.0 + used);
    done = true;
}

bool TEdfTest::TState::Replicate(std::size_t r, double& ad, double& ks) const
{
    std::mt19937 twister = ReplicateTwister(seed, r);
    TVector fitted = params;
    const TFamily& family = Family(kind);
    try {
        TVector sample = DrawSample(family, params, size, twister);
        std::string refusal;
        if (!EstimateParams(kind, sample, fitted, estimated, refusal))
            return false;
        const TEdfSample probabilities = ReplicateProbabilities(sample, family, fitted, estimated);
        ad = AndersonDarlingStatistic(probabilities);
        ks = KolmogorovSmirnovStatistic(probabilities) * std::sqrt(double(probabilities.lower.size()));
    } catch (const std::exception&) {
        return false;  // an arithmetic fault of an estimate: the replicate is left out
    }
    return true;
}

std::uint64_t TEdfTest::SeedOf(const TVector& data, TDistKind kind, const TVector& params,
                               const TParamSet& estimated)
{
    constexpr std::uint64_t EdfPurpose = 0x6564662074657374ull;  // "edf test"
    return QuestionDigest(data, kind, params, estimated, EdfPurpose);
}

namespace {
// A bootstrap's p-value with its Monte Carlo standard error, both to the standard error's
// second significant digit (at least three decimals): "0.126 ± 0.010"; at its floor, where no
// replicate was as far, "< 0.001" (one over the replicates).
std::string BootstrapP(double p, int replicates, char separator)
{
    if (p <= 1.0 / (1 + replicates))
        return "< " + FormatGeneral(1.0 / replicates, separator);
    const double se = std::sqrt(p * (1 - p) / replicates);
    // p = 1 (every replicate as far) has no error to size the digits by: three decimals.
    const int decimals = se > 0 ? std::max(3, 1 - static_cast<int>(std::floor(std::log10(se)))) : 3;
    const auto fixed = [&](double v) {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
        std::string text = buffer;
        std::replace(text.begin(), text.end(), '.', separator);
        return text;
    };
    return fixed(p) + " \u00b1 " + fixed(se);
}
}  // namespace

std::string EdfDetails(const TEdfResult& result, bool andersonDarling, char separator)
{
    std::string text = andersonDarling ? "A2 = " + FormatDigits(result.AD, 6, separator)
                                       : "D = " + FormatDigits(result.KS, 6, separator);
    const double p = andersonDarling ? result.pAD : result.pKS;
    if (result.replicates == 0)
        return text + "; p = " + FormatDigits(p, 4, separator) + " (parameters given)";
    const int sequential = andersonDarling ? result.sequentialAD : result.sequentialKS;
    if (sequential > 0) {
        const long far = std::lround(p * sequential);
        return text + "; p = " + FormatDigits(p, 3, separator) + " (sequential: " +
               std::to_string(far) + " of " + std::to_string(sequential) + " replicates as far)";
    }
    const std::string shown = BootstrapP(p, result.replicates, separator);
    text += shown[0] == '<' ? "; p " + shown : "; p = " + shown;
    text += " (" + std::to_string(result.replicates) + " replicates";
    if (result.replicateSize < result.n)
        text += " of " + std::to_string(result.replicateSize);
    if (result.redrawn > 0)
        text += ", " + std::to_string(result.redrawn) + " redrawn";
    return text + ")";
}
