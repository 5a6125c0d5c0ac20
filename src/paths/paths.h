// Directory part of a path, aware of double-byte characters whose second byte
// can be 0x5C, the byte of the backslash.
#pragma once

#include <cstddef>

#include "text/ansi_text.h"

// Which bytes begin a double-byte character in the process ANSI code page.
// Filled once at start, read-only afterwards.
struct LocaleSettings {
  bool DoubleByteAware;
  bool LeadByteSet[256];
};

extern LocaleSettings Locale;

enum class ByteKind { SingleByte, LeadByte, TrailByte };

void LoadLocaleSettings();
LocaleSettings LocaleSettingsFromLeadBytes(const unsigned char* pairs);
ByteKind ClassifyByte(const char* text, std::size_t index);
std::size_t FindLastSeparator(const char* separators, const char* text);
AnsiText DirectoryPartOf(const AnsiText& path);
AnsiText WithTrailingBackslash(AnsiText text);
