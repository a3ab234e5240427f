#include "scan/fingerprint.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "scan_test_files.h"
#include "support/reference_md5.h"

using namespace scan_test;

namespace {

// The writer process: this test program started again with the path in
// HoldForWritingVariable. It opens the file for writing (letting others read
// and write), signals that it holds it and waits to be released.
constexpr char HoldForWritingVariable[] = "KESTRINE_TEST_HOLD_FOR_WRITING";
constexpr char WriterReadyEvent[] = "KestrineScanTestWriterReady";
constexpr char WriterReleaseEvent[] = "KestrineScanTestWriterRelease";

const bool writerChildDone = [] {
    char path[MAX_PATH];
    if (!GetEnvironmentVariableA(HoldForWritingVariable, path, sizeof path))
        return false;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    HANDLE ready = OpenEventA(EVENT_MODIFY_STATE, FALSE, WriterReadyEvent);
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, WriterReleaseEvent);
    if (file == INVALID_HANDLE_VALUE || !ready || !release)
        ExitProcess(3);
    SetEvent(ready);
    WaitForSingleObject(release, 60000);
    CloseHandle(file);
    ExitProcess(0);
}();

// Writes size bytes of the pattern with the seed and returns the reference
// MD5 of what was written.
std::string WritePatternFile(const std::string& path, uint64_t seed, int64_t size)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
    reference_md5::Md5 md5;
    const int64_t chunk = 4 << 20;
    for (int64_t offset = 0; offset < size; offset += chunk) {
        std::vector<uint8_t> bytes = PatternBytes(seed, static_cast<uint64_t>(offset),
                                                  static_cast<size_t>(std::min(chunk, size - offset)));
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
        md5.Add(bytes.data(), bytes.size());
    }
    CloseHandle(file);
    return md5.FinishHex();
}

// A sparse file of the given size: zeros, except pattern bytes in each range.
struct Range {
    int64_t begin, end;
};
void WriteSparseFile(const std::string& path, int64_t size, uint64_t seed, const std::vector<Range>& filled)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD returned = 0;
    DeviceIoControl(file, FSCTL_SET_SPARSE, nullptr, 0, nullptr, 0, &returned, nullptr);
    LARGE_INTEGER position;
    position.QuadPart = size;
    SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
    SetEndOfFile(file);
    for (const Range& r : filled) {
        std::vector<uint8_t> bytes = PatternBytes(seed, static_cast<uint64_t>(r.begin), static_cast<size_t>(r.end - r.begin));
        position.QuadPart = r.begin;
        SetFilePointerEx(file, position, nullptr, FILE_BEGIN);
        DWORD written = 0;
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    }
    CloseHandle(file);
}

// The content a sparse file made by WriteSparseFile holds at [offset, offset + length).
std::vector<uint8_t> SparseContent(uint64_t seed, const std::vector<Range>& filled, int64_t offset, int64_t length)
{
    std::vector<uint8_t> bytes(static_cast<size_t>(length), 0);
    for (const Range& r : filled)
        for (int64_t at = std::max(r.begin, offset); at < std::min(r.end, offset + length); ++at)
            bytes[static_cast<size_t>(at - offset)] = PatternByte(seed, static_cast<uint64_t>(at));
    return bytes;
}

// The expected sampled digest: the six windows at the given starts, then the
// four bytes 00 00 50 00 (a full last window of 5242880 bytes).
template <typename WindowFunction>
std::string ExpectedSampledDigest(const std::vector<int64_t>& starts, WindowFunction window)
{
    reference_md5::Md5 md5;
    for (int64_t start : starts) {
        std::vector<uint8_t> bytes = window(start, 5242880);
        md5.Add(bytes.data(), bytes.size());
    }
    const uint8_t count[4] = {0x00, 0x00, 0x50, 0x00};
    md5.Add(count, 4);
    return md5.FinishHex();
}

