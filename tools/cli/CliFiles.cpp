#include "tools/cli/CliFiles.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

#include <QFile>

#include <string_view>

namespace kordana {

ParameterImage freshImage() {
    return presetImage(0);
}

ParameterImage presetImage(std::uint8_t preset) {
    ParameterImage image;
    image[layout::kBike] = preset;
    applyDefaultSet(image);
    runConsistencyPass(image);
    return image;
}

LoadedFile loadParameterFile(const QString& path, const ParameterImage& base) {
    LoadedFile loaded;
    loaded.image = base;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        loaded.reason = file.errorString();
        return loaded;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        loaded.reason = file.errorString();
        return loaded;
    }
    const IgnReadResult read = IgnReader::read(
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), base, false);
    if (!IgnReader::apply(read, loaded.image, loaded.extMon)) {
        loaded.result = FileLoad::UnmatchedVersion;
        return loaded;
    }
    loaded.result = FileLoad::Applied;
    return loaded;
}

std::vector<Repair> repairsBetween(const ParameterImage& before, const ParameterImage& after) {
    std::vector<Repair> repairs;
    for (const ParameterKey& key : ParameterTable::instance().keys()) {
        for (std::size_t e = 0; e < key.count(); ++e) {
            const ParameterElement& element = key.elements[e];
            if (!element.hasImageByte() || before[element.index] == after[element.index]) {
                continue;
            }
            repairs.push_back(Repair{elementName(key, e), shownValue(before, element),
                                     shownValue(after, element), before[element.index],
                                     after[element.index]});
        }
    }
    return repairs;
}

std::string repairLine(const Repair& repair) {
    std::string text =
        repair.name + ": " + std::to_string(repair.before) + " -> " + std::to_string(repair.after);
    if (repair.before == repair.after) {
        text += " (stored " + std::to_string(repair.storedBefore) + " -> " +
                std::to_string(repair.storedAfter) + ")";
    }
    return text;
}

} // namespace kordana
