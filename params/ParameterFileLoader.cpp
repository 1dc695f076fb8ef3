#include "params/ParameterFileLoader.h"

#include <array>
#include <cerrno>
#include <fstream>
#include <string_view>
#include <system_error>
#include <utility>

namespace kordana {

namespace {

ParameterFileLoad refused(ParameterFileStatus status, const ParameterImage& current,
                          bool currentExtMon, std::string reason = {}) {
    ParameterFileLoad load;
    load.status = status;
    load.reason = std::move(reason);
    load.read.image = current;
    load.read.extMon = currentExtMon;
    return load;
}

std::string systemReason(int error) {
    return error != 0 ? std::generic_category().message(error) : std::string("cannot be read");
}

} // namespace

ParameterFileLoad ParameterFileLoader::load(const std::filesystem::path& path,
                                            const ParameterImage& current, bool currentExtMon) {
    std::error_code ec;
    const std::filesystem::file_status type = std::filesystem::status(path, ec);
    if (ec) {
        return refused(ParameterFileStatus::CannotRead, current, currentExtMon, ec.message());
    }
    // Opening a pipe waits for a writer and a device may never end, so only a regular file is
    // opened at all. The type is taken before opening; a file swapped for a pipe between the
    // two steps is not guarded against.
    if (!std::filesystem::is_regular_file(type)) {
        return refused(ParameterFileStatus::NotRegularFile, current, currentExtMon);
    }
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && size > kMaxParameterFileBytes) {
        return refused(ParameterFileStatus::TooLarge, current, currentExtMon);
    }

    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return refused(ParameterFileStatus::CannotRead, current, currentExtMon,
                       systemReason(errno));
    }
    // The size above may be stale (a file still growing, or one that reports 0 bytes), so the
    // read itself stops one byte past the limit.
    std::string text;
    std::array<char, 64 * 1024> chunk{};
    while (text.size() <= kMaxParameterFileBytes) {
        in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in.gcount());
        text.append(chunk.data(), got);
        if (in.bad()) {
            return refused(ParameterFileStatus::CannotRead, current, currentExtMon,
                           systemReason(errno));
        }
        if (in.eof() || got == 0) {
            break;
        }
    }
    if (text.size() > kMaxParameterFileBytes) {
        return refused(ParameterFileStatus::TooLarge, current, currentExtMon);
    }

    ParameterFileLoad load;
    load.status = ParameterFileStatus::Read;
    load.read = IgnReader::read(std::string_view(text), current, currentExtMon);
    return load;
}

} // namespace kordana
