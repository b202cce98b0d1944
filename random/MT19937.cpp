#include "MT19937.h"

namespace {
constexpr int N = 624;
constexpr int M = 397;
constexpr std::uint32_t UpperMask = 0x80000000u;
constexpr std::uint32_t LowerMask = 0x7FFFFFFFu;
constexpr std::uint32_t MatrixA = 0x9908B0DFu;

std::uint32_t Twist(std::uint32_t upper, std::uint32_t lower, std::uint32_t far)
{
    const std::uint32_t y = (upper & UpperMask) | (lower & LowerMask);
    return far ^ (y >> 1) ^ ((y & 1u) ? MatrixA : 0u);
}
}  // namespace

void MTInit(TMTState& state, std::uint32_t seed)
{
    state.State[0] = seed;
    for (std::uint32_t i = 1; i < N; ++i) {
        const std::uint32_t prev = state.State[i - 1];
        state.State[i] = 1812433253u * (prev ^ (prev >> 30)) + i;
    }
    state.Index = N;
    state.LastOutput = 0;
}

void MTNext(TMTState& state)
{
    if (state.Index >= N) {
        // In place and in increasing order: from k = 227 on the recurrence reads new words.
        for (int k = 0; k < N - 1; ++k)
            state.State[k] = Twist(state.State[k], state.State[k + 1], state.State[(k + M) % N]);
        state.State[N - 1] = Twist(state.State[N - 1], state.State[0], state.State[M - 1]);
        state.Index = 0;
    }
    std::uint32_t y = state.State[state.Index++];
    y ^= y >> 11;
    y ^= (y << 7) & 0x9D2C5680u;
    y ^= (y << 15) & 0xEFC60000u;
    y ^= y >> 18;
    state.LastOutput = y;
}
