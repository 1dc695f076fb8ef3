#include "params/ParameterFileLoader.h"

#include "params/RegularFile.h"

#include <string_view>
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

} // namespace

ParameterFileLoad ParameterFileLoader::load(const std::filesystem::path& path,
                                            const ParameterImage& current, bool currentExtMon) {
    RegularFileRead file = readRegularFile(path, kMaxParameterFileBytes);
    switch (file.status) {
    case RegularFileStatus::Read:
        break;
    case RegularFileStatus::CannotRead:
        return refused(ParameterFileStatus::CannotRead, current, currentExtMon,
                       std::move(file.reason));
    case RegularFileStatus::TooLarge:
        return refused(ParameterFileStatus::TooLarge, current, currentExtMon);
    case RegularFileStatus::NotRegularFile:
        return refused(ParameterFileStatus::NotRegularFile, current, currentExtMon);
    }
    ParameterFileLoad load;
    load.status = ParameterFileStatus::Read;
    load.read = IgnReader::read(std::string_view(file.text), current, currentExtMon);
    return load;
}

} // namespace kordana
