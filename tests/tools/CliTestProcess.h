#pragma once

// Helpers for the kordana-cli tests: run the program as a child process and collect its exit
// code, standard output and standard error; a scratch folder per test; a simulated unit whose
// request log can be read back.

#include "tools/unit-sim/UnitSimProcess.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace kordana::clitest {

/// What one run of kordana-cli gave.
struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;

    /// Standard output split into lines (without line ends).
    std::vector<std::string> outLines() const {
        std::vector<std::string> lines;
        std::istringstream in(out);
        for (std::string line; std::getline(in, line);) {
            lines.push_back(line);
        }
        return lines;
    }
    /// The last line of standard output, empty when there is none.
    std::string lastLine() const {
        const auto lines = outLines();
        return lines.empty() ? std::string() : lines.back();
    }
};

/// $KORDANA_BIN_DIR/name, else name beside this test program.
inline std::string binPath(const std::string& name) {
    if (const char* dir = std::getenv("KORDANA_BIN_DIR"); dir != nullptr && *dir != '\0') {
        return std::string(dir) + "/" + name;
    }
    return std::filesystem::read_symlink("/proc/self/exe").parent_path() / name;
}

/// Runs kordana-cli with args, with XDG_CONFIG_HOME pointing at configHome so that no user
/// settings are read. A run that outlives capSeconds (a guard, far above any real run) is killed.
inline CliRun runCli(const std::vector<std::string>& args, const std::string& configHome,
                     int capSeconds = 120) {
    CliRun run;
    int out[2];
    int err[2];
    if (pipe(out) != 0 || pipe(err) != 0) {
        return run;
    }
    std::vector<std::string> argStrings{binPath("kordana-cli")};
    argStrings.insert(argStrings.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& a : argStrings) {
        argv.push_back(a.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> envStrings{"XDG_CONFIG_HOME=" + configHome};
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::string_view(*e).rfind("XDG_CONFIG_HOME=", 0) != 0) {
            envStrings.emplace_back(*e);
        }
    }
    std::vector<char*> envp;
    for (std::string& e : envStrings) {
        envp.push_back(e.data());
    }
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_adddup2(&actions, err[1], STDERR_FILENO);
    for (int fd : {out[0], out[1], err[0], err[1]}) {
        posix_spawn_file_actions_addclose(&actions, fd);
    }
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    close(err[1]);
    if (rc != 0) {
        close(out[0]);
        close(err[0]);
        run.err = "cannot start " + argStrings[0];
        return run;
    }
    pollfd fds[2] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}};
    std::string* sinks[2] = {&run.out, &run.err};
    int openPipes = 2;
    int waitedMs = 0;
    while (openPipes > 0 && waitedMs < capSeconds * 1000) {
        if (poll(fds, 2, 100) == 0) {
            waitedMs += 100;
            continue;
        }
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || fds[i].revents == 0) {
                continue;
            }
            char buffer[4096];
            const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
            if (n > 0) {
                sinks[i]->append(buffer, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --openPipes;
            }
        }
    }
    if (openPipes > 0) {
        kill(pid, SIGKILL);
        for (const pollfd& p : fds) {
            if (p.fd >= 0) {
                close(p.fd);
            }
        }
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

/// A scratch folder of its own, removed with the object.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = std::filesystem::temp_directory_path() / "kordana-cli-test-XXXXXX";
        if (mkdtemp(pattern.data()) != nullptr) {
            m_path = pattern;
        }
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

private:
    std::string m_path;
};

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void writeText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

/// A simulated unit on a pseudo-terminal that logs every request it takes in to a file, so a
/// test can see exactly what was sent.
class LoggedUnit {
public:
    explicit LoggedUnit(std::string logPath) : m_logPath(std::move(logPath)) {}

    /// Starts the simulator with args (and --verbose); its standard error goes to the log.
    bool start(std::vector<std::string> args = {}) {
        args.emplace_back("--verbose");
        const int log = open(m_logPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (log < 0) {
            return false;
        }
        // The child inherits standard error; the test's own is put back at once.
        std::fflush(stderr);
        const int saved = dup(STDERR_FILENO);
        dup2(log, STDERR_FILENO);
        close(log);
        const bool started = m_unit.start(args);
        dup2(saved, STDERR_FILENO);
        close(saved);
        return started;
    }
    const std::string& devicePath() const { return m_unit.devicePath(); }
    const std::string& error() const { return m_unit.error(); }

    /// The command bytes of every request taken in so far, in order.
    std::vector<unsigned> requests() const {
        std::vector<unsigned> commands;
        std::istringstream in(readText(m_logPath));
        for (std::string line; std::getline(in, line);) {
            const auto at = line.find("request 0x");
            if (at != std::string::npos) {
                commands.push_back(
                    static_cast<unsigned>(std::stoul(line.substr(at + 10, 2), nullptr, 16)));
            }
        }
        return commands;
    }
    /// The requests other than monitor requests (0x30).
    std::vector<unsigned> blockRequests() const {
        std::vector<unsigned> blocks;
        for (unsigned c : requests()) {
            if (c != 0x30) {
                blocks.push_back(c);
            }
        }
        return blocks;
    }

private:
    UnitSimProcess m_unit;
    std::string m_logPath;
};

} // namespace kordana::clitest
