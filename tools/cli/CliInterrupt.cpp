#include "tools/cli/CliInterrupt.h"

#include <csignal>

namespace kordana {

namespace {

volatile std::sig_atomic_t g_interrupted = 0;

void onInterrupt(int) {
    g_interrupted = 1;
}

} // namespace

void installInterruptHandler() {
#ifdef _WIN32
    // Windows knows only the C signals; Ctrl+C and Ctrl+Break arrive as SIGINT and SIGBREAK.
    std::signal(SIGINT, onInterrupt);
    std::signal(SIGTERM, onInterrupt);
#else
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
#endif
}

bool interruptRequested() {
    return g_interrupted != 0;
}

} // namespace kordana
