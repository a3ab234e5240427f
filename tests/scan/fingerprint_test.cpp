#include "scan/fingerprint.h"

#include <gtest/gtest.h>

#include <cmath>

TEST(SampledDigest, FractionTakesTheSinglePrecisionFifths)
{
    // The float nearest to 0.2, 0.4, ... 1.2 after each read.
    const double expected[] = {
        13421773 / std::ldexp(1.0, 26), 13421773 / std::ldexp(1.0, 25), 10066330 / std::ldexp(1.0, 24),
        13421773 / std::ldexp(1.0, 24), 1.0,                             10066330 / std::ldexp(1.0, 23),
    };
    float fraction = 0;
    for (double value : expected) {
        fraction = NextSampleFraction(fraction);
        EXPECT_EQ(static_cast<double>(fraction), value);
    }
}

TEST(SampledDigest, WindowStartsForLargeSizes)
{
    struct Case {
        int64_t size;
        std::array<int64_t, 6> starts;
    } cases[] = {
        {209715201, {0, 41943040, 83886081, 125829125, 167772163, 204472321}},
        {1000000000, {0, 200000002, 400000005, 600000023, 800000011, 994757120}},
        // Beyond 2^31 and 2^32: the positions must not wrap.
        {5368709120, {0, 1073741840, 2147483680, 3221225600, 4294967360, 5363466240}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(SampledWindowStarts(c.size), c.starts) << c.size;
}

TEST(SampledDigest, EndsAfterTheSixthRead)
{
    float fraction = 0;
    for (int read = 1; read <= 5; ++read) {
        fraction = NextSampleFraction(fraction);
        EXPECT_GE(NextSamplePosition(1000000000, fraction), 0) << read;
    }
    fraction = NextSampleFraction(fraction);
    EXPECT_EQ(NextSamplePosition(1000000000, fraction), -1);
}

TEST(SampledDigest, OnlyFilesAboveTwoHundredMebibytes)
{
    EXPECT_FALSE(UsesSampledDigest(0));
    EXPECT_FALSE(UsesSampledDigest(209715200));
    EXPECT_TRUE(UsesSampledDigest(209715201));
}

TEST(FingerprintText, SizeCommaAndUpperCaseHexWithLeadingZeros)
{
    const uint8_t digest[16] = {0x00, 0x01, 0x0A, 0x0F, 0x10, 0x7F, 0x80, 0x9B,
                                0xAB, 0xCD, 0xEF, 0xF0, 0xFE, 0xFF, 0x05, 0xC0};
    EXPECT_EQ(DigestHex(digest), "00010A0F107F809BABCDEFF0FEFF05C0");
    EXPECT_EQ(FingerprintText(0, digest), "0,00010A0F107F809BABCDEFF0FEFF05C0");
    EXPECT_EQ(FingerprintText(5368709120, digest), "5368709120,00010A0F107F809BABCDEFF0FEFF05C0");
}
