// Work that cannot be broken off (an estimation, the intervals of a million numbers), run on a
// thread of its own so that the window waits for it with progress and Cancel instead of
// freezing. Work the user cancelled runs to its end on its thread and its result is dropped;
// the owner waits for the work still running when it goes. Each piece owns what it works on.
#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <future>
#include <memory>
#include <vector>

// One piece's outcome: its result, or the exception it ended with, once done.
template <class R>
struct TBackgroundJob {
    std::atomic<bool> done{false};
    R result{};
    std::exception_ptr error;

    // The result, or the piece's exception thrown again; only once done.
    R& Result()
    {
        if (error)
            std::rethrow_exception(error);
        return result;
    }
};

class TBackgroundWork {
public:
    TBackgroundWork() = default;
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;
    ~TBackgroundWork() = default;  // each future waits for its piece

    // Runs work() (returning R) on a thread of its own.
    template <class R, class Work>
    std::shared_ptr<TBackgroundJob<R>> Start(Work work)
    {
        running_.erase(std::remove_if(running_.begin(), running_.end(),
                                      [](const std::future<void>& f) {
                                          return f.wait_for(std::chrono::seconds(0)) ==
                                                 std::future_status::ready;
                                      }),
                       running_.end());
        auto job = std::make_shared<TBackgroundJob<R>>();
        running_.push_back(std::async(std::launch::async, [job, work = std::move(work)]() mutable {
            try {
                job->result = work();
            } catch (...) {
                job->error = std::current_exception();
            }
            job->done = true;
        }));
        return job;
    }

private:
    std::vector<std::future<void>> running_;
};
