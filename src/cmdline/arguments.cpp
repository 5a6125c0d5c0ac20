#include "cmdline/arguments.h"

#include <utility>

#include "platform/platform.h"

namespace {

// The longest path Windows has is 32767 units with its NUL; in an ANSI code
// page a unit takes two bytes at most.
constexpr unsigned long WidePathCapacity = 32768;
constexpr int AnsiPathCapacity = 2 * WidePathCapacity;
char16_t widePath[WidePathCapacity];
char16_t shortPath[WidePathCapacity];
char modulePath[AnsiPathCapacity];
std::size_t modulePathLength;

// The path in the ANSI code page, only if every character has its exact
// spelling there: a look-alike or "?" would name another folder, or none.
bool SpellExactly(const char16_t* path) {
  bool usedDefault = false;
  const int n = platform::WideCharToMultiByte(path, modulePath, AnsiPathCapacity,
                                              usedDefault);
  if (n == 0 || usedDefault) return false;
  modulePathLength = static_cast<std::size_t>(n) - 1;
  return true;
}

bool IsSeparator(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return b >= 0x01 && b <= 0x20;
}

// Where the argument at or after position begins: separators are skipped, and
// so is a pair of double quotes, with the separators around it.
std::size_t SkipToArgument(const char* commandLine, std::size_t position) {
  for (;;) {
    while (IsSeparator(commandLine[position])) {
      position = platform::CharNextA(commandLine + position) - commandLine;
    }
    if (commandLine[position] != '"' || commandLine[position + 1] != '"') {
      return position;
    }
    position += 2;
  }
}

struct Walk {
  std::size_t length;  // bytes of the argument, quotes not counted
  std::size_t end;
};

// An argument runs to the first separator outside double quotes. A quote
// opens and closes anywhere in it and is dropped; an unclosed one runs to the
// end of the line. Backslashes are ordinary bytes. Steps are characters, so a
// double-byte character is taken whole. Copies into out when it is not null.
Walk WalkArgument(const char* commandLine, std::size_t position, char* out) {
  const char* p = commandLine + position;
  std::size_t length = 0;
  auto take = [&] {
    const char* next = platform::CharNextA(p);
    for (; p < next; ++p, ++length) {
      if (out) out[length] = *p;
    }
  };
  while (static_cast<unsigned char>(*p) > 0x20) {
    if (*p != '"') {
      take();
      continue;
    }
    p = platform::CharNextA(p);
    while (*p != '\0' && *p != '"') take();
    if (*p == '"') p = platform::CharNextA(p);
  }
  return {length, static_cast<std::size_t>(p - commandLine)};
}

// The end of the argument at or after position, without copying it; 0 length
// means the line has ended.
Walk MeasureArgument(const char* commandLine, std::size_t position) {
  return WalkArgument(commandLine, SkipToArgument(commandLine, position),
                      nullptr);
}

}  // namespace

ScannedArgument ScanArgument(const char* commandLine, std::size_t position) {
  const std::size_t start = SkipToArgument(commandLine, position);
  const Walk walk = WalkArgument(commandLine, start, nullptr);
  AnsiText text = AnsiText::OfLength(walk.length);
  WalkArgument(commandLine, start, text.Data());
  return {std::move(text), walk.end};
}

// Arguments after the program name, up to the first empty one; the line is
// scanned afresh on every call.
int ArgumentCount() {
  const char* commandLine = platform::GetCommandLineA();
  Walk walk = MeasureArgument(commandLine, 0);
  int count = 0;
  for (;;) {
    walk = MeasureArgument(commandLine, walk.end);
    if (walk.length == 0) return count;
    ++count;
  }
}

// Index 0 is the module path, not the program name of the line, so the
// directory is right however the launcher was started.
AnsiText ArgumentAt(unsigned index) {
  if (index == 0) return AnsiText::Copy(ModulePath());
  const char* commandLine = platform::GetCommandLineA();
  std::size_t position = MeasureArgument(commandLine, 0).end;
  for (; index > 1; --index) {
    const Walk walk = MeasureArgument(commandLine, position);
    if (walk.length == 0) return AnsiText();
    position = walk.end;
  }
  return ScanArgument(commandLine, position).text;
}

// Read before anything can run out of memory: the failure box names the file
// from it, and a platform out of memory may no longer answer.
void LoadModulePath() {
  modulePathLength = 0;  // unknown until a spelling is exact
  const unsigned long n = platform::GetModuleFileNameW(widePath, WidePathCapacity);
  // A count at or near the buffer size may be a cut path, which names an
  // ancestor folder and so another ORVA.EXE.
  if (n == 0 || n >= WidePathCapacity - 1) {
    widePath[0] = u'\0';
    return;
  }
  widePath[n] = u'\0';
  if (SpellExactly(widePath)) return;
  // The 8.3 form names the same file, in characters the code page has, where
  // the volume keeps such names.
  const unsigned long s = platform::GetShortPathNameW(widePath, shortPath, WidePathCapacity);
  if (s != 0 && s < WidePathCapacity) SpellExactly(shortPath);
}

TextView ModulePath() { return TextView(modulePath, modulePathLength); }

const char16_t* ModuleFileName() {
  const char16_t* name = widePath;
  for (const char16_t* p = widePath; *p != u'\0'; ++p) {
    if (*p == u'\\') name = p + 1;
  }
  return name;
}
