#include <gtest/gtest.h>

#include <random>

#include "MT19937.h"
#include "SimpleRandomLib.h"

TEST(MT19937, MatchesTheReferenceGenerator)
{
    TMTState state;
    MTInit(state, 5489);
    std::mt19937 reference(5489);
    MTNext(state);
    EXPECT_EQ(state.LastOutput, 3499211612u);
    EXPECT_EQ(state.LastOutput, reference());
    for (int i = 1; i < 100000; ++i) {
        MTNext(state);
        ASSERT_EQ(state.LastOutput, reference()) << i;
    }
    TMTState other;
    MTInit(other, 0xDEADBEEF);
    std::mt19937 otherReference(0xDEADBEEF);
    for (int i = 0; i < 2000; ++i) {
        MTNext(other);
        ASSERT_EQ(other.LastOutput, otherReference()) << i;
    }
}

TEST(Seeding, SeedIsFormedBitByBitFromTheClock)
{
    EXPECT_EQ(SeedFromTime(13, 45, 250, 0x12345678u), 0x9D159E3Au);
    // Bits 26-31 wrap: (999 + 59) mod 64 = 34; bits 0-5: (59 + 23) mod 64 = 18.
    EXPECT_EQ(SeedFromTime(23, 59, 999, 0xFFFFFFFFu), (34u << 26) | (0xFFFFFu << 6) | 18u);
    SeedRandom(0x9D159E3Au);
    EXPECT_EQ(RandomSeed(), 0x9D159E3Au);
    EXPECT_EQ(RandomCarryCount(), 0);
}

// An assembly of the same 32-bit words written independently: 52 bits per value, most
// significant first, the high bits of a split word kept for the next value.
TEST(RandomUniform, AssemblesFiftyTwoBitsAndCarriesTheRest)
{
    const std::uint32_t seed = 20261208;
    std::mt19937 words(seed);
    SeedRandom(seed);
    std::uint64_t pendingBits = 0;
    int pendingCount = 0;
    const int carries[8] = {12, 24, 4, 16, 28, 8, 20, 0};
    for (int call = 0; call < 8000; ++call) {
        std::uint64_t value = pendingBits;
        int have = pendingCount;
        int fetched = 0;
        while (have < 52) {
            const std::uint64_t w = words();
            ++fetched;
            const int take = std::min(32, 52 - have);
            value = (value << take) | (w & ((std::uint64_t(1) << take) - 1));
            pendingBits = w >> take;
            pendingCount = 32 - take;
            have += take;
        }
        ASSERT_GE(fetched, 1);
        const double expected = static_cast<double>(value) / 4503599627370496.0;
        ASSERT_EQ(RandomUniform(), expected) << call;
        ASSERT_EQ(RandomCarryCount(), carries[call % 8]) << call;
    }
    // 8000 calls used 13 words per 8 calls: the source and the reference are in step.
    EXPECT_EQ(Random32(), static_cast<std::uint32_t>(words()));
}

TEST(RandomUniform, StaysInsideTheUnitInterval)
{
    SeedRandom(7);
    double lo = 1, hi = 0;
    for (int i = 0; i < 100000; ++i) {
        const double u = RandomUniform();
        ASSERT_GE(u, 0.0);
        ASSERT_LT(u, 1.0);
        lo = std::min(lo, u);
        hi = std::max(hi, u);
    }
    EXPECT_LT(lo, 1e-3);
    EXPECT_GT(hi, 1 - 1e-3);
    EXPECT_LT(1 - 0x1p-52, 1.0);  // the largest value the assembly can give is below 1
}