// Runs a check once with each MD5 source; the sources must agree.
class FingerprintWithEachSource : public testing::TestWithParam<Md5Source> {
protected:
    void SetUp() override { ASSERT_TRUE(SelectMd5Source(GetParam())); }
    void TearDown() override { SelectMd5Source(Md5Source::Cryptdll); }
    TempFolder folder;
};

std::string SourceName(const testing::TestParamInfo<Md5Source>& info)
{
    return info.param == Md5Source::Cryptdll ? "Cryptdll" : "BuiltIn";
}

}  // namespace

INSTANTIATE_TEST_SUITE_P(Md5Sources, FingerprintWithEachSource, testing::Values(Md5Source::Cryptdll, Md5Source::BuiltIn),
                         SourceName);

TEST_P(FingerprintWithEachSource, EmptyFileGetsTheDigestOfNothing)
{
    std::string path = folder / "empty.bin";
    ASSERT_TRUE(WriteTestFile(path, ""));
    EXPECT_EQ(ComputeFileFingerprint(path), "0,D41D8CD98F00B204E9800998ECF8427E");
}

TEST_P(FingerprintWithEachSource, WholeFileDigestUpToTheThreshold)
{
    // One read, two reads, and the largest file that is read whole (40 reads).
    for (int64_t size : {int64_t{3}, int64_t{5242880}, int64_t{5242881}, int64_t{209715200}}) {
        std::string path = folder / ("whole_" + std::to_string(size) + ".bin");
        std::string expected = std::to_string(size) + "," + WritePatternFile(path, 7, size);
        EXPECT_EQ(ComputeFileFingerprint(path), expected) << size;
        DeleteFileA(path.c_str());
    }
}

TEST_P(FingerprintWithEachSource, SampledDigestJustAboveTheThreshold)
{
    const int64_t size = 209715201;
    std::string path = folder / "sampled.bin";
    std::string wholeDigest = WritePatternFile(path, 11, size);
    std::string expected = std::to_string(size) + "," +
                           ExpectedSampledDigest({0, 41943040, 83886081, 125829125, 167772163, 204472321},
                                                 [](int64_t start, int64_t length) {
                                                     return PatternBytes(11, static_cast<uint64_t>(start),
                                                                         static_cast<size_t>(length));
                                                 });
    std::string fingerprint = ComputeFileFingerprint(path);
    EXPECT_EQ(fingerprint, expected);
    EXPECT_NE(fingerprint, std::to_string(size) + "," + wholeDigest);
}

TEST_P(FingerprintWithEachSource, SampledDigestReachesPositionsBeyondFourGibibytes)
{
    // 5 GiB, sparse: only the bytes around each window are written, so that a
    // window read at a wrapped or rounded position sees other bytes (a
    // position cut to 32 bits lands in the first window's bytes, shifted).
    const int64_t size = 5368709120;
    const std::vector<int64_t> starts = {0, 1073741840, 2147483680, 3221225600, 4294967360, 5363466240};
    std::vector<Range> filled;
    for (int64_t start : starts)
        filled.push_back({std::max<int64_t>(0, start - 4096), std::min(size, start + 5242880 + 4096)});
    std::string path = folder / "sparse5g.bin";
    WriteSparseFile(path, size, 23, filled);

    std::string expected = std::to_string(size) + "," + ExpectedSampledDigest(starts, [&](int64_t start, int64_t length) {
                               return SparseContent(23, filled, start, length);
                           });
    EXPECT_EQ(ComputeFileFingerprint(path), expected);
}

