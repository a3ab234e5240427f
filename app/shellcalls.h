// The two calls by which the list commands hand a file to the shell. They go
// through these pointers so that tests can see what is handed over without
// starting programs; they are ShellExecuteA and CreateProcessA otherwise.
#pragma once

#include <windows.h>

using ShellExecuteFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
using CreateProcessFunction = BOOL(WINAPI*)(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                            DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION);

extern ShellExecuteFunction ShellExecuteCall;
extern CreateProcessFunction CreateProcessCall;
