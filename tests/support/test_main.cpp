// Entry point of every test program. Under Wine the whole suite is
// meaningless unless the ANSI code page is GBK: Chinese file names and the
// program's texts would be mangled on the way between Linux and Windows.
#include <gtest/gtest.h>
#include <cstdio>

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#endif

int main(int argc, char** argv)
{
#ifdef _WIN32
    UINT acp = GetACP();
    if (acp != 936) {
        std::fprintf(stderr,
                     "FATAL: the ANSI code page is %u, not 936 (GBK). Run the tests with "
                     "LANG=zh_CN.UTF-8 and that locale generated (locale-gen zh_CN.UTF-8).\n",
                     acp);
        return 2;
    }
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_LISTVIEW_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&icc);
    // Keep message boxes of a crashing test from waiting for a click that never comes.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
