#include "BulkGeneration.h"

#include <algorithm>
#include <chrono>
#include <cfenv>
#include <exception>
#include <limits>
#include <system_error>
#include <thread>
#include <vector>

#include "Generators.h"
#include "SimpleRandomLib.h"

TBulkGeneration::TBulkGeneration(TGenMethod method, TDistKind kind, const TVector& params,
                                 std::size_t count, unsigned threads)
    : method_(method),
      kind_(method == TGenMethod::Inverse ? kind : TDistKind::NormalStd),
      student_(method == TGenMethod::Transformation && kind != TDistKind::Chi2),
      params_(method == TGenMethod::Inverse ? params : TVector{}),
      count_(count),
      threads_(threads ? threads : std::max(1u, std::thread::hardware_concurrency())),
      result_(count)
{
    if (method == TGenMethod::Transformation) {
        n_ = params[0];
        terms_ = Chi2SumTerms(n_);
        // Chi-square without terms draws nothing: every number is 0.
        if (!student_ && terms_ == 0)
            done_ = count_;
    }
}

std::size_t TBulkGeneration::NextSliceSize() const
{
    std::uint64_t left = count_ - done_;
    if (method_ == TGenMethod::Transformation) {
        const std::uint64_t perNumber = terms_ + (student_ ? 1 : 0);
        if (perNumber == 0 || left > std::numeric_limits<std::uint64_t>::max() / perNumber)
            left = std::numeric_limits<std::uint64_t>::max();
        else
            left = left * perNumber - term_;
    }
    return static_cast<std::size_t>(std::min<std::uint64_t>(left, slice_));
}

namespace {
// A uniform number with its place in the slice.
struct Placed {
    double u;
    std::uint32_t i;
};

// Sorts a run by the uniform numbers, in linear time: counted into as many buckets of equal
// width over [0, 1) as there are numbers (uniform numbers fill them evenly; anything outside
// goes to an end bucket), then each bucket sorted on its own.
void SortByUniform(Placed* first, Placed* last)
{
    const std::size_t n = static_cast<std::size_t>(last - first);
    if (n < 2)
        return;
    const auto bucketOf = [n](double u) {
        const double at = u * static_cast<double>(n);
        return at >= 0 && at < static_cast<double>(n) ? static_cast<std::size_t>(at)
                                                      : at >= 0 ? n - 1 : 0;
    };
    std::vector<std::size_t> start(n + 1, 0);
    for (const Placed* p = first; p != last; ++p)
        ++start[bucketOf(p->u) + 1];
    for (std::size_t b = 0; b < n; ++b)
        start[b + 1] += start[b];
    std::vector<Placed> sorted(n);
    std::vector<std::size_t> next(start.begin(), start.end() - 1);
    for (const Placed* p = first; p != last; ++p)
        sorted[next[bucketOf(p->u)]++] = *p;
    const auto byUniform = [](const Placed& a, const Placed& b) { return a.u < b.u; };
    for (std::size_t b = 0; b < n; ++b)
        if (start[b + 1] - start[b] > 1)
            std::sort(sorted.begin() + static_cast<std::ptrdiff_t>(start[b]),
                      sorted.begin() + static_cast<std::ptrdiff_t>(start[b + 1]), byUniform);
    std::copy(sorted.begin(), sorted.end(), first);
}

// values[i] := the inverse at uniforms[i], on up to `threads` threads, each a contiguous run.
// `sorted`: each thread takes its run in ascending order of the uniform numbers (sorted on
// that thread), so that successive searches start from the same saved state and end in the
// same panel, with the grid's memory at hand (worth its sort where an inverse searches a
// grid). Each value is a pure function of its uniform number, so the order changes no bit.
// Returns the index of the first failing value in sequence order (n when none) and its error
// in `error`.
std::size_t EvaluateInverses(TDistKind kind, const TVector& params, const double* uniforms,
                             double* values, std::size_t n, unsigned threads, bool sorted,
                             std::exception_ptr& error)
{
    // Each thread places its run's uniform numbers, takes them in its order and evaluates them
    // next to each other (written in place, in the order of the uniform numbers, the threads
    // would share every cache line), then puts each value in its place in its own run.
    std::vector<Placed> order(n);
    std::vector<double> taken(n), inOrder(n);
    struct Range {
        std::size_t from, to;
        bool failed = false;
    };
    const std::size_t parts = std::max<std::size_t>(1, std::min<std::size_t>(threads, n / 256));
    std::vector<Range> ranges(parts);
    for (std::size_t r = 0; r < parts; ++r)
        ranges[r] = {n * r / parts, n * (r + 1) / parts};
    const auto evaluate = [&](Range& range) {
        try {
            for (std::size_t k = range.from; k < range.to; ++k)
                order[k] = {uniforms[k], static_cast<std::uint32_t>(k)};
            if (sorted)
                SortByUniform(order.data() + range.from, order.data() + range.to);
            for (std::size_t k = range.from; k < range.to; ++k)
                taken[k] = order[k].u;
            range.failed = !DistEvalEach(kind, TDistFunc::Inverse, params, taken.data() + range.from,
                                         inOrder.data() + range.from, range.to - range.from);
            if (!range.failed)
                for (std::size_t k = range.from; k < range.to; ++k)
                    values[order[k].i] = inOrder[k];
        } catch (...) {
            range.failed = true;  // no memory for the sort: found one at a time
        }
    };
    std::vector<std::thread> workers;
    std::size_t r = 1;
    for (; r < parts; ++r) {
        try {
            workers.emplace_back([&evaluate, &range = ranges[r]] {
                std::fesetenv(FE_DFL_ENV);  // the same arithmetic as the caller's thread
                evaluate(range);
            });
        } catch (const std::system_error&) {
            break;  // no thread to be had: the rest runs here
        }
    }
    evaluate(ranges[0]);
    for (std::thread& w : workers)
        w.join();
    for (std::size_t rest = r; rest < parts; ++rest)
        evaluate(ranges[rest]);
    if (std::none_of(ranges.begin(), ranges.end(), [](const Range& g) { return g.failed; }))
        return n;
    // Some value failed: the first in sequence order is found one at a time, as the loop of
    // single calls would meet it.
    for (std::size_t i = 0; i < n; ++i) {
        try {
            values[i] = DistEval(kind, TDistFunc::Inverse, params, uniforms[i]);
        } catch (...) {
            error = std::current_exception();
            return i;
        }
    }
    return n;
}
}  // namespace

