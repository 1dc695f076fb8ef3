// kordana-unit-sim: serves the simulated engine control unit on a pseudo-terminal, so that the
// program (or a test) can open the device path as if a unit were on a serial line.

#include "kordana/Version.h"
#include "tools/unit-sim/lib/UnitSimCommandLine.h"
#include "tools/unit-sim/lib/UnitSimulator.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

using kordana::UnitSimProgramOptions;
using kordana::UnitSimulator;

volatile std::sig_atomic_t g_stop = 0;

void onStopSignal(int) {
    g_stop = 1;
}

// The pseudo-terminal pair. The simulator keeps its own slave descriptor open for its whole
// life: without it the master sees a hang-up (and EIO on read) each time the program closes
// the device, and the device would vanish between a close and the next open.
struct Pty {
    int master = -1;
    int slave = -1;
    std::string path;
};

bool makeRaw(int fd) {
    termios tio{};
    if (tcgetattr(fd, &tio) != 0) {
        return false;
    }
    cfmakeraw(&tio);
    cfsetispeed(&tio, B57600);
    cfsetospeed(&tio, B57600);
    return tcsetattr(fd, TCSANOW, &tio) == 0;
}

bool openPty(Pty& pty) {
    if (openpty(&pty.master, &pty.slave, nullptr, nullptr, nullptr) != 0) {
        std::fprintf(stderr, "kordana-unit-sim: openpty failed: %s\n", std::strerror(errno));
        return false;
    }
    const char* name = ttyname(pty.slave);
    pty.path = name != nullptr ? name : "";
    fcntl(pty.master, F_SETFD, FD_CLOEXEC);
    fcntl(pty.slave, F_SETFD, FD_CLOEXEC);
    fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
    if (pty.path.empty() || !makeRaw(pty.master) || !makeRaw(pty.slave)) {
        std::fprintf(stderr, "kordana-unit-sim: cannot set up the pseudo-terminal\n");
        return false;
    }
    return true;
}

// Puts a symbolic link at linkPath; an old symbolic link there is replaced, anything else is
// left alone and reported.
bool makeLink(const std::string& linkPath, const std::string& target) {
    struct stat st {};
    if (lstat(linkPath.c_str(), &st) == 0) {
        if (!S_ISLNK(st.st_mode)) {
            std::fprintf(stderr, "kordana-unit-sim: %s exists and is not a symbolic link\n",
                         linkPath.c_str());
            return false;
        }
        unlink(linkPath.c_str());
    }
    if (symlink(target.c_str(), linkPath.c_str()) != 0) {
        std::fprintf(stderr, "kordana-unit-sim: cannot link %s: %s\n", linkPath.c_str(),
                     std::strerror(errno));
        return false;
    }
    return true;
}

// Removes the link made at start, unless someone has since put something else there.
void removeLink(const std::string& linkPath, const std::string& target) {
    if (linkPath.empty()) {
        return;
    }
    std::vector<char> pointsTo(target.size() + 2);
    const ssize_t n = readlink(linkPath.c_str(), pointsTo.data(), pointsTo.size());
    if (n >= 0 && std::string_view(pointsTo.data(), static_cast<std::size_t>(n)) == target) {
        unlink(linkPath.c_str());
    }
}

// Writes a reply to the master. When nobody reads the device and the pty's buffer is full,
// the rest of the reply is lost, as it would be on a line with no listener.
void writeAll(int fd, std::span<const std::uint8_t> bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            return;
        }
    }
}

// Signals arrive only inside ppoll, so a stop request is never missed between checks.
sigset_t installSignals() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
    signal(SIGPIPE, SIG_IGN);
    sigset_t blocked;
    sigset_t previous;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTERM);
    sigaddset(&blocked, SIGINT);
    sigaddset(&blocked, SIGHUP);
    sigprocmask(SIG_BLOCK, &blocked, &previous);
    sigdelset(&previous, SIGTERM);
    sigdelset(&previous, SIGINT);
    sigdelset(&previous, SIGHUP);
    return previous;
}

