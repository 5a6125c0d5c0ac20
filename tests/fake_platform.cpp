// Fake definitions of the platform calls for the Linux tests.
#include "fake_platform.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>

#include "launch/launcher.h"
#include "paths/paths.h"
#include "platform/platform.h"

namespace {

FakeWindows fake;

const std::map<unsigned, std::vector<unsigned char>> LeadBytePairsOf = {
    {932, {0x81, 0x9F, 0xE0, 0xFC}},
    {936, {0x81, 0xFE}},
    {949, {0x81, 0xFE}},
    {950, {0x81, 0xFE}},
    {1252, {}},
};

}  // namespace

FakeWindows& Fake() { return fake; }

bool FakeLeadByte(unsigned char byte) {
  const auto& pairs = fake.leadBytePairs;
  for (std::size_t i = 0; i + 1 < pairs.size(); i += 2) {
    if (pairs[i] == 0 && pairs[i + 1] == 0) break;
    if (byte >= pairs[i] && byte <= pairs[i + 1]) return true;
  }
  return false;
}

std::u16string Wide(const std::string& ansi) {
  std::u16string wide;
  for (const char* p = ansi.c_str(); *p != '\0';) {
    const char* next = platform::CharNextA(p);
    const auto lead = static_cast<unsigned char>(p[0]);
    wide += next - p == 2 ? static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(p[1]))
                          : static_cast<char16_t>(lead);
    p = next;
  }
  return wide;
}

void ResetFake(unsigned codePage) {
  fake = FakeWindows();
  UseCodePage(codePage);
}

void UseCodePage(unsigned codePage) {
  fake.acp = codePage;
  fake.leadBytePairs = LeadBytePairsOf.at(codePage);
  LoadLocaleSettings();
}

unsigned RunLauncher() {
  try {
    LauncherMain();
  } catch (const ProcessExit& exit) {
    return exit.code;
  }
}

namespace platform {

void RestrictDllSearchToSystem32() { fake.calls.push_back("RestrictDllSearchToSystem32"); }

const char* GetCommandLineA() { return fake.commandLine.c_str(); }

unsigned long GetModuleFileNameW(char16_t* buffer, unsigned long size) {
  if (fake.moduleFileNameFails || fake.allocationFailed) return 0;
  const std::u16string& path = fake.modulePath;
  if (path.size() >= size) {
    // As older systems do: fill the buffer, no NUL.
    std::copy(path.begin(), path.begin() + size, buffer);
    return size - fake.cutCountShortfall;
  }
  std::copy(path.begin(), path.end(), buffer);
  buffer[path.size()] = u'\0';
  return path.size();
}

unsigned long GetShortPathNameW(const char16_t* path, char16_t* buffer,
                                unsigned long size) {
  if (fake.allocationFailed) return 0;
  std::u16string answer = path;
  if (answer == fake.modulePath && !fake.shortModulePath.empty()) {
    answer = fake.shortModulePath;
  }
  if (answer.size() >= size) return answer.size() + 1;
  std::copy(answer.begin(), answer.end(), buffer);
  buffer[answer.size()] = u'\0';
  return answer.size();
}

// The inverse of Wide: '?' for a code unit that has no exact spelling.
int WideCharToMultiByte(const char16_t* text, char* out, int outSize,
                        bool& usedDefault) {
  std::string ansi;
  usedDefault = false;
  for (; *text != u'\0'; ++text) {
    const unsigned unit = *text;
    const unsigned lead = unit >> 8, trail = unit & 0xFF;
    if (unit < 0x100 && !FakeLeadByte(static_cast<unsigned char>(unit))) {
      ansi += static_cast<char>(unit);
    } else if (unit >= 0x100 && lead < 0x100 && FakeLeadByte(lead) && trail != 0) {
      ansi += static_cast<char>(lead);
      ansi += static_cast<char>(trail);
    } else {
      ansi += '?';
      usedDefault = true;
    }
  }
  if (static_cast<int>(ansi.size()) >= outSize) return 0;
  std::memcpy(out, ansi.c_str(), ansi.size() + 1);
  return static_cast<int>(ansi.size()) + 1;
}

// Steps over a whole double-byte character, but never past the NUL.
const char* CharNextA(const char* position) {
  if (*position == '\0') return position;
  if (FakeLeadByte(static_cast<unsigned char>(*position)) &&
      position[1] != '\0') {
    return position + 2;
  }
  return position + 1;
}

unsigned GetACP() { return fake.acp; }

void GetCPInfo(unsigned codePage, unsigned char (&leadBytes)[MaxLeadBytes]) {
  fake.codePagesAsked.push_back(codePage);
  if (fake.cpInfoFails) return;
  std::memset(leadBytes, 0, MaxLeadBytes);
  for (std::size_t i = 0; i < fake.leadBytePairs.size() && i < MaxLeadBytes; ++i) {
    leadBytes[i] = fake.leadBytePairs[i];
  }
}

void* HeapAlloc(std::size_t size) {
  if (++fake.allocations == fake.failAllocation) {
    fake.allocationFailed = true;
    return nullptr;
  }
  ++fake.liveBlocks;
  return std::malloc(size);
}

void HeapFree(void* block) {
  if (!block) return;
  --fake.liveBlocks;
  std::free(block);
}

void ShellExecuteA(void* window, const char* verb, const char* file,
                   const char* parameters, const char* directory, int show) {
  fake.calls.push_back("ShellExecuteA");
  fake.shellRequests.push_back({window, verb, file, parameters, directory, show});
}

void MessageBoxW(void* window, const char16_t* text, const char16_t* caption,
                 unsigned type) {
  fake.messageBoxes.push_back({window, text, caption, type});
}

void ExitProcess(unsigned code) { throw ProcessExit{code}; }

}  // namespace platform
