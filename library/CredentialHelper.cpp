#include "library/CredentialHelper.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

extern char** environ;

namespace kordana {

namespace {

std::string_view valueOf(std::string_view reply, std::string_view key) {
    std::size_t at = 0;
    while (at < reply.size()) {
        const std::size_t end = std::min(reply.find('\n', at), reply.size());
        const std::string_view line = reply.substr(at, end - at);
        if (line.size() > key.size() && line.starts_with(key) && line[key.size()] == '=') {
            return line.substr(key.size() + 1);
        }
        at = end + 1;
    }
    return {};
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

std::string readAll(int fd) {
    std::string text;
    std::array<char, 4096> buffer{};
    for (;;) {
        const ssize_t n = ::read(fd, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return text;
        }
        text.append(buffer.data(), static_cast<std::size_t>(n));
    }
}

std::vector<char*> environmentWithoutPrompt(std::vector<std::string>& storage) {
    storage.emplace_back("GIT_TERMINAL_PROMPT=0");
    for (char** e = environ; *e != nullptr; ++e) {
        if (!std::string_view(*e).starts_with("GIT_TERMINAL_PROMPT=")) {
            storage.emplace_back(*e);
        }
    }
    std::vector<char*> pointers;
    for (std::string& entry : storage) {
        pointers.push_back(entry.data());
    }
    pointers.push_back(nullptr);
    return pointers;
}

} // namespace

std::string credentialRequest(std::string_view url, std::string_view username) {
    std::string request;
    const std::size_t scheme = url.find("://");
    std::string_view rest = url;
    if (scheme != std::string_view::npos) {
        request += "protocol=" + std::string(url.substr(0, scheme)) + "\n";
        rest = url.substr(scheme + 3);
    }
    const std::size_t slash = std::min(rest.find('/'), rest.size());
    std::string_view host = rest.substr(0, slash);
    std::string_view user = username;
    if (const std::size_t at = host.rfind('@'); at != std::string_view::npos) {
        user = user.empty() ? host.substr(0, at) : user;
        host = host.substr(at + 1);
    }
    request += "host=" + std::string(host) + "\n";
    if (slash + 1 < rest.size()) {
        request += "path=" + std::string(rest.substr(slash + 1)) + "\n";
    }
    if (!user.empty()) {
        request += "username=" + std::string(user) + "\n";
    }
    return request + "\n";
}

std::optional<HelperCredential> credentialReply(std::string_view reply) {
    HelperCredential credential{std::string(valueOf(reply, "username")),
                                std::string(valueOf(reply, "password"))};
    if (credential.username.empty() || credential.password.empty()) {
        return std::nullopt;
    }
    return credential;
}

std::optional<std::string> runCredentialHelper(const std::vector<std::string>& command,
                                               const std::string& request) {
    int input[2];
    int output[2];
    if (command.empty() || ::pipe2(input, O_CLOEXEC) != 0) {
        return std::nullopt;
    }
    if (::pipe2(output, O_CLOEXEC) != 0) {
        ::close(input[0]);
        ::close(input[1]);
        return std::nullopt;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    std::vector<std::string> args = command;
    std::vector<char*> argv;
    for (std::string& arg : args) {
        argv.push_back(arg.data());
    }
    argv.push_back(nullptr);
    std::vector<std::string> environment;
    const std::vector<char*> envp = environmentWithoutPrompt(environment);
    pid_t child = -1;
    const int spawned = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    // A helper that exits without reading must not kill this program with SIGPIPE.
    const auto oldPipe = ::signal(SIGPIPE, SIG_IGN);
    const bool written = spawned == 0 && writeAll(input[1], request);
    ::close(input[1]);
    std::string reply = spawned == 0 ? readAll(output[0]) : std::string();
    ::signal(SIGPIPE, oldPipe);
    ::close(output[0]);
    int status = 0;
    if (spawned != 0 || ::waitpid(child, &status, 0) != child || !written || !WIFEXITED(status) ||
        WEXITSTATUS(status) != 0) {
        return std::nullopt;
    }
    return reply;
}

} // namespace kordana
