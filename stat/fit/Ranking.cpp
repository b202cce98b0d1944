// Every kind fitted to one sample and tested, ranked by AIC.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

#include "Stat_Lib.h"

void SortByAic(std::vector<TKindFit>& fits)
{
    std::stable_sort(fits.begin(), fits.end(), [](const TKindFit& a, const TKindFit& b) {
        if (a.fitted != b.fitted)
            return a.fitted;
        return a.fitted && a.aic < b.aic;
    });
}

namespace {
// Every parameter of the kind, as the ranking estimates them.
TParamSet AllParams(TDistKind kind)
{
    TParamSet all;
    for (int i = 0; i < ParamCount(kind); ++i)
        all.set(i);
    return all;
}

// The estimates of every parameter, their log-likelihood and criteria, and the chi-square
// test; false with the reason where the kind cannot be fitted.
bool FitKind(const TVector& data, int categories, TKindFit& fit)
{
    const int count = ParamCount(fit.kind);
    const TParamSet all = AllParams(fit.kind);
    fit.params.assign(count, 0);
    try {
        if (!EstimateParams(fit.kind, data, fit.params, all, fit.reason)) {
            if (fit.reason.empty())
                fit.reason = "Buffer is empty.";
            return false;
        }
        long double sum = 0;
        for (double x : data) {
            double f = DistEval(fit.kind, TDistFunc::Density, fit.params, x);
            // A value at an end of the support (the uniform's estimated ends) has the
            // density's limit from inside.
            for (double inside : {-HUGE_VAL, HUGE_VAL})
                if (!(f > 0))
                    f = DistEval(fit.kind, TDistFunc::Density, fit.params, std::nextafter(x, inside));
            if (!(f > 0)) {
                fit.reason = "A value of the buffer has density 0 under these estimates.";
                return false;
            }
            sum += std::log(static_cast<long double>(f));
        }
        fit.logLikelihood = static_cast<double>(sum);
    } catch (const std::exception& e) {
        fit.reason = e.what();
        return false;
    }
    fit.aic = 2.0 * count - 2 * fit.logLikelihood;
    fit.bic = count * std::log(double(data.size())) - 2 * fit.logLikelihood;
    try {
        TVector refitted = fit.params;
        if (RefitToCategories(data, fit.kind, refitted, all, categories)) {
            fit.chiSquare = ChiSquareFitTest(data, fit.kind, refitted,
                                             DistFreedomUsed(fit.kind, all), categories);
            fit.chiSquareDone = true;
        } else {
            fit.reason = "The estimates cannot be refitted to " + std::to_string(categories) +
                         " categories.";
        }
    } catch (const std::exception& e) {
        fit.reason = e.what();
    }
    return true;
}
}  // namespace

struct TKindRanking::TState {
    TVector data;
    int categories;
    std::uint64_t seed;
    int replicates;
    unsigned threads;
    std::atomic<bool> stop{false}, done{false};
    std::atomic<int> finished{0};
    std::mutex current;  // guards test
    TEdfTest* test = nullptr;
    std::vector<TKindFit> fits;
    std::thread runner;

    void Run()
    {
        for (int k = 0; k < DistKindCount && !stop; ++k) {
            TKindFit fit;
            fit.kind = static_cast<TDistKind>(k);
            fit.fitted = FitKind(data, categories, fit);
            if (fit.fitted && !stop) {
                TEdfTest edf(data, fit.kind, fit.params, AllParams(fit.kind),
                             seed + 0x9E3779B97F4A7C15ull * k,
                             replicates, threads);
                {
                    const std::lock_guard<std::mutex> lock(current);
                    test = &edf;
                }
                try {
                    fit.edf = edf.Result();
                } catch (const std::exception& e) {
                    fit.fitted = false;
                    fit.reason = e.what();
                }
                const std::lock_guard<std::mutex> lock(current);
                test = nullptr;
            }
            fits.push_back(fit);
            ++finished;
        }
        SortByAic(fits);
        done = true;
    }
};

TKindRanking::TKindRanking(const TVector& data, int categories, std::uint64_t seed,
                           int replicates, unsigned threads)
    : state_(new TState)
{
    TState& s = *state_;
    s.data = data;
    s.categories = categories;
    s.seed = seed;
    s.replicates = replicates;
    s.threads = threads;
    s.runner = std::thread([&s] { s.Run(); });
}

TKindRanking::~TKindRanking()
{
    Cancel();
    if (state_->runner.joinable())
        state_->runner.join();
}

bool TKindRanking::Done() const { return state_->done; }

double TKindRanking::Progress() const
{
    TState& s = *state_;
    const std::lock_guard<std::mutex> lock(s.current);
    const double inner = s.test ? s.test->Progress() : 0;
    return std::min(1.0, (s.finished + inner) / DistKindCount);
}

void TKindRanking::Cancel()
{
    TState& s = *state_;
    s.stop = true;
    const std::lock_guard<std::mutex> lock(s.current);
    if (s.test)
        s.test->Cancel();
}

std::vector<TKindFit> TKindRanking::Result()
{
    if (state_->runner.joinable())
        state_->runner.join();
    return state_->fits;
}
