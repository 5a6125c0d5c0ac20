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
// Path of the running executable into buffer; returns the byte count written,
// size when the path did not fit (the text may then lack its NUL), 0 on failure.
unsigned long GetModuleFileNameA(char* buffer, unsigned long size);
const char* CharNextA(const char* position);
unsigned GetACP();
// Leaves leadBytes untouched when the code page is unknown.
void GetCPInfo(unsigned codePage, unsigned char (&leadBytes)[MaxLeadBytes]);

void* HeapAlloc(std::size_t size);   // null when memory is exhausted
void HeapFree(void* block);

// Loads SHELL32 from System32 for the request; without it, nothing happens.
void ShellExecuteA(void* window, const char* verb, const char* file,
                   const char* parameters, const char* directory, int show);
// ANSI text of the process code page to UTF-16; returns code units written with
// the NUL, 0 on failure.
int MultiByteToWideChar(const char* text, char16_t* out, int outSize);
void MessageBoxW(void* window, const char16_t* text, const char16_t* caption,
                 unsigned type);
[[noreturn]] void ExitProcess(unsigned code);

}  // namespace platform
