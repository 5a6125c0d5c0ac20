#include "launch/internal_failure.h"

#include <cstddef>
#include <cstdint>

#include "cmdline/arguments.h"
#include "paths/paths.h"
#include "platform/platform.h"

namespace {

constexpr char16_t Caption[] = u"アプリケーション エラー";
constexpr char16_t FailureKind[] = u"OutOfMemory";
constexpr char16_t OutOfMemoryMessage[] = u"メモリが足りません";

// Static, because the heap is what has run out. Room for the longest module
// path and the fixed words around it.
constexpr int BoxTextCapacity = 32768 + 256;
char16_t boxText[BoxTextCapacity];

struct BoxWriter {
  int used = 0;

  void Append(const char16_t* text) {
    for (; *text != u'\0' && used < BoxTextCapacity - 1; ++text) {
      boxText[used++] = *text;
    }
    boxText[used] = u'\0';
  }

  void AppendAddress(const void* address) {
    char16_t digits[2 * sizeof(void*) + 1];
    auto value = reinterpret_cast<std::uintptr_t>(address);
    for (int i = 2 * sizeof(void*) - 1; i >= 0; --i, value >>= 4) {
      digits[i] = u"0123456789ABCDEF"[value & 0xF];
    }
    digits[2 * sizeof(void*)] = u'\0';
    Append(digits);
  }

  // The ANSI name goes through the platform's conversion straight into the box.
  void AppendAnsi(const char* text) {
    const int written = platform::MultiByteToWideChar(
        text, boxText + used, BoxTextCapacity - used);
    if (written > 0) used += written - 1;
    boxText[used] = u'\0';
  }
};

}  // namespace

// Text after «%s がモジュール %s の %p で発生しました。\r\n%s%s\r\n»: failure
// kind, executable file name, address, message, and a full stop, which the
// message lacks.
void ReportOutOfMemory(const void* address) {
  const char* path = ModulePathBytes();
  BoxWriter box;
  box.Append(FailureKind);
  box.Append(u" がモジュール ");
  box.AppendAnsi(path + FindLastSeparator("\\", path));
  box.Append(u" の ");
  box.AppendAddress(address);
  box.Append(u" で発生しました。\r\n");
  box.Append(OutOfMemoryMessage);
  box.Append(u".");
  box.Append(u"\r\n");
  platform::MessageBoxW(nullptr, boxText, Caption, platform::TaskModalErrorBox);
  platform::ExitProcess(1);
}
