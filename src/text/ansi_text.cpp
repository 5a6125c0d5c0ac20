#include "text/ansi_text.h"

#include "platform/platform.h"

namespace {

// Allocates length + 1 bytes for a text; an empty text needs no block.
// caller is the code address the failure report names.
char* AllocateText(std::size_t length, const void* caller) {
  if (length == 0) return nullptr;
  auto* bytes = static_cast<char*>(platform::HeapAlloc(length + 1));
  if (!bytes) ReportOutOfMemory(caller);
  bytes[length] = '\0';
  return bytes;
}

void CopyBytes(char* to, const char* from, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) to[i] = from[i];
}

}  // namespace

AnsiText::AnsiText(AnsiText&& other) noexcept
    : bytes_(other.bytes_), length_(other.length_) {
  other.bytes_ = nullptr;
  other.length_ = 0;
}

AnsiText& AnsiText::operator=(AnsiText&& other) noexcept {
  if (this != &other) {
    platform::HeapFree(bytes_);
    bytes_ = other.bytes_;
    length_ = other.length_;
    other.bytes_ = nullptr;
    other.length_ = 0;
  }
  return *this;
}

AnsiText::~AnsiText() { platform::HeapFree(bytes_); }

AnsiText AnsiText::Copy(TextView source) {
  return Concatenate({source});
}

AnsiText AnsiText::OfLength(std::size_t length) {
  AnsiText result;
  result.bytes_ = AllocateText(length, __builtin_return_address(0));
  result.length_ = length;
  return result;
}

AnsiText AnsiText::Concatenate(std::initializer_list<TextView> pieces) {
  std::size_t length = 0;
  for (const TextView& piece : pieces) length += piece.length;
  AnsiText result = OfLength(length);
  std::size_t at = 0;
  for (const TextView& piece : pieces) {
    CopyBytes(result.bytes_ + at, piece.bytes, piece.length);
    at += piece.length;
  }
  return result;
}
