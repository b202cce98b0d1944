// Every kind fitted to one sample and tested, ranked by AIC.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

#include "Fit_Lib.h"

void SortByAic(std::vector<TKindFit>& fits)
{
    std::stable_sort(fits.begin(), fits.end(), [](const TKindFit& a, const TKindFit& b) {
        if (a.fitted != b.fitted)
            return a.fitted;
        return a.fitted && a.aic < b.aic;
    });
}

namespace {
// The likelihood's maximum of every parameter with its intervals, log-likelihood and
// criteria, and the listed estimates with their chi-square test; false with the reason where
// the kind cannot be fitted.
bool FitKind(const TVector& data, int categories, TKindFit& fit)
{
    const int count = ParamCount(fit.kind);
    const TParamSet all = AllParams(fit.kind);
    fit.params.assign(count, 0);
    fit.hypothesis.assign(count, 0);
    try {
        if (!MaximiseLikelihood(fit.kind, data, fit.params, all, fit.reason) ||
            !EstimateParams(fit.kind, data, fit.hypothesis, all, fit.reason)) {
            if (fit.reason.empty())
                fit.reason = "Buffer is empty.";
            return false;
        }
        fit.logLikelihood = LogLikelihood(fit.kind, data, fit.params);
        if (!std::isfinite(fit.logLikelihood)) {
            fit.reason = "A value of the buffer has density 0 under these estimates.";
            return false;
        }
    } catch (const std::exception& e) {
        fit.reason = e.what();
        return false;
    }
    fit.aic = 2.0 * count - 2 * fit.logLikelihood;
    fit.bic = count * std::log(double(data.size())) - 2 * fit.logLikelihood;
    try {
        fit.intervals = ParamIntervals(fit.kind, data, fit.params, all, 0.95, &fit.methods);
    } catch (const std::exception&) {
        fit.intervals.clear();  // the table shows the estimates without them
        fit.methods.clear();
    }
    try {
        TVector refitted = fit.hypothesis;
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
                const TParamSet all = AllParams(fit.kind);
                TEdfTest edf(data, fit.kind, fit.hypothesis, all,
                             TEdfTest::SeedOf(data, fit.kind, fit.hypothesis, all), replicates,
                             threads);
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

TKindRanking::TKindRanking(const TVector& data, int categories, int replicates,
                           unsigned threads)
    : state_(new TState)
{
    TState& s = *state_;
    s.data = data;
    s.categories = categories;
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
