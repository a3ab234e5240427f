// The fingerprint of a file: its size in decimal, a comma and the 32
// upper-case hexadecimal digits of an MD5 digest, or the read-error text.
// Files up to SampledDigestThreshold get the MD5 of their whole content;
// larger ones the MD5 of six FingerprintChunkSize windows (start, near each
// fifth, end) followed by the byte count of the last window, so that a file
// of any size costs at most six reads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

constexpr int64_t FingerprintChunkSize = 5242880;      // bytes asked for by every read
constexpr int64_t SampledDigestThreshold = 209715200;  // strictly larger files are sampled
constexpr double SampleFractionStep = 0.2;             // added to the sample fraction after every read
constexpr int SampledWindowCount = 6;

inline constexpr char ReadErrorText[] = "读取错误";

inline bool UsesSampledDigest(int64_t size) { return size > SampledDigestThreshold; }

// The sample fraction after one more read. The sum is formed in double
// precision and kept in single precision: the windows start at the fifths
// as a float sees them (0.2000000030, 0.4000000060, ...), and files that
// were fingerprinted before must keep their fingerprints.
float NextSampleFraction(float fraction);

// Where the next read of a sampled digest starts, given the fraction after
// the latest read; -1 when the digest is complete.
int64_t NextSamplePosition(int64_t size, float fraction);

// The start of every window a sampled digest of a file of this size reads.
std::array<int64_t, SampledWindowCount> SampledWindowStarts(int64_t size);

// 32 upper-case hexadecimal digits, two per byte, high digit first.
std::string DigestHex(const uint8_t digest[16]);

// The fingerprint text: size in decimal, ",", the digest in hexadecimal.
std::string FingerprintText(int64_t size, const uint8_t digest[16]);

// Windows only. Reads the file at fullPath and returns its fingerprint text,
// or ReadErrorText when its size cannot be had or a whole-file read ends
// early. Dispatches pending messages before a read while input is waiting.
std::string ComputeFileFingerprint(const std::string& fullPath);

// Windows only. Where the MD5 comes from: the platform's Cryptdll.dll (the
// default) or the program's own implementation. Choosing Cryptdll returns
// false, and changes nothing, when the library or its functions are missing.
enum class Md5Source { Cryptdll, BuiltIn };
bool SelectMd5Source(Md5Source source);
Md5Source ActiveMd5Source();
