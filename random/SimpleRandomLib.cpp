#include "SimpleRandomLib.h"

#include <chrono>
#include <ctime>

#include "MT19937.h"

namespace {
TMTState Generator;
std::uint32_t CarryBits = 0;
std::int32_t CarryCount = 0;
std::uint32_t Seed = 0;

// Reads the local time of day and a monotonic millisecond tick once, and seeds from them.
void SeedFromClock()
{
    const auto now = std::chrono::system_clock::now();
    const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    std::tm local{};
    localtime_r(&seconds, &local);
    const auto millisecond = static_cast<std::uint16_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() %
        1000);
    const auto tick = static_cast<std::uint32_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now().time_since_epoch())
            .count());
    SeedRandom(SeedFromTime(static_cast<std::uint16_t>(local.tm_hour),
                            static_cast<std::uint16_t>(local.tm_min), millisecond, tick));
}

// Seeds the generator as the unit starts, before anything can draw.
const bool SeededAtStart = (SeedFromClock(), true);
}  // namespace

std::uint32_t SeedFromTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t millisecond,
                           std::uint32_t tick)
{
    const std::uint32_t low = (minute + hour) % 64u;
    const std::uint32_t middle = tick % (1u << 20);
    const std::uint32_t high = (millisecond + minute) % 64u;
    return low | (middle << 6) | (high << 26);
}

void SeedRandom(std::uint32_t seed)
{
    Seed = seed;
    MTInit(Generator, seed);
    CarryBits = 0;
    CarryCount = 0;
}

std::uint32_t RandomSeed()
{
    return Seed;
}

TRandomState SaveRandomState()
{
    return {Generator, CarryBits, CarryCount};
}

std::uint64_t RandomStateDigest()
{
    // FNV-1a over the words of the state: every draw changes the digest.
    std::uint64_t digest = 14695981039346656037ull;
    const auto mix = [&digest](std::uint32_t word) {
        digest = (digest ^ word) * 1099511628211ull;
    };
    for (std::uint32_t word : Generator.State)
        mix(word);
    mix(static_cast<std::uint32_t>(Generator.Index));
    mix(CarryBits);
    mix(static_cast<std::uint32_t>(CarryCount));
    return digest;
}

void RestoreRandomState(const TRandomState& state)
{
    Generator = state.generator;
    CarryBits = state.carryBits;
    CarryCount = state.carryCount;
}

int RandomCarryCount()
{
    return CarryCount;
}

std::uint32_t Random32()
{
    MTNext(Generator);
    return Generator.LastOutput;
}

double RandomUniform()
{
    std::uint64_t accumulator = CarryBits;
    int n = CarryCount;
    while (n < 52) {
        const std::uint32_t r = Random32();
        if (n + 32 <= 52) {
            accumulator = (accumulator << 32) | r;
            n += 32;
            CarryBits = 0;
            CarryCount = 0;
        } else {
            const int k = 52 - n;
            accumulator = (accumulator << k) | (r & ((1u << k) - 1u));
            CarryBits = r >> k;
            CarryCount = 32 - k;
            n = 52;
        }
    }
    return static_cast<double>(accumulator) * 0x1p-52;
}
