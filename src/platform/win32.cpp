// Win32 definitions of the platform calls; the only file that includes windows.h.
#include "platform/platform.h"

#include <windows.h>

static_assert(platform::ShowCommandShow == SW_SHOW);
static_assert(platform::TaskModalErrorBox == (MB_TASKMODAL | MB_ICONERROR));
static_assert(platform::MaxLeadBytes == MAX_LEADBYTES);
static_assert(sizeof(char16_t) == sizeof(WCHAR));

namespace {

// Looked up at run time: systems before Windows 8 may lack it, and still run.
using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
// SHELL32 is not imported, so that only a launch loads it.
using ShellExecuteAFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR,
                                                 LPCSTR, INT);

// The full System32 path, so that not even the first load searches.
HMODULE LoadShell32() {
  static const char name[] = "\\shell32.dll";
  char path[MAX_PATH + sizeof name];
  const UINT n = ::GetSystemDirectoryA(path, MAX_PATH);
  if (n == 0 || n >= MAX_PATH) return nullptr;
  for (UINT i = 0; i < sizeof name; ++i) path[n + i] = name[i];
  return ::LoadLibraryA(path);
}

}  // namespace

namespace platform {

void RestrictDllSearchToSystem32() {
  auto restrict = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void*>(::GetProcAddress(
          ::GetModuleHandleA("kernel32.dll"), "SetDefaultDllDirectories")));
  if (restrict) restrict(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

const char* GetCommandLineA() { return ::GetCommandLineA(); }

unsigned long GetModuleFileNameW(char16_t* buffer, unsigned long size) {
  return ::GetModuleFileNameW(nullptr, reinterpret_cast<WCHAR*>(buffer), size);
}

unsigned long GetShortPathNameW(const char16_t* path, char16_t* buffer,
                                unsigned long size) {
  return ::GetShortPathNameW(reinterpret_cast<const WCHAR*>(path),
                             reinterpret_cast<WCHAR*>(buffer), size);
}

int WideCharToMultiByte(const char16_t* text, char* out, int outSize,
                        bool& usedDefault) {
  BOOL defaulted = FALSE;
  const int n = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS,
                                      reinterpret_cast<const WCHAR*>(text), -1,
                                      out, outSize, nullptr, &defaulted);
  usedDefault = defaulted != FALSE;
  return n;
}

const char* CharNextA(const char* position) { return ::CharNextA(position); }

unsigned GetACP() { return ::GetACP(); }

void GetCPInfo(unsigned codePage, unsigned char (&leadBytes)[MaxLeadBytes]) {
  CPINFO info;
  if (!::GetCPInfo(codePage, &info)) return;
  for (int i = 0; i < MaxLeadBytes; ++i) leadBytes[i] = info.LeadByte[i];
}

void* HeapAlloc(std::size_t size) {
  return ::HeapAlloc(::GetProcessHeap(), 0, size);
}

void HeapFree(void* block) {
  if (block) ::HeapFree(::GetProcessHeap(), 0, block);
}

void ShellExecuteA(void* window, const char* verb, const char* file,
                   const char* parameters, const char* directory, int show) {
  HMODULE shell32 = LoadShell32();
  if (!shell32) return;
  auto execute = reinterpret_cast<ShellExecuteAFunction>(
      reinterpret_cast<void*>(::GetProcAddress(shell32, "ShellExecuteA")));
  if (execute) {
    execute(static_cast<HWND>(window), verb, file, parameters, directory, show);
  }
}

void MessageBoxW(void* window, const char16_t* text, const char16_t* caption,
                 unsigned type) {
  ::MessageBoxW(static_cast<HWND>(window), reinterpret_cast<const WCHAR*>(text),
                reinterpret_cast<const WCHAR*>(caption), type);
}

void ExitProcess(unsigned code) { ::ExitProcess(code); }

}  // namespace platform
