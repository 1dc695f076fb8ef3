#include "library/LibraryLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace kordana {

LibraryLock::LibraryLock(const std::filesystem::path& gitDir, const std::string& name,
                         std::initializer_list<const char*> leftovers) {
    m_fd = ::open((gitDir / name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_fd < 0) {
        return;
    }
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno != EINTR) {
            ::close(m_fd);
            m_fd = -1;
            return;
        }
    }
    for (const char* leftover : leftovers) {
        std::error_code ignored;
        std::filesystem::remove(gitDir / leftover, ignored);
    }
}

LibraryLock::~LibraryLock() {
    if (m_fd >= 0) {
        ::flock(m_fd, LOCK_UN);
        ::close(m_fd);
    }
}

} // namespace kordana
