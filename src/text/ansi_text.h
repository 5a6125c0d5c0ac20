// Counted ANSI byte strings, owned by value and always NUL-terminated so that
// they go to the platform as they are.
#pragma once

#include <cstddef>
#include <initializer_list>

// A borrowed run of bytes: a piece to copy from, never kept.
struct TextView {
  const char* bytes;
  std::size_t length;

  constexpr TextView(const char* b, std::size_t n) : bytes(b), length(n) {}
  template <std::size_t N>
  // cppcheck-suppress noExplicitConstructor ; literals stand in for pieces
  constexpr TextView(const char (&literal)[N]) : bytes(literal), length(N - 1) {}
};

// Defined by the program that uses texts: reports that memory ran out at the
// code address given and ends the process. Needs no memory of the heap.
[[noreturn]] void ReportOutOfMemory(const void* address);

// Bytes before the NUL of a NUL-terminated text.
inline std::size_t LengthOf(const char* text) {
  std::size_t n = 0;
  while (text[n] != '\0') ++n;
  return n;
}

class AnsiText {
 public:
  AnsiText() = default;
  AnsiText(AnsiText&& other) noexcept;
  AnsiText& operator=(AnsiText&& other) noexcept;
  AnsiText(const AnsiText&) = delete;
  AnsiText& operator=(const AnsiText&) = delete;
  ~AnsiText();

  // Ends the process through the internal-failure report when memory is out.
  static AnsiText Copy(TextView source);
  static AnsiText Concatenate(std::initializer_list<TextView> pieces);
  // length bytes for the caller to fill through Data().
  static AnsiText OfLength(std::size_t length);

  // An empty text still gives a NUL-terminated "", never a null pointer.
  const char* CString() const { return bytes_ ? bytes_ : ""; }
  std::size_t Length() const { return length_; }
  bool Empty() const { return length_ == 0; }
  char* Data() { return bytes_; }
  operator TextView() const { return TextView(CString(), length_); }

 private:
  char* bytes_ = nullptr;
  std::size_t length_ = 0;
};
