// The one uniform random source of Velmora: an MT19937 seeded from the clock at start-up,
// its 32-bit output and uniform reals of exactly 52 random bits.
#pragma once

#include <cstdint>

#include "MT19937.h"

// Advances the system's generator and returns its 32-bit output.
std::uint32_t Random32();
// A double in [0, 1) of 52 random bits; leftover bits of a word carry over to the next call.
double RandomUniform();

// The seed formed bit by bit from the time of day and a millisecond tick count:
// bits 0-5 (minute + hour) mod 64, bits 6-25 the tick's low 20 bits, bits 26-31
// (millisecond + minute) mod 64. The seconds take no part.
std::uint32_t SeedFromTime(std::uint16_t hour, std::uint16_t minute, std::uint16_t millisecond,
                           std::uint32_t tick);
// Seeds the system's generator, keeps the seed and clears the carry. The program seeds once
// from the clock before anything can draw; tests seed to repeat a sequence.
void SeedRandom(std::uint32_t seed);
std::uint32_t RandomSeed();

// The whole state of the system's generator, carry included: taken before a run of draws and
// put back to draw them again.
struct TRandomState {
    TMTState generator;
    std::uint32_t carryBits;
    std::int32_t carryCount;
};
TRandomState SaveRandomState();
void RestoreRandomState(const TRandomState& state);
// A 64-bit number formed from the whole state without drawing: a seed for work that must not
// disturb the source (the fitting tests' bootstrap), new after every draw.
std::uint64_t RandomStateDigest();
// How many carried bits wait for the next RandomUniform (0 to 31).
int RandomCarryCount();
