// A plain, slow MD5 (RFC 1321) for computing expected digests in tests. It is
// written differently from the program's own (constants derived from the sine
// as the RFC defines them, message padded up front, one step per loop turn),
// so that the two do not share a mistake.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace reference_md5 {

class Md5 {
public:
    Md5()
    {
        for (int i = 0; i < 64; ++i)
            sines_[i] = static_cast<uint32_t>(static_cast<uint64_t>(std::floor(std::fabs(std::sin(i + 1.0)) * 4294967296.0)));
    }

    void Add(const void* data, size_t length)
    {
        const uint8_t* bytes = static_cast<const uint8_t*>(data);
        pending_.insert(pending_.end(), bytes, bytes + length);
        total_ += length;
        size_t whole = pending_.size() / 64 * 64;
        for (size_t offset = 0; offset < whole; offset += 64)
            Block(pending_.data() + offset);
        pending_.erase(pending_.begin(), pending_.begin() + static_cast<std::ptrdiff_t>(whole));
    }

    // The 16 digest bytes; the object is spent afterwards.
    std::vector<uint8_t> Finish()
    {
        uint64_t bits = total_ * 8;
        std::vector<uint8_t> tail(pending_);
        tail.push_back(0x80);
        while (tail.size() % 64 != 56)
            tail.push_back(0);
        for (int i = 0; i < 8; ++i)
            tail.push_back(static_cast<uint8_t>(bits >> (8 * i)));
        for (size_t offset = 0; offset < tail.size(); offset += 64)
            Block(tail.data() + offset);
        std::vector<uint8_t> digest;
        for (uint32_t word : state_)
            for (int i = 0; i < 4; ++i)
                digest.push_back(static_cast<uint8_t>(word >> (8 * i)));
        return digest;
    }

    std::string FinishHex()
    {
        static const char digits[] = "0123456789ABCDEF";
        std::string text;
        for (uint8_t b : Finish()) {
            text += digits[b / 16];
            text += digits[b % 16];
        }
        return text;
    }

private:
    void Block(const uint8_t* block)
    {
        static const int shifts[4][4] = {{7, 12, 17, 22}, {5, 9, 14, 20}, {4, 11, 16, 23}, {6, 10, 15, 21}};
        uint32_t m[16];
        for (int i = 0; i < 16; ++i)
            m[i] = block[4 * i] | block[4 * i + 1] << 8 | block[4 * i + 2] << 16 | static_cast<uint32_t>(block[4 * i + 3]) << 24;
        uint32_t a = state_[0], b = state_[1], c = state_[2], d = state_[3];
        for (int i = 0; i < 64; ++i) {
            int round = i / 16;
            uint32_t f;
            int g;
            if (round == 0) {
                f = (b & c) | (~b & d);
                g = i;
            } else if (round == 1) {
                f = (b & d) | (c & ~d);
                g = (5 * i + 1) % 16;
            } else if (round == 2) {
                f = b ^ c ^ d;
                g = (3 * i + 5) % 16;
            } else {
                f = c ^ (b | ~d);
                g = (7 * i) % 16;
            }
            uint32_t sum = a + f + sines_[i] + m[g];
            int s = shifts[round][i % 4];
            uint32_t rotated = (sum << s) | (sum >> (32 - s));
            a = d;
            d = c;
            c = b;
            b = b + rotated;
        }
        state_[0] += a;
        state_[1] += b;
        state_[2] += c;
        state_[3] += d;
    }

    uint32_t sines_[64];
    uint32_t state_[4] = {0x67452301, 0xefcdab89, 0x98badcfe, 0x10325476};
    std::vector<uint8_t> pending_;
    uint64_t total_ = 0;
};

inline std::string HexOf(const std::string& text)
{
    Md5 md5;
    md5.Add(text.data(), text.size());
    return md5.FinishHex();
}

}  // namespace reference_md5
