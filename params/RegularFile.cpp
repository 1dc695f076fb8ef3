#include "params/RegularFile.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <system_error>
#include <utility>

namespace kordana {

namespace {

RegularFileRead refused(RegularFileStatus status, std::string reason = {}) {
    RegularFileRead read;
    read.status = status;
    read.reason = std::move(reason);
    return read;
}

std::string systemReason(int error) {
    return error != 0 ? std::generic_category().message(error) : std::string("cannot be read");
}

} // namespace

RegularFileRead readRegularFile(const std::filesystem::path& path, std::uintmax_t maxBytes) {
    std::error_code ec;
    const std::filesystem::file_status type = std::filesystem::status(path, ec);
    if (ec) {
        return refused(RegularFileStatus::CannotRead, ec.message());
    }
    // Opening a pipe waits for a writer and a device may never end, so only a regular file is
    // opened at all. The type is taken before opening; a file swapped for a pipe between the
    // two steps is not guarded against.
    if (!std::filesystem::is_regular_file(type)) {
        return refused(RegularFileStatus::NotRegularFile);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > maxBytes) {
        return refused(RegularFileStatus::TooLarge);
    }

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return refused(RegularFileStatus::CannotRead, systemReason(errno));
    }
    // The size above may be stale (a file still growing, or one that reports 0 bytes), so the
    // read itself stops one byte past the limit.
    RegularFileRead read;
    std::array<char, 64 * 1024> chunk{};
    while (read.text.size() <= maxBytes) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        read.text.append(chunk.data(), got);
        if (in.bad()) {
            return refused(RegularFileStatus::CannotRead, systemReason(errno));
        }
        if (in.eof() || got == 0) {
            break;
        }
    }
    if (read.text.size() > maxBytes) {
        return refused(RegularFileStatus::TooLarge);
    }
    read.status = RegularFileStatus::Read;
    return read;
}

} // namespace kordana