class Watch {
public:
    explicit Watch(const UnitSimProgramOptions& options)
        : m_parent(options.exitWithParent ? getppid() : 0),
          m_pid(options.watchPid ? static_cast<pid_t>(*options.watchPid) : 0) {
        if (options.exitWithParent) {
            prctl(PR_SET_PDEATHSIG, SIGTERM);
        }
    }
    /// True while the watched processes (if any) are alive.
    bool othersAlive() const {
        if (m_parent != 0 && getppid() != m_parent) {
            return false;
        }
        return m_pid == 0 || kill(m_pid, 0) == 0 || errno == EPERM;
    }

private:
    pid_t m_parent;
    pid_t m_pid;
};

void logRequest(std::uint64_t clockMs, std::uint8_t command, bool answered) {
    std::fprintf(stderr, "%8llu ms  request 0x%02X  %s\n", static_cast<unsigned long long>(clockMs),
                 command, answered ? "answered" : "ignored");
}

int serve(const Pty& pty, UnitSimulator& unit, const Watch& watch, const sigset_t& waitMask) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<std::uint8_t> buffer(4096);
    while (g_stop == 0 && watch.othersAlive()) {
        int timeoutMs = 200;
        if (const auto release = unit.nextReleaseMs()) {
            const auto wait = *release > unit.clockMs() ? *release - unit.clockMs() : 0;
            timeoutMs = static_cast<int>(std::min<std::uint64_t>(wait, 200));
        }
        pollfd pfd{pty.master, POLLIN, 0};
        const timespec timeout{0, static_cast<long>(timeoutMs) * 1000000L};
        const int ready = ppoll(&pfd, 1, &timeout, &waitMask);
        const auto now = std::chrono::steady_clock::now() - start;
        const auto nowMs = static_cast<std::uint64_t>(
            std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
        unit.advance(static_cast<std::uint32_t>(nowMs - std::min(nowMs, unit.clockMs())));
        if (ready <= 0 || (pfd.revents & POLLIN) == 0) {
            if (ready > 0 && (pfd.revents & (POLLHUP | POLLERR)) != 0) {
                usleep(10000); // no reader on the far side: do not spin
            }
            continue;
        }
        const ssize_t n = read(pty.master, buffer.data(), buffer.size());
        if (n > 0) {
            unit.receive(std::span<const std::uint8_t>(buffer.data(), static_cast<std::size_t>(n)));
        } else if (n < 0 && errno != EAGAIN && errno != EINTR) {
            usleep(10000);
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.size() == 1 && args.front() == "--version") {
        std::printf("kordana-unit-sim %s\n", kordana::kVersion);
        return 0;
    }
    const kordana::UnitSimParseResult parsed = kordana::parseUnitSimCommandLine(args);
    if (!parsed.options) {
        std::fprintf(stderr, "kordana-unit-sim: %s (try --help)\n", parsed.error.c_str());
        return 2;
    }
    UnitSimProgramOptions options = *parsed.options;
    if (options.help) {
        std::fputs(kordana::unitSimUsage().c_str(), stdout);
        return 0;
    }
    const sigset_t waitMask = installSignals();
    const Watch watch(options);
    Pty pty;
    if (!openPty(pty)) {
        return 1;
    }
    if (!options.linkPath.empty() && !makeLink(options.linkPath, pty.path)) {
        return 1;
    }
    options.unit.monitorStepMs = 0; // the real clock drives the unit here
    UnitSimulator unit(options.unit);
    unit.setOutputHandler(
        [&pty](std::span<const std::uint8_t> bytes) { writeAll(pty.master, bytes); });
    if (options.verbose) {
        unit.setRequestObserver([&unit](std::uint8_t command, bool answered) {
            logRequest(unit.clockMs(), command, answered);
        });
    }
    std::printf("%s\n", pty.path.c_str());
    std::fflush(stdout);
    const int result = serve(pty, unit, watch, waitMask);
    removeLink(options.linkPath, pty.path);
    close(pty.master);
    close(pty.slave);
    return result;
}
