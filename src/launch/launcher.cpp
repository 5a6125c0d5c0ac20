#include "launch/launcher.h"

#include <utility>

#include "cmdline/arguments.h"
#include "paths/paths.h"
#include "platform/platform.h"

// Arguments go in byte for byte, unquoted, so one with spaces reaches the
// companion as several words. A missing argument leaves its switch empty;
// the three switches are always there.
AnsiText ParameterLine() {
  const AnsiText a1 = ArgumentAt(1);
  const AnsiText a2 = ArgumentAt(2);
  const AnsiText a3 = ArgumentAt(3);
  const AnsiText a4 = ArgumentAt(4);
  return AnsiText::Concatenate({a1, " /J", a2, " /O", a3, " /D:", a4});
}

namespace {

// The shell's result is not examined: a missing or failing companion is not
// the launcher's to report.
void LaunchCompanion() {
  AnsiText ownDirectory = DirectoryPartOf(ArgumentAt(0));
  // Without its own folder, known exactly, the launcher cannot tell where its
  // ORVA.EXE is; "\ORVA.EXE" would be whatever sits at the root of the
  // current drive.
  if (ownDirectory.Empty()) return;
  const AnsiText programDirectory = WithTrailingBackslash(std::move(ownDirectory));
  const AnsiText parameters = ParameterLine();
  const AnsiText target =
      AnsiText::Concatenate({programDirectory, TargetFileName});
  platform::ShellExecuteA(nullptr, "OPEN", target.CString(),
                          parameters.CString(), programDirectory.CString(),
                          platform::ShowCommandShow);
}

}  // namespace

void LauncherMain() {
  // First, before the shell or the failure box can load anything.
  platform::RestrictDllSearchToSystem32();
  if (ArgumentCount() > 0) {
    LoadModulePath();
    LaunchCompanion();
  }
  platform::ExitProcess(0);
}