TEST_P(FingerprintWithEachSource, SampledFilesDifferingOutsideTheWindowsAreEqual)
{
    const int64_t size = 300000000;
    // Windows of this size start at 0, 60000000, 120000002, 180000007, 240000003, 294757120.
    std::vector<Range> base = {{0, 1000}, {60000000, 60001000}, {294757120 + 5242000, 294757120 + 5242880}};
    std::vector<Range> outside = base;
    outside.push_back({100000000, 100000100});
    std::vector<Range> inside = base;
    inside.push_back({180000007 + 5242879, 180000007 + 5242880});  // the last byte of the fourth window
    std::string pathBase = folder / "base.bin", pathOutside = folder / "outside.bin", pathInside = folder / "inside.bin";
    WriteSparseFile(pathBase, size, 5, base);
    WriteSparseFile(pathOutside, size, 5, outside);
    WriteSparseFile(pathInside, size, 5, inside);
    std::string fingerprint = ComputeFileFingerprint(pathBase);
    EXPECT_EQ(fingerprint.substr(0, 10), "300000000,");
    EXPECT_EQ(ComputeFileFingerprint(pathOutside), fingerprint);
    EXPECT_NE(ComputeFileFingerprint(pathInside), fingerprint);
}

TEST_P(FingerprintWithEachSource, ReadOnlyAndSharedForReadingFilesGetTheirRealFingerprint)
{
    std::string path = folder / "readonly.txt";
    ASSERT_TRUE(WriteTestFile(path, "abc"));
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ComputeFileFingerprint(path), "3,900150983CD24FB0D6963F7D28E17F72");

    // Another reader that lets others read does not keep us out.
    HANDLE reader =
        CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ComputeFileFingerprint(path), "3,900150983CD24FB0D6963F7D28E17F72");
    CloseHandle(reader);
}

TEST_P(FingerprintWithEachSource, FileHeldOpenForWritingByAnotherProcessIsAReadError)
{
    std::string path = folder / "held.txt";
    ASSERT_TRUE(WriteTestFile(path, "abc"));
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, WriterReadyEvent);
    HANDLE release = CreateEventA(nullptr, TRUE, FALSE, WriterReleaseEvent);
    char self[MAX_PATH];
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    SetEnvironmentVariableA(HoldForWritingVariable, path.c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::string commandLine = "\"" + std::string(self) + "\"";
    BOOL started = CreateProcessA(self, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    SetEnvironmentVariableA(HoldForWritingVariable, nullptr);
    ASSERT_TRUE(started);
    ASSERT_EQ(WaitForSingleObject(ready, 30000), WAIT_OBJECT_0) << "the writer process did not open the file";

    EXPECT_EQ(ComputeFileFingerprint(path), ReadErrorText);

    SetEvent(release);
    WaitForSingleObject(process.hProcess, 30000);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(ready);
    CloseHandle(release);
    // Released, the file is readable again.
    EXPECT_EQ(ComputeFileFingerprint(path), "3,900150983CD24FB0D6963F7D28E17F72");
}

TEST_P(FingerprintWithEachSource, MissingPathAndFolderAreReadErrors)
{
    EXPECT_EQ(ComputeFileFingerprint(folder / "no such file.txt"), ReadErrorText);
    EXPECT_EQ(ComputeFileFingerprint(folder.Folder()), ReadErrorText);
}

TEST_P(FingerprintWithEachSource, FileThatEndsBeforeItsSizeIsAReadError)
{
    // A Linux sysfs attribute reports 4096 bytes but delivers only a few.
    const char* path = "Z:\\sys\\kernel\\mm\\transparent_hugepage\\enabled";
    WIN32_FILE_ATTRIBUTE_DATA info;
    if (!GetFileAttributesExA(path, GetFileExInfoStandard, &info) || info.nFileSizeLow != 4096)
        GTEST_SKIP() << "no sysfs attribute file here";
    EXPECT_EQ(ComputeFileFingerprint(path), ReadErrorText);
}

TEST(Md5Source, CryptdllIsUsedWhenPresent)
{
    // Cryptdll.dll exports MD5Init, MD5Update and MD5Final on Windows and Wine.
    EXPECT_TRUE(SelectMd5Source(Md5Source::Cryptdll));
    EXPECT_EQ(ActiveMd5Source(), Md5Source::Cryptdll);
}
