#include "paths/paths.h"

#include "platform/platform.h"

LocaleSettings Locale;

namespace {

bool IsLeadByte(char byte) {
  return Locale.LeadByteSet[static_cast<unsigned char>(byte)];
}

bool IsOneOf(char byte, const char* set) {
  for (; *set != '\0'; ++set) {
    if (*set == byte) return true;
  }
  return false;
}

}  // namespace

// The texts the launcher cuts (command line, module path) are in the process
// ANSI code page, so that code page alone decides the lead bytes, whatever
// the user locale says.
void LoadLocaleSettings() {
  unsigned char pairs[platform::MaxLeadBytes] = {};
  platform::GetCPInfo(platform::GetACP(), pairs);
  Locale = LocaleSettingsFromLeadBytes(pairs);
}

// Up to six (first, last) ranges; a (0, 0) pair ends the list, and a pair with
// last < first adds nothing without ending it.
LocaleSettings LocaleSettingsFromLeadBytes(const unsigned char* pairs) {
  LocaleSettings settings = {};
  for (int i = 0; i < platform::MaxLeadBytes; i += 2) {
    const unsigned first = pairs[i];
    const unsigned last = pairs[i + 1];
    if (first == 0 && last == 0) break;
    for (unsigned b = first; b <= last; ++b) {
      settings.LeadByteSet[b] = true;
      settings.DoubleByteAware = true;
    }
  }
  return settings;
}

// The byte before a run of lead-set bytes is never part of a double-byte
// character, so the run starts on a character boundary: an odd run makes
// byte i its trail byte. Looks back over that run only, never the whole text.
ByteKind ClassifyByte(const char* text, std::size_t index) {
  if (!Locale.DoubleByteAware || text == nullptr || text[index] == '\0') {
    return ByteKind::SingleByte;
  }
  std::size_t run = 0;
  while (run < index && IsLeadByte(text[index - run - 1])) ++run;
  if (run % 2 == 1) return ByteKind::TrailByte;
  return IsLeadByte(text[index]) ? ByteKind::LeadByte : ByteKind::SingleByte;
}

// Length of the prefix that ends with the last separator byte which is not
// the second half of a double-byte character; 0 when there is none. A trail
// byte is skipped together with its lead byte.
std::size_t FindLastSeparator(const char* separators, const char* text) {
  std::size_t n = LengthOf(text);
  while (n > 0) {
    if (IsOneOf(text[n - 1], separators)) {
      if (ClassifyByte(text, n - 1) != ByteKind::TrailByte) return n;
      --n;
    }
    --n;
  }
  return 0;
}

// Backslash and colon end a directory; the forward slash does not.
AnsiText DirectoryPartOf(const AnsiText& path) {
  return AnsiText::Copy(
      TextView(path.CString(), FindLastSeparator("\\:", path.CString())));
}

AnsiText WithTrailingBackslash(AnsiText text) {
  const std::size_t n = text.Length();
  if (n > 0 && text.CString()[n - 1] == '\\' &&
      ClassifyByte(text.CString(), n - 1) == ByteKind::SingleByte) {
    return text;
  }
  return AnsiText::Concatenate({text, "\\"});
}
