// Every kind fitted to one sample and tested, ranked by AIC.
#include <algorithm>
#include <atomic>
#include <cmath>
#include <mutex>
#include <thread>

#include "Bootstrap.h"
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
// The likelihood's maximum of every parameter with its log-likelihood and criteria, and the
// listed estimates with their chi-square test; false with the reason where the kind cannot be
// fitted.
bool FitKind(const TVector& data, int categories, TKindFit& fit)
{
    const int count = ParamCount(fit.kind);
    const TParamSet all = AllParams(fit.kind);
    fit.params.assign(count, 0);
    fit.hypothesis.assign(count, 0);
    // A kind whose listed estimates are the likelihood's maximum is estimated once (a
    // threshold's over a million numbers takes seconds).
    const bool listedIsMaximum = !Family(fit.kind).maximise;
    try {
        const bool fitted = MaximiseLikelihood(fit.kind, data, fit.params, all, fit.reason);
        if (fitted && listedIsMaximum)
            fit.hypothesis = fit.params;
        if (!fitted ||
            (!listedIsMaximum && !EstimateParams(fit.kind, data, fit.hypothesis, all, fit.reason))) {
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

// The intervals of a fitted kind (none where they cannot be formed: the table shows the
// estimates without them).
void FormIntervals(const TVector& data, TKindFit& fit)
{
    try {
        fit.intervals = ParamIntervals(fit.kind, data, fit.params, AllParams(fit.kind), 0.95, &fit.methods);
    } catch (const std::exception&) {
        fit.intervals.clear();
        fit.methods.clear();
    }
}
}  // namespace

struct TKindRanking::TState {
    TVector data;
    int categories;
    int replicates;
    unsigned threads;
    std::atomic<bool> stop{false}, ready{false}, done{false};
    std::atomic<int> fitted{0}, tested{0};
    int toTest = 0;  // fitted kinds (set with `ready`)
    mutable std::mutex guard;  // guards fits and test
    TEdfTest* test = nullptr;
    std::vector<TKindFit> fits;
    std::thread runner;

    void Run()
    {
        // The table: every kind's fit on the threads (each kind's fit is its own).
        std::vector<TKindFit> table(DistKindCount);
        for (int k = 0; k < DistKindCount; ++k)
            table[k].kind = static_cast<TDistKind>(k);
        std::exception_ptr ignored;
        ParallelFor(DistKindCount, threads, stop, [&](std::size_t k) {
            TKindFit& fit = table[k];
            fit.fitted = FitKind(data, categories, fit);
            ++fitted;
        }, ignored);
        SortByAic(table);
        {
            const std::lock_guard<std::mutex> lock(guard);
            fits = table;
            toTest = static_cast<int>(std::count_if(fits.begin(), fits.end(),
                                                    [](const TKindFit& f) { return f.fitted; }));
        }
        ready = true;
        // Row by row, the intervals and the tests, each published as it ends.
        for (std::size_t row = 0; row < table.size() && !stop; ++row) {
            TKindFit fit = table[row];
            if (!fit.fitted)
                continue;
            FormIntervals(data, fit);
            fit.intervalsDone = true;
            Publish(row, fit);
            if (stop)
                break;
            const TParamSet all = AllParams(fit.kind);
            TEdfTest edf(data, fit.kind, fit.hypothesis, all,
                         TEdfTest::SeedOf(data, fit.kind, fit.hypothesis, all), replicates,
                         threads, Exceedances);
            {
                const std::lock_guard<std::mutex> lock(guard);
                test = &edf;
            }
            if (!stop) {
                try {
                    fit.edf = edf.Result();
                    fit.edfDone = true;
                } catch (const std::exception& e) {
                    fit.reason = e.what();
                }
            }
            {
                const std::lock_guard<std::mutex> lock(guard);
                test = nullptr;
            }
            if (stop)
                break;  // a cancelled bootstrap gives no result
            fit.tested = true;
            Publish(row, fit);
            ++tested;
        }
        done = true;
    }

    void Publish(std::size_t row, const TKindFit& fit)
    {
        const std::lock_guard<std::mutex> lock(guard);
        fits[row] = fit;
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
    s.threads = threads ? threads : Cores();
    s.runner = std::thread([&s] { s.Run(); });
}

TKindRanking::~TKindRanking()
{
    Cancel();
    if (state_->runner.joinable())
        state_->runner.join();
}

bool TKindRanking::TableReady() const { return state_->ready; }

bool TKindRanking::Done() const { return state_->done; }

// The table is a tenth of the work; each test, with its intervals, an equal share of the rest.
double TKindRanking::Progress() const
{
    const TState& s = *state_;
    if (!s.ready)
        return 0.1 * s.fitted / DistKindCount;
    const std::lock_guard<std::mutex> lock(s.guard);
    const double inner = s.test ? s.test->Progress() : 0;
    return s.toTest == 0 ? 1 : std::min(1.0, 0.1 + 0.9 * (s.tested + inner) / s.toTest);
}

void TKindRanking::Cancel()
{
    TState& s = *state_;
    s.stop = true;
    const std::lock_guard<std::mutex> lock(s.guard);
    if (s.test)
        s.test->Cancel();
}

std::vector<TKindFit> TKindRanking::Snapshot() const
{
    const std::lock_guard<std::mutex> lock(state_->guard);
    return state_->fits;
}

std::vector<TKindFit> TKindRanking::Result()
{
    if (state_->runner.joinable())
        state_->runner.join();
    return state_->fits;
}
