// The one failure the launcher reports: memory running out.
#include <cstdint>

#include "cmdline/arguments.h"
#include "platform/platform.h"
#include "text/ansi_text.h"

namespace {

constexpr char16_t Caption[] = u"アプリケーション エラー";
constexpr char16_t FailureKind[] = u"OutOfMemory";
constexpr char16_t OutOfMemoryMessage[] = u"メモリが足りません";

// Static, because the heap is what has run out. Room for the longest file
// name and the fixed words around it.
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

  // The message closes with a full stop; one is added only where it lacks one.
  void AppendSentence(const char16_t* message) {
    Append(message);
    const char16_t last = boxText[used - 1];
    if (last != u'.' && last != u'。') Append(u".");
  }
};

}  // namespace

// Text after «%s がモジュール %s の %p で発生しました。\r\n%s%s\r\n»: failure
// kind, executable file name, address, message and its full stop. The name is
// the one read at the start of the run; the platform is not asked again.
void ReportOutOfMemory(const void* address) {
  BoxWriter box;
  box.Append(FailureKind);
  box.Append(u" がモジュール ");
  box.Append(ModuleFileName());
  box.Append(u" の ");
  box.AppendAddress(address);
  box.Append(u" で発生しました。\r\n");
  box.AppendSentence(OutOfMemoryMessage);
  box.Append(u"\r\n");
  platform::MessageBoxW(nullptr, boxText, Caption, platform::TaskModalErrorBox);
  platform::ExitProcess(1);
}
