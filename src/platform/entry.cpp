// The process entry of the exe and the few C runtime pieces the compiler may
// call; the exe links no C runtime.
#include <cstddef>

#include "launch/launcher.h"
#include "paths/paths.h"

// The loader gives only 4-byte stack alignment.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void
ProcessEntry() {
  LoadLocaleSettings();
  LauncherMain();
}

// Byte loops: the compiler emits calls to these for struct copies and
// zeroing. Built with -fno-tree-loop-distribute-patterns so they do not call
// themselves.
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
