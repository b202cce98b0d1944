// What the bootstraps share.
#include "Bootstrap.h"

#include <algorithm>
#include <cstring>
#include <thread>
#include <vector>

void ParallelFor(std::size_t count, unsigned threads, std::atomic<bool>& stop,
                 const std::function<void(std::size_t)>& body, std::exception_ptr& error)
{
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    std::vector<std::exception_ptr> errors(threads);
    const auto work = [&](unsigned t) {
        try {
            for (std::size_t i; !stop && !failed && (i = next++) < count;)
                body(i);
        } catch (...) {
            errors[t] = std::current_exception();
            failed = true;
        }
    };
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t)
        pool.emplace_back(work, t);
    work(0);
    for (std::thread& th : pool)
        th.join();
    for (const std::exception_ptr& e : errors)
        if (e && !error)
            error = e;
}

unsigned Cores()
{
    return std::max(1u, std::thread::hardware_concurrency());
}

double OpenUniform(std::mt19937& twister)
{
    const std::uint32_t a = twister() >> 5, b = twister() >> 6;
    return (a * 67108864.0 + b + 0.5) / 9007199254740992.0;
}

std::mt19937 ReplicateTwister(std::uint64_t seed, std::size_t replicate)
{
    std::seed_seq seeds{std::uint32_t(seed), std::uint32_t(seed >> 32), std::uint32_t(replicate)};
    return std::mt19937(seeds);
}

TVector DrawSample(const TFamily& family, const TVector& params, std::size_t n,
                   std::mt19937& twister)
{
    TVector sample(n);
    FloatScope scope;
    if (!DrawExactly(family.kind, params, sample, twister))
        for (double& x : sample)
            x = family.sound.inverse(params, OpenUniform(twister));
    scope.Close();
    return sample;
}

std::uint64_t QuestionDigest(const TVector& data, TDistKind kind, const TVector& params,
                             const TParamSet& estimated, std::uint64_t purpose)
{
    // FNV-1a over 64-bit words (a double's bits, a count), then SplitMix64's finaliser to
    // spread them over the seed.
    std::uint64_t h = 0xcbf29ce484222325ull;
    const auto mix = [&h](std::uint64_t word) { h = (h ^ word) * 0x100000001b3ull; };
    const auto bits = [](double v) {
        std::uint64_t b;
        std::memcpy(&b, &v, sizeof b);
        return b;
    };
    mix(purpose);
    mix(static_cast<std::uint64_t>(kind));
    for (int i = 0; i < ParamCount(kind); ++i) {
        mix(i < static_cast<int>(params.size()) ? bits(params[i]) : 0);
        mix(estimated[i]);
    }
    mix(data.size());
    for (double x : data)
        mix(bits(x));
    h ^= h >> 30;
    h *= 0xbf58476d1ce4e5b9ull;
    h ^= h >> 27;
    h *= 0x94d049bb133111ebull;
    return h ^ (h >> 31);
}