bool TBulkGeneration::Step()
{
    if (Finished())
        return true;
    const std::size_t n = NextSliceSize();
    const auto start = std::chrono::steady_clock::now();
    uniforms_.resize(n);
    values_.resize(n);
    const TRandomState before = SaveRandomState();
    for (std::size_t i = 0; i < n; ++i)
        uniforms_[i] = RandomUniform();
    std::exception_ptr error;
    const std::size_t failed =
        EvaluateInverses(kind_, params_, uniforms_.data(), values_.data(), n, threads_, sorted_, error);
    if (error) {
        // One at a time, the loop would have drawn up to the failing number and stopped there.
        RestoreRandomState(before);
        for (std::size_t i = 0; i <= failed; ++i)
            RandomUniform();
        std::rethrow_exception(error);
    }
    Consume(values_.data(), n);
    const double took = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (took < StepTime / 2 && n == slice_)
        slice_ = std::min(2 * slice_, SliceUniforms);
    else if (took > 2 * StepTime)
        slice_ = std::max<std::size_t>(slice_ / 2, 1);
    // Inverses that take a tenth of a microsecond or more search a grid: the next slices are
    // sorted.
    sorted_ = took > SortedFrom * static_cast<double>(n);
    return Finished();
}

void TBulkGeneration::Consume(const double* values, std::size_t n)
{
    if (method_ == TGenMethod::Inverse) {
        std::copy(values, values + n, result_.begin() + static_cast<std::ptrdiff_t>(done_));
        done_ += n;
        return;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (term_ < terms_) {
            sum_ = AddSquare(sum_, values[i]);
            ++term_;
            if (term_ < terms_ || student_)
                continue;
            result_[done_] = sum_;
        } else {
            result_[done_] = StudentOf(sum_, n_, values[i]);
        }
        ++done_;
        term_ = 0;
        sum_ = 0;
    }
}

void TBulkGeneration::Run()
{
    while (!Step()) {
    }
}

double TBulkGeneration::Progress() const
{
    if (count_ == 0)
        return 1;
    const double perNumber = method_ == TGenMethod::Transformation
                                 ? static_cast<double>(terms_) + (student_ ? 1 : 0)
                                 : 1;
    return (static_cast<double>(done_) + static_cast<double>(term_) / perNumber) /
           static_cast<double>(count_);
}
