#include "host/system.h"

#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>
#include <initializer_list>

bool stderrIsTerminal() { return isatty(STDERR_FILENO) == 1; }

double threadCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

double processCpuSeconds() {
    timespec ts{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

namespace {

const char* crashMessage = "crashed";

void onCrash(int signal) {
    // Only async-signal-safe calls here.
    const char* name = signal == SIGSEGV   ? "segmentation fault"
                       : signal == SIGBUS  ? "bus error"
                       : signal == SIGABRT ? "abort"
                       : signal == SIGILL  ? "illegal instruction"
                                           : "arithmetic trap";
    ssize_t ignored = write(STDOUT_FILENO, crashMessage, strlen(crashMessage));
    ignored = write(STDOUT_FILENO, name, strlen(name));
    ignored = write(STDOUT_FILENO, "\n", 1);
    (void)ignored;
    _exit(1);
}

}  // namespace

void reportCrashesAs(const char* message) {
    crashMessage = message;
    for (int s : {SIGSEGV, SIGBUS, SIGABRT, SIGILL, SIGFPE}) signal(s, onCrash);
}
