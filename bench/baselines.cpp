// The programs the launcher is measured against, built with its own flags:
// each does one thing and exits. BASELINE picks which.
#include <windows.h>
#include <shellapi.h>

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void ProcessEntry() {
#if BASELINE == 1
  // The launch alone: the same shell request the launcher makes.
  ShellExecuteA(nullptr, "OPEN", BENCH_DIR "ORVA.EXE",
                "alpha /Jbeta /Ogamma /D:delta", BENCH_DIR, SW_SHOW);
#elif BASELINE == 2
  // The least a no-argument run can do: look at the command line once.
  CharNextA(GetCommandLineA());
#endif
  ExitProcess(0);
}
