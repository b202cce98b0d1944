// TExpGen, the "Enhanced inverse: experimental" generator: draws a sample by the inverse
// method and, in up to 13 passes, redraws values of over-full histogram categories so that
// the histogram comes closer to the expected one. It runs on a thread of its own, which its
// creator starts and waits for.
#pragma once

#include <atomic>
#include <exception>
#include <thread>

#include "Stat_Lib.h"

class TExpGen {
public:
    // Created suspended. Output (sized to Count by the creator) and Params are shared with
    // the creator, not copied; Execute writes the sample into Output in place.
    TExpGen(TVector& Output, std::int32_t Count, TDistKind Kind, const TVector& Params);
    ~TExpGen();
    TExpGen(const TExpGen&) = delete;
    TExpGen& operator=(const TExpGen&) = delete;

    void Resume();
    // Waits until the thread has finished. An error raised inside Execute (a floating-point
    // error of a distribution function, say) is handed on: WaitFor rethrows it, so that the
    // creator reports it instead of taking a partial sample for a good one.
    void WaitFor();
    // True once Execute has ended (the thread may still be joining); a caller can keep its
    // window painting while it waits.
    bool Done() const { return done_.load(std::memory_order_acquire); }
    // Asks Execute to end early; the sample is then incomplete and the caller discards it.
    void Terminate() { terminated_.store(true, std::memory_order_relaxed); }

    // Passes run by the last Execute (1 to 13; 0 for an empty sample).
    int Passes() const { return passes_; }

    TVector& Output;
    const TVector& Params;
    const TDistKind Kind;
    const std::int32_t Count;

private:
    void Execute();

    bool Terminated() const { return terminated_.load(std::memory_order_relaxed); }

    std::thread thread_;
    std::atomic<bool> done_{false};
    std::atomic<bool> terminated_{false};
    std::exception_ptr error_;
    int passes_ = 0;
};

// Number of histogram categories for a sample of `count` values.
int ExpGenCategoryCount(std::int32_t count);
constexpr int ExpGenMaxPasses = 13;
