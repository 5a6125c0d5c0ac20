// Test definitions of the platform calls: scripted answers in, recorded
// requests out.
#pragma once

#include <string>
#include <vector>

struct ShellRequest {
  void* window;
  std::string verb, file, parameters, directory;
  int show;
};

struct MessageBox {
  void* window;
  std::u16string text, caption;
  unsigned type;
};

// Thrown by the fake ExitProcess so that a test sees the exit code and the
// launcher's stack unwinds as the process would end.
struct ProcessExit {
  unsigned code;
};

struct FakeWindows {
  // What the platform answers.
  std::string commandLine = "orvalaunch.exe";
  // The executable's path in the fake's UTF-16 (see Wide), and its 8.3 form;
  // an empty short path is a volume without 8.3 names.
  std::u16string modulePath = uR"(C:\Tools\orvalaunch.exe)";
  std::u16string shortModulePath;
  bool moduleFileNameFails = false;
  // What GetModuleFileNameW returns below the buffer size for a cut path.
  unsigned long cutCountShortfall = 0;
  unsigned acp = 1252;
  // Lead-byte pairs GetCPInfo reports for acp; CharNextA steps by them too.
  std::vector<unsigned char> leadBytePairs;
  bool cpInfoFails = false;
  int failAllocation = 0;  // 1-based number of the HeapAlloc that fails; 0 none

  // What the launcher did.
  std::vector<std::string> calls;  // DLL search restriction and shell requests, in order
  std::vector<ShellRequest> shellRequests;
  std::vector<MessageBox> messageBoxes;
  std::vector<unsigned> codePagesAsked;
  int allocations = 0;
  // Set by a failed HeapAlloc: the path calls fail from then on, as Windows'
  // may once the heap is exhausted.
  bool allocationFailed = false;
  int liveBlocks = 0;
};

FakeWindows& Fake();
// Whether the fake's code page begins a double-byte character with byte: its
// lead-byte pairs walked as a list that a (0, 0) pair ends.
bool FakeLeadByte(unsigned char byte);
// The fake's UTF-16 for ANSI text of its code page: a character is one code
// unit, a byte its own value, a double-byte character lead * 256 + trail.
// Code units of no other form have no exact spelling in the code page.
std::u16string Wide(const std::string& ansi);
// A fresh fake in the given code page: 932, 936, 949, 950 or 1252.
void ResetFake(unsigned codePage = 1252);
// Code page and lead bytes for the fake and the launcher's settings alike.
void UseCodePage(unsigned codePage);
// LauncherMain, with the exit code it ended with.
unsigned RunLauncher();
