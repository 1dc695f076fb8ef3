#include "library/LibraryFolder.h"

#include <pwd.h>
#include <unistd.h>

#include <array>
#include <cstdlib>

namespace kordana {

std::filesystem::path defaultLibraryFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') {
        return std::filesystem::path(data) / "kordana" / "library";
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path base = home != nullptr ? home : "/tmp";
    return base / ".local" / "share" / "kordana" / "library";
}

LibraryIdentity libraryIdentityOfThisPc() {
    LibraryIdentity who;
    std::array<char, 256> host{};
    if (const char* named = std::getenv("KORDANA_PC_NAME"); named != nullptr && named[0] != 0) {
        who.pc = named;
    } else if (::gethostname(host.data(), host.size() - 1) == 0) {
        who.pc = host.data();
    }
    if (const char* user = std::getenv("USER"); user != nullptr && user[0] != 0) {
        who.user = user;
    } else if (const passwd* entry = ::getpwuid(::getuid()); entry != nullptr) {
        who.user = entry->pw_name;
    }
    who.pc = librarySafeName(who.pc.empty() ? "pc" : who.pc);
    who.user = who.user.empty() ? std::string("user") : who.user;
    return who;
}

} // namespace kordana
