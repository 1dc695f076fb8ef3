#include "tools/cli/CliFiles.h"

#include "session/EditSession.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"

namespace kordana {

ParameterImage freshImage() {
    return presetImage(0);
}

ParameterImage presetImage(std::uint8_t preset) {
    // The same command as the window's New after a preset choice.
    EditSession session;
    session.setPreset(preset);
    session.newDefaultSet();
    return session.image();
}

std::string loadFailureLine(const ParameterFileLoad& load, const std::string& path,
                            const std::string& openFileError) {
    switch (load.status) {
    case ParameterFileStatus::NotRegularFile:
        return openFileError + " " + path + " is not a regular file";
    case ParameterFileStatus::TooLarge:
        return openFileError + " " + path +
               " is larger than 1 MB (a parameter file is about 10 KB)";
    case ParameterFileStatus::CannotRead:
    case ParameterFileStatus::Read:
        break;
    }
    return openFileError + " " + path + ": " + load.reason;
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
