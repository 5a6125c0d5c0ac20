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

// The whole path of the running executable, NUL-terminated in a buffer of the
// process; "" when the platform fails or it does not fit.
const char* ModulePathBytes();
AnsiText ModulePath();
