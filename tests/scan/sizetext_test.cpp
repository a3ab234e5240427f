#include "scan/sizetext.h"

#include <gtest/gtest.h>

TEST(FormatFileSize, SizesAsTheWalkHandsThemOver)
{
    // Sizes in bytes, passed on as the walk does: held in a float first.
    struct Case {
        double bytes;
        const char* text;
    } cases[] = {
        {0, "0 B"},
        {1, "1 B"},
        {1023, "1023 B"},
        {1025, "1 KB"},
        {1152, "1.13 KB"},     // 1.125 rounds away from zero
        {1536, "1.5 KB"},
        {10240, "10 KB"},
        {1048575, "1024 KB"},  // rounding never moves a value to the next unit
        {1048577, "1 MB"},
        {5000000, "4.77 MB"},
        {16777217, "16 MB"},   // arrives as 16777216
        {209715200, "200 MB"},
        {1073741791, "1024 MB"},  // arrives as 1073741760
        {1073741889, "1 GB"},     // arrives as 1073741952
        {5368709120.0, "5 GB"},
        {1099511627776.0, "1024 GB"},
        // Exactly one unit base takes that unit.
        {1024, "1 KB"},
        {1048576, "1 MB"},
        {1073741824, "1 GB"},
        {1073741792, "1 GB"},  // arrives as exactly 1073741824
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFileSize(static_cast<float>(c.bytes)), c.text) << static_cast<long long>(c.bytes);
}

TEST(FormatFileSize, UnitBasesCompareWithinTheRealTolerance)
{
    struct Case {
        double value;
        const char* text;
    } cases[] = {
        {1023.99999995, "1 KB"},
        {1024.00000005, "1 KB"},
        {1023.9999, "1024 B"},
        {1048575.99999995, "1 MB"},
        {-3, "-3 B"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatFileSize(c.value), c.text) << c.value;
}

TEST(RoundToPlaces, HalvesGoAwayFromZero)
{
    struct Case {
        double value;
        double rounded;
    } cases[] = {
        {0, 0},
        {1.125, 1.13},
        {-1.125, -1.13},
        {1.005, 1.01},   // 100.49999999999999 after scaling: the nudge still rounds it up
        {2.675, 2.68},
        {1.124999, 1.12},
        {4.76837158203125, 4.77},
        {1023.999, 1024},
        {0.004, 0},
        {-0.005, -0.01},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundToPlaces(c.value, 2), c.rounded) << c.value;
    EXPECT_DOUBLE_EQ(RoundToPlaces(2.5, 0), 3);
    EXPECT_DOUBLE_EQ(RoundToPlaces(0.0625, 3), 0.063);
}
