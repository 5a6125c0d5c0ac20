// The launcher's own logic: start ORVA.EXE beside the launcher with the
// first four arguments in its switch syntax, then end the process.
#pragma once

#include "text/ansi_text.h"

constexpr TextView TargetFileName = "ORVA.EXE";

// «A1 /JA2 /OA3 /D:A4» from arguments 1 to 4.
AnsiText ParameterLine();
[[noreturn]] void LauncherMain();
