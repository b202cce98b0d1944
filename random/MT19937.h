// The 32-bit Mersenne Twister MT19937 over a state record, with its reference initialisation.
#pragma once

#include <cstdint>

struct TMTState {
    std::uint32_t State[624];
    std::int32_t Index;  // next word to temper; 624: the block must be regenerated first
    std::uint32_t LastOutput;
};

void MTInit(TMTState& state, std::uint32_t seed);
// Advances the state by one output and stores the tempered word in LastOutput.
void MTNext(TMTState& state);
