// The one failure the launcher reports: memory running out.
#pragma once

// Shows the failure box naming the code address where memory ran out, then
// ends the process with exit code 1. Needs no memory of the heap.
[[noreturn]] void ReportOutOfMemory(const void* address);
