// Splitting the process command line into arguments; index 0 is the path of
// the running executable.
#pragma once

#include <cstddef>

#include "text/ansi_text.h"

struct ScannedArgument {
  AnsiText text;
  std::size_t next;  // the separator or NUL that ended the argument
};

ScannedArgument ScanArgument(const char* commandLine, std::size_t position);
int ArgumentCount();
AnsiText ArgumentAt(unsigned index);

// Reads the running executable's path once for the run, before ArgumentAt(0)
// or the failure box may use it.
void LoadModulePath();
// That path exactly as the ANSI code page spells it, through its 8.3 form
// where only that is exact; empty when unknown.
TextView ModulePath();
// The file name of that path in UTF-16, for the failure box; empty when unknown.
const char16_t* ModuleFileName();
