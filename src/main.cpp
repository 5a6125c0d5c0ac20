// The process entry of the exe: the lead bytes first, then the launch.
#include "launch/launcher.h"
#include "paths/paths.h"

// The loader gives only 4-byte stack alignment.
extern "C" __attribute__((force_align_arg_pointer, noreturn)) void
ProcessEntry() {
  LoadLocaleSettings();
  LauncherMain();
}
