#include "scan/fingerprint.h"

namespace {

constexpr double RealTolerance = 1e-7;

}  // namespace

float NextSampleFraction(float fraction)
{
    return static_cast<float>(static_cast<double>(fraction) + SampleFractionStep);
}

int64_t NextSamplePosition(int64_t size, float fraction)
{
    double difference = static_cast<double>(fraction) - 1.0;
    if (difference < -RealTolerance)
        return static_cast<int64_t>(static_cast<double>(size) * static_cast<double>(fraction));
    if (difference <= RealTolerance)
        return size - FingerprintChunkSize;
    return -1;
}

std::array<int64_t, SampledWindowCount> SampledWindowStarts(int64_t size)
{
    std::array<int64_t, SampledWindowCount> starts{};
    float fraction = 0;
    int64_t position = 0;
    for (int64_t& start : starts) {
        start = position;
        fraction = NextSampleFraction(fraction);
        position = NextSamplePosition(size, fraction);
    }
    return starts;
}

std::string DigestHex(const uint8_t digest[16])
{
    static const char hexDigits[] = "0123456789ABCDEF";
    std::string text(32, '0');
    for (int i = 0; i < 16; ++i) {
        text[2 * i] = hexDigits[digest[i] >> 4];
        text[2 * i + 1] = hexDigits[digest[i] & 15];
    }
    return text;
}

std::string FingerprintText(int64_t size, const uint8_t digest[16])
{
    return std::to_string(static_cast<long long>(size)) + "," + DigestHex(digest);
}
