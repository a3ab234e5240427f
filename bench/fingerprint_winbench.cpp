// Fingerprint throughput on a file in the page cache, with each MD5 source,
// and the time of a sampled digest of a large sparse file.
// Usage: fingerprint_winbench WHOLE_FILE SPARSE_FILE [MD5SOURCE]
//   MD5SOURCE: cryptdll or builtin (both when absent).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bench_memory.h"
#include "scan/fingerprint.h"

namespace {

double BestSeconds(const std::string& path, int runs, std::string* fingerprint)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        double start = SecondsNow();
        *fingerprint = ComputeFileFingerprint(path);
        double elapsed = SecondsNow() - start;
        if (elapsed < best)
            best = elapsed;
    }
    return best;
}

int64_t FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &info))
        return -1;
    return static_cast<int64_t>(info.nFileSizeHigh) << 32 | info.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: fingerprint_winbench WHOLE_FILE SPARSE_FILE [cryptdll|builtin]\n");
        return 2;
    }
    const std::string whole = argv[1], sparse = argv[2];
    const char* only = argc > 3 ? argv[3] : nullptr;
    const int64_t wholeSize = FileSize(whole);
    for (Md5Source source : {Md5Source::Cryptdll, Md5Source::BuiltIn}) {
        const char* name = source == Md5Source::Cryptdll ? "cryptdll" : "builtin";
        if (only && std::strcmp(only, name) != 0)
            continue;
        if (!SelectMd5Source(source)) {
            std::printf("fingerprint (%s): not available\n", name);
            continue;
        }
        std::string fingerprint;
        double seconds = BestSeconds(whole, 5, &fingerprint);
        std::printf("fingerprint (%-8s) whole file    %8.1f MiB/s  (%.3f s, best of 5)  %s\n", name,
                    wholeSize / 1048576.0 / seconds, seconds, fingerprint.c_str());
        seconds = BestSeconds(sparse, 3, &fingerprint);
        std::printf("fingerprint (%-8s) sampled 5 GiB %8.3f s  %s\n", name, seconds, fingerprint.c_str());
    }
    SelectMd5Source(Md5Source::Cryptdll);
    PrintPeakMemory("fingerprint_winbench");
    return 0;
}
