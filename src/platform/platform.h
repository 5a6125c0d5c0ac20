// The Windows calls the launcher makes, as plain functions. win32.cpp defines
// them for the exe, the test fake defines them for Linux; nothing else may.
#pragma once

#include <cstddef>

namespace platform {

constexpr int ShowCommandShow = 5;               // SW_SHOW
constexpr unsigned TaskModalErrorBox = 0x2010;   // MB_TASKMODAL | MB_ICONERROR
constexpr int MaxLeadBytes = 12;                 // MAX_LEADBYTES: six (first, last) pairs

// Where the system allows it, DLLs load from System32 only from here on, so
// that none planted beside the launcher is ever loaded into it.
void RestrictDllSearchToSystem32();

const char* GetCommandLineA();
// Path of the running executable in UTF-16 into buffer; returns the units
// written without the NUL, 0 on failure. A path that does not fit is cut, and
// the count is then size or just under it.
unsigned long GetModuleFileNameW(char16_t* buffer, unsigned long size);
// The 8.3 form of an existing path; components without a short name stay as
// they are. Returns units without the NUL, the size needed with the NUL when
// buffer is too small, 0 on failure.
unsigned long GetShortPathNameW(const char16_t* path, char16_t* buffer,
                                unsigned long size);
// NUL-terminated UTF-16 to the process ANSI code page, never a best-fit
// look-alike: a character without an exact spelling becomes the default
// character and sets usedDefault. Returns bytes written with the NUL, 0 when
// out is too small or the call fails.
int WideCharToMultiByte(const char16_t* text, char* out, int outSize,
                        bool& usedDefault);
const char* CharNextA(const char* position);
unsigned GetACP();
// Leaves leadBytes untouched when the code page is unknown.
void GetCPInfo(unsigned codePage, unsigned char (&leadBytes)[MaxLeadBytes]);

void* HeapAlloc(std::size_t size);   // null when memory is exhausted
void HeapFree(void* block);

// Loads SHELL32 from System32 for the request; without it, nothing happens.
void ShellExecuteA(void* window, const char* verb, const char* file,
                   const char* parameters, const char* directory, int show);
void MessageBoxW(void* window, const char16_t* text, const char16_t* caption,
                 unsigned type);
[[noreturn]] void ExitProcess(unsigned code);

}  // namespace platform
