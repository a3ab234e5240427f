// MD5 (RFC 1321) of our own, used when the platform's Cryptdll.dll cannot be
// loaded and as the fast digest of the fingerprint. The context has the layout
// of the platform's record, so both implementations work on the same bytes.
#pragma once

#include <cstddef>
#include <cstdint>

struct Md5Context {
    uint32_t bitCount[2];  // bits hashed so far, low word first
    uint32_t state[4];     // chaining words A, B, C, D
    uint8_t buffer[64];    // bytes waiting to complete a block
    uint8_t digest[16];    // result, written by Md5Final
};
static_assert(sizeof(Md5Context) == 104, "Md5Context must match the platform's 104-byte record");

void Md5Init(Md5Context* context);
void Md5Update(Md5Context* context, const uint8_t* data, size_t length);
void Md5Final(Md5Context* context);
