#include "scan/fingerprint.h"

#include <windows.h>

#include <memory>

#include "app/controls.h"
#include "app/pump.h"
#include "scan/md5.h"

namespace {

// MD5 as Cryptdll.dll exports it; the functions work on the 104-byte record
// that Md5Context mirrors.
using Md5InitFunction = void(WINAPI*)(Md5Context* context);
using Md5UpdateFunction = void(WINAPI*)(Md5Context* context, const unsigned char* data, unsigned int length);
using Md5FinalFunction = void(WINAPI*)(Md5Context* context);

struct CryptdllMd5 {
    Md5InitFunction init = nullptr;
    Md5UpdateFunction update = nullptr;
    Md5FinalFunction final = nullptr;
    bool Available() const { return init && update && final; }
};

// Loaded on first use and kept for the life of the process: one load per
// file would cost more than hashing a small file.
const CryptdllMd5& PlatformMd5()
{
    static const CryptdllMd5 functions = [] {
        CryptdllMd5 loaded;
        HMODULE module = LoadLibraryA("cryptdll.dll");
        if (!module)
            return loaded;
        loaded.init = reinterpret_cast<Md5InitFunction>(reinterpret_cast<void*>(GetProcAddress(module, "MD5Init")));
        loaded.update =
            reinterpret_cast<Md5UpdateFunction>(reinterpret_cast<void*>(GetProcAddress(module, "MD5Update")));
        loaded.final = reinterpret_cast<Md5FinalFunction>(reinterpret_cast<void*>(GetProcAddress(module, "MD5Final")));
        if (!loaded.Available()) {
            FreeLibrary(module);
            return CryptdllMd5();
        }
        return loaded;
    }();
    return functions;
}

// Without Cryptdll (or without its MD5 exports) the program's own RFC 1321
// implementation computes the same digests.
Md5Source activeSource = Md5Source::Cryptdll;

Md5Source EffectiveSource()
{
    return activeSource == Md5Source::Cryptdll && PlatformMd5().Available() ? Md5Source::Cryptdll
                                                                             : Md5Source::BuiltIn;
}

// One digest in progress, bound to the MD5 source chosen when it began.
struct RunningDigest {
    Md5Source source;
    Md5Context context;

    explicit RunningDigest(Md5Source from) : source(from)
    {
        if (source == Md5Source::Cryptdll)
            PlatformMd5().init(&context);
        else
            Md5Init(&context);
    }
    void Update(const uint8_t* data, DWORD length)
    {
        if (source == Md5Source::Cryptdll)
            PlatformMd5().update(&context, data, length);
        else
            Md5Update(&context, data, length);
    }
    const uint8_t* Finish()
    {
        if (source == Md5Source::Cryptdll)
            PlatformMd5().final(&context);
        else
            Md5Final(&context);
        return context.digest;
    }
};

struct HandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using FileHandle = std::unique_ptr<void, HandleCloser>;

struct VirtualFreer {
    void operator()(uint8_t* memory) const { VirtualFree(memory, 0, MEM_RELEASE); }
};
using ReadBuffer = std::unique_ptr<uint8_t, VirtualFreer>;

ReadBuffer AllocateReadBuffer()
{
    return ReadBuffer(static_cast<uint8_t*>(
        VirtualAlloc(nullptr, static_cast<SIZE_T>(FingerprintChunkSize), MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)));
}

// The read buffer is kept from one file to the next. A fingerprint that
// starts while another is suspended in its message pumping gets one of its own.
ReadBuffer sharedBuffer;
bool sharedBufferInUse = false;

struct BufferLease {
    uint8_t* data = nullptr;
    ReadBuffer own;
    bool shared = false;

    BufferLease()
    {
        if (!sharedBufferInUse) {
            if (!sharedBuffer)
                sharedBuffer = AllocateReadBuffer();
            if (sharedBuffer) {
                sharedBufferInUse = true;
                shared = true;
                data = sharedBuffer.get();
                return;
            }
        }
        own = AllocateReadBuffer();
        data = own.get();
    }
    ~BufferLease()
    {
        if (shared)
            sharedBufferInUse = false;
    }
    BufferLease(const BufferLease&) = delete;
    BufferLease& operator=(const BufferLease&) = delete;
};

// Hands as many of the process's pages back to the system as it will take,
// so that hashing thousands of files does not leave a large working set.
void TrimWorkingSet() { SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1)); }

void SetPosition(HANDLE file, int64_t position)
{
    LARGE_INTEGER target;
    target.QuadPart = position;
    SetFilePointerEx(file, target, nullptr, FILE_BEGIN);
}

}  // namespace

bool SelectMd5Source(Md5Source source)
{
    if (source == Md5Source::Cryptdll && !PlatformMd5().Available())
        return false;
    activeSource = source;
    return true;
}

Md5Source ActiveMd5Source() { return EffectiveSource(); }

std::string ComputeFileFingerprint(const std::string& fullPath)
{
    // Read sharing only: other readers may go on, but no process may hold the
    // file open for writing, so its content cannot change while it is read.
    HANDLE opened = CreateFileA(fullPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    FileHandle file(opened == INVALID_HANDLE_VALUE ? nullptr : opened);
    LARGE_INTEGER sizeValue;
    sizeValue.QuadPart = 0;
    if (!file || !GetFileSizeEx(file.get(), &sizeValue))
        return ReadErrorText;
    const int64_t size = sizeValue.QuadPart;
    const bool sampled = UsesSampledDigest(size);

    BufferLease buffer;
    if (!buffer.data)
        return ReadErrorText;
    RunningDigest digest(EffectiveSource());
    SetPosition(file.get(), 0);
    float fraction = 0;
    int64_t total = 0;
    bool endedEarly = false;
    for (int reads = 0;; ++reads) {
        TrimWorkingSet();
        // A long read should show which file it is: the status line is
        // otherwise repainted only at screen rate.
        if (reads > 0)
            FlushStatusLine();
        if (InputPending())
            PumpPendingMessages();
        DWORD delivered = 0;
        if (!ReadFile(file.get(), buffer.data, static_cast<DWORD>(FingerprintChunkSize), &delivered, nullptr))
            delivered = 0;
        digest.Update(buffer.data, delivered);
        total += delivered;
        fraction = NextSampleFraction(fraction);
        if (sampled) {
            int64_t next = NextSamplePosition(size, fraction);
            if (next >= 0) {
                SetPosition(file.get(), next);
                continue;
            }
            // The count of the last window closes the digest, little-endian.
            const uint8_t countBytes[4] = {static_cast<uint8_t>(delivered), static_cast<uint8_t>(delivered >> 8),
                                           static_cast<uint8_t>(delivered >> 16),
                                           static_cast<uint8_t>(delivered >> 24)};
            digest.Update(countBytes, 4);
            break;
        }
        if (total >= size)
            break;
        if (delivered == 0) {
            // The file ends (or fails) before its size: no true digest exists.
            endedEarly = true;
            break;
        }
    }
    file.reset();
    TrimWorkingSet();
    const uint8_t* result = digest.Finish();
    if (endedEarly)
        return ReadErrorText;
    return FingerprintText(size, result);
}
