// Fake definitions of the platform calls for the Linux tests.
#include "fake_platform.h"

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

unsigned long GetModuleFileNameA(char* buffer, unsigned long size) {
  if (fake.moduleFileNameFails) return 0;
  const std::string& path = fake.modulePath;
  if (path.size() >= size) {
    // As older systems do: fill the buffer, no NUL, report its size.
    std::memcpy(buffer, path.data(), size);
    return size;
  }
  std::memcpy(buffer, path.c_str(), path.size() + 1);
  return path.size();
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
  if (++fake.allocations == fake.failAllocation) return nullptr;
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

// Each character becomes one code unit: a byte its own value, a double-byte
// character lead * 256 + trail. Enough to see which bytes were converted.
int MultiByteToWideChar(const char* text, char16_t* out, int outSize) {
  int used = 0;
  for (const char* p = text;; p = CharNextA(p)) {
    if (used == outSize) return 0;
    const auto lead = static_cast<unsigned char>(p[0]);
    out[used++] = CharNextA(p) - p == 2
                      ? static_cast<char16_t>(lead << 8 | static_cast<unsigned char>(p[1]))
                      : lead;
    if (lead == 0) return used;
  }
}

void MessageBoxW(void* window, const char16_t* text, const char16_t* caption,
                 unsigned type) {
  fake.messageBoxes.push_back({window, text, caption, type});
}

void ExitProcess(unsigned code) { throw ProcessExit{code}; }

}  // namespace platform
