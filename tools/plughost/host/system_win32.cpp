#include "host/system.h"

#include <io.h>
#include <stdio.h>
#include <windows.h>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <initializer_list>

bool stderrIsTerminal() { return _isatty(_fileno(stderr)) != 0; }

namespace {

double filetimeSeconds(const FILETIME& t) {
    ULARGE_INTEGER v;
    v.LowPart = t.dwLowDateTime;
    v.HighPart = t.dwHighDateTime;
    return static_cast<double>(v.QuadPart) * 1e-7;  // 100 ns units
}

}  // namespace

double threadCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user)) return 0.0;
    return filetimeSeconds(kernel) + filetimeSeconds(user);
}

double processCpuSeconds() {
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0.0;
    return filetimeSeconds(kernel) + filetimeSeconds(user);
}

namespace {

const char* crashMessage = "crashed";

void onCrash(int) {
    std::fputs(crashMessage, stdout);
    std::fputs("crash\n", stdout);
    std::fflush(stdout);
    std::_Exit(1);
}

}  // namespace

void reportCrashesAs(const char* message) {
    crashMessage = message;
    for (int s : {SIGSEGV, SIGILL, SIGFPE, SIGABRT}) std::signal(s, onCrash);
}
