#pragma once

// Starts kordana-unit-sim as a child process and hands back the pseudo-terminal it serves.
// Header-only and free of Qt, so tests of any folder can include it:
//
//     kordana::UnitSimProcess unit;
//     ASSERT_TRUE(unit.start({"--drop", "20"})) << unit.error();
//     port.open(QString::fromStdString(unit.devicePath()));
//
// The child is started with --exit-with-parent, so it never outlives the test process.

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace kordana {

/// One running kordana-unit-sim; stopped (SIGTERM) when the object goes.
class UnitSimProcess {
public:
    UnitSimProcess() = default;
    ~UnitSimProcess() { stop(); }
    UnitSimProcess(const UnitSimProcess&) = delete;
    UnitSimProcess& operator=(const UnitSimProcess&) = delete;

    /// The program: $KORDANA_BIN_DIR/kordana-unit-sim, else the one beside this executable.
    static std::string defaultProgram() {
        if (const char* dir = std::getenv("KORDANA_BIN_DIR"); dir != nullptr && *dir != '\0') {
            return std::string(dir) + "/kordana-unit-sim";
        }
        std::string self(4096, '\0');
        const ssize_t n = readlink("/proc/self/exe", self.data(), self.size() - 1);
        self.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
        const auto slash = self.rfind('/');
        return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) +
               "/kordana-unit-sim";
    }

    /// Starts the program with args and waits for the device path it prints (at most
    /// startLimitMs, a safety cap: the path comes within milliseconds). False on failure.
    bool start(const std::vector<std::string>& args = {}, std::string program = defaultProgram(),
               int startLimitMs = 5000) {
        stop();
        int out[2];
        if (pipe(out) != 0) {
            return fail("pipe: " + std::string(std::strerror(errno)));
        }
        std::vector<std::string> argStrings{program, "--exit-with-parent"};
        argStrings.insert(argStrings.end(), args.begin(), args.end());
        std::vector<char*> argv;
        for (std::string& a : argStrings) {
            argv.push_back(a.data());
        }
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
        posix_spawn_file_actions_addclose(&actions, out[0]);
        posix_spawn_file_actions_addclose(&actions, out[1]);
        const int rc =
            posix_spawn(&m_pid, program.c_str(), &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(out[1]);
        if (rc != 0) {
            close(out[0]);
            m_pid = 0;
            return fail("cannot start " + program + ": " + std::strerror(rc));
        }
        const bool gotPath = readPath(out[0], startLimitMs);
        close(out[0]);
        if (!gotPath) {
            kill();
            return false;
        }
        return true;
    }

    /// The pseudo-terminal device the unit is served on (empty until started).
    const std::string& devicePath() const { return m_device; }
    /// Process id of the running program, 0 when none.
    pid_t pid() const { return m_pid; }
    /// What went wrong in the last start().
    const std::string& error() const { return m_error; }

    /// True while the program runs.
    bool running() {
        if (m_pid == 0) {
            return false;
        }
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_pid = 0;
            return false;
        }
        return true;
    }

    /// Asks the program to stop (SIGTERM) and reaps it; returns its exit status, -1 if none.
    int stop() { return end(SIGTERM); }
    /// Kills the program outright (SIGKILL), as if the unit were pulled off the line.
    int kill() { return end(SIGKILL); }

private:
    bool fail(std::string why) {
        m_error = std::move(why);
        return false;
    }

    bool readPath(int fd, int limitMs) {
        std::string line;
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
        while (line.find('\n') == std::string::npos) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                                  deadline - std::chrono::steady_clock::now())
                                  .count();
            if (left <= 0) {
                return fail("no device path from the simulator in time");
            }
            pollfd pfd{fd, POLLIN, 0};
            if (poll(&pfd, 1, static_cast<int>(left)) <= 0) {
                continue;
            }
            char buffer[256];
            const ssize_t n = ::read(fd, buffer, sizeof buffer);
            if (n <= 0) {
                return fail("the simulator ended before giving its device path");
            }
            line.append(buffer, static_cast<std::size_t>(n));
        }
        m_device = line.substr(0, line.find('\n'));
        return !m_device.empty() || fail("empty device path");
    }

    int end(int signal) {
        if (m_pid == 0) {
            return -1;
        }
        ::kill(m_pid, signal);
        int status = 0;
        while (waitpid(m_pid, &status, 0) < 0 && errno == EINTR) {
        }
        m_pid = 0;
        m_device.clear();
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }

    pid_t m_pid = 0;
    std::string m_device;
    std::string m_error;
};

} // namespace kordana
