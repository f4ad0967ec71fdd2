// The few operating-system facts plughost needs beyond the standard library.
// system_posix.cpp and system_win32.cpp implement them.
#pragma once

// True when stderr is an interactive terminal (progress bars go there only).
bool stderrIsTerminal();

// CPU time consumed by the calling thread, in seconds.
double threadCpuSeconds();
// CPU time consumed by every thread of this process, in seconds.
double processCpuSeconds();

// From now on a crash (segmentation fault, bus error, abort, illegal
// instruction, arithmetic trap) prints `message` and the signal to stdout
// and exits with status 1 instead of dying silently.
void reportCrashesAs(const char* message);
