#include "params/IgnReader.h"

#include "params/IgnWriter.h"
#include "params/ParameterTable.h"
#include "params/WordReader.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace kordana {

namespace {

// How a key fared in the file: not named, named with all its values, or cut short.
enum class KeyFate : std::uint8_t { Missing, Whole, Short };

// What the reader carries through the file: the number read last (a value that is not a
// number takes it) and how each key of the table fared, by table position.
struct ReadState {
    WordReader& words;
    IgnReadResult& result;
    int lastNumber = 0;
    std::vector<KeyFate> fates;
};

// Reads words until the magic key followed by the version; false when the text ends first.
bool findMagicKey(ReadState& state) {
    WordReader& words = state.words;
    while (const auto word = words.next()) {
        if (word->text != kIgnMagicKey) {
            continue;
        }
        const auto versionWord = words.next();
        if (!versionWord) {
            return false;
        }
        const auto version = WordReader::toUnsigned(*versionWord);
        if (!version) {
            words.pushBack(); // not a number: it may itself be the magic key
            continue;
        }
        state.lastNumber = static_cast<int>(*version);
        if (*version == kIgnVersion) {
            return true;
        }
    }
    return false;
}

std::optional<int> valueOf(const Word& word, bool isSigned) {
    if (isSigned) {
        return WordReader::toSigned(word);
    }
    const auto value = WordReader::toUnsigned(word);
    return value ? std::optional<int>(static_cast<int>(*value)) : std::nullopt;
}

void storeValue(IgnReadResult& result, const ParameterKey& key, std::size_t e, int value) {
    const ParameterElement& element = key.elements[e];
    if (!element.hasImageByte()) {
        result.extMon = value != 0;
        return;
    }
    storeFileValue(result.image, element, value);
    if (!fileValueFitsByte(element, value)) {
        result.overflows.push_back(
            FileValueOverflow{elementName(key, e), value, result.image[element.index]});
    }
}

// Stores the values following `key`. A word that is not a number, or the end of the text,
// leaves the number read last for this and every remaining element. False when the text
// ended inside the values.
bool readKeyValues(ReadState& state, const ParameterKey& key, KeyFate& fate) {
    fate = KeyFate::Whole;
    bool ended = false;
    for (std::size_t e = 0; e < key.count(); ++e) {
        if (fate == KeyFate::Whole) {
            const auto word = state.words.next();
            const auto value = word ? valueOf(*word, key.isSigned) : std::nullopt;
            if (value) {
                state.lastNumber = *value;
            } else {
                fate = KeyFate::Short;
                ended = !word;
                if (word) {
                    state.words.pushBack(); // read again as the next word
                }
            }
        }
        storeValue(state.result, key, e, state.lastNumber);
    }
    return !ended;
}

void readKeys(ReadState& state) {
    const ParameterTable& table = ParameterTable::instance();
    const auto keys = table.keys();
    while (const auto word = state.words.next()) {
        const ParameterKey* key = table.find(word->text);
        if (key == nullptr) {
            continue;
        }
        KeyFate& fate = state.fates[static_cast<std::size_t>(key - keys.data())];
        if (!readKeyValues(state, *key, fate)) {
            return;
        }
    }
}

void reportFates(ReadState& state) {
    const auto keys = ParameterTable::instance().keys();
    for (std::size_t k = 0; k < keys.size(); ++k) {
        const std::string name(keys[k].name);
        switch (state.fates[k]) {
        case KeyFate::Missing:
            state.result.missingKeys.push_back(name);
            continue;
        case KeyFate::Short:
            state.result.shortKeys.push_back(name);
            break;
        case KeyFate::Whole:
            break;
        }
        ++state.result.keysHeld;
    }
}

} // namespace

IgnReadResult IgnReader::read(WordReader& words, const ParameterImage& current,
                              bool currentExtMon) {
    IgnReadResult result;
    result.image = current;
    result.extMon = currentExtMon;
    ReadState state{
        words, result, 0,
        std::vector<KeyFate>(ParameterTable::instance().keys().size(), KeyFate::Missing)};
    result.versionMatched = findMagicKey(state);
    if (result.versionMatched) {
        readKeys(state);
    }
    result.ioError = words.ioError();
    if (!result.applicable()) {
        // Nothing of a rejected or broken file may reach the caller, even by mistake.
        result.image = current;
        result.extMon = currentExtMon;
        result.overflows.clear();
        return result;
    }
    reportFates(state);
    return result;
}

IgnReadResult IgnReader::read(std::string_view text, const ParameterImage& current,
                              bool currentExtMon) {
    WordReader words(text);
    return read(words, current, currentExtMon);
}

IgnReadResult IgnReader::read(std::istream& in, const ParameterImage& current, bool currentExtMon) {
    WordReader words(in);
    return read(words, current, currentExtMon);
}

bool IgnReader::apply(const IgnReadResult& result, ParameterImage& image, bool& extMon) {
    if (!result.applicable()) {
        return false;
    }
    image = result.image;
    extMon = result.extMon;
    return true;
}

} // namespace kordana
