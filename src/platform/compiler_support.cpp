// The C runtime pieces the compiler may call in the exe, which links no C
// runtime. Built as a library, so a piece is linked only when code calls it.
#include <cstddef>

// The compiler emits calls to these for struct copies and zeroing. Built
// freestanding, so that their loops do not become calls to themselves.
extern "C" void* memcpy(void* to, const void* from, std::size_t count) {
  auto* t = static_cast<unsigned char*>(to);
  const auto* f = static_cast<const unsigned char*>(from);
  while (count--) *t++ = *f++;
  return to;
}

extern "C" void* memset(void* to, int value, std::size_t count) {
  auto* t = static_cast<unsigned char*>(to);
  while (count--) *t++ = static_cast<unsigned char>(value);
  return to;
}
