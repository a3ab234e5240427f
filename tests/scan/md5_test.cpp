#include "scan/md5.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "scan/fingerprint.h"
#include "support/reference_md5.h"

namespace {

// The test suite of RFC 1321, appendix A.5.
struct Vector {
    const char* input;
    const char* digest;
} const rfcVectors[] = {
    {"", "D41D8CD98F00B204E9800998ECF8427E"},
    {"a", "0CC175B9C0F1B6A831C399E269772661"},
    {"abc", "900150983CD24FB0D6963F7D28E17F72"},
    {"message digest", "F96B697D7CB7938D525A2F31AAF161D0"},
    {"abcdefghijklmnopqrstuvwxyz", "C3FCD3D76192E4007DFB496CCA67E13B"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "D174AB98D277D9F5A5611C2C9F419D9F"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57EDF4A22BE3C955AC49DA2E2107B67A"},
};

std::string BuiltInHex(const std::vector<uint8_t>& data, size_t pieceLength)
{
    Md5Context context;
    Md5Init(&context);
    for (size_t offset = 0; offset < data.size(); offset += pieceLength) {
        size_t length = std::min(pieceLength, data.size() - offset);
        Md5Update(&context, data.data() + offset, length);
    }
    Md5Update(&context, data.data(), 0);  // a length of 0 changes nothing
    Md5Final(&context);
    return DigestHex(context.digest);
}

}  // namespace

TEST(Md5, RfcTestSuite)
{
    for (const Vector& v : rfcVectors) {
        std::string text = v.input;
        EXPECT_EQ(BuiltInHex(std::vector<uint8_t>(text.begin(), text.end()), 7), v.digest) << v.input;
        EXPECT_EQ(reference_md5::HexOf(text), v.digest) << "reference: " << v.input;
    }
}

TEST(Md5, AgreesWithTheReferenceAcrossBlockBoundariesAndPieces)
{
    std::mt19937 random(12345);
    // Lengths around the padding boundary (55/56/64) and longer runs.
    for (size_t length : {55u, 56u, 63u, 64u, 65u, 119u, 120u, 128u, 1000u, 100000u}) {
        std::vector<uint8_t> data(length);
        for (uint8_t& b : data)
            b = static_cast<uint8_t>(random());
        reference_md5::Md5 reference;
        reference.Add(data.data(), data.size());
        std::string expected = reference.FinishHex();
        for (size_t piece : {1u, 3u, 64u, 100u, 65536u})
            EXPECT_EQ(BuiltInHex(data, piece), expected) << length << " in pieces of " << piece;
    }
}

TEST(Md5, BitCountCarriesIntoTheHighWord)
{
    // A context that has hashed 2^32 - 8 bits: one more byte carries over.
    Md5Context context;
    Md5Init(&context);
    context.bitCount[0] = 0xFFFFFFF8u;
    const uint8_t byte = 0;
    Md5Update(&context, &byte, 1);
    EXPECT_EQ(context.bitCount[0], 0u);
    EXPECT_EQ(context.bitCount[1], 1u);
}
