#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// A user name and password as git's credential helper gave them; held only for one attempt.
struct HelperCredential {
    std::string username;
    std::string password;
};

/// The request a credential helper reads for `url` (and the URL's user name, if any):
/// "protocol=https\nhost=server:8443\npath=tunes.git\nusername=anna\n\n".
std::string credentialRequest(std::string_view url, std::string_view username);

/// The user name and password of a helper's reply ("key=value" lines), or nothing when it
/// lacks either.
std::optional<HelperCredential> credentialReply(std::string_view reply);

/// Runs `command` (looked up on PATH) with `request` on its standard input and without a
/// terminal prompt (GIT_TERMINAL_PROMPT=0); its standard output, or nothing when it could not
/// run or did not exit with 0. The default command is git's own: "git credential fill".
std::optional<std::string> runCredentialHelper(const std::vector<std::string>& command,
                                               const std::string& request);

} // namespace kordana
