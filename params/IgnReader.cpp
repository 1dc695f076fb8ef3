#include "params/IgnReader.h"

#include "params/IgnWriter.h"
#include "params/ParameterTable.h"
#include "params/WordReader.h"

#include <optional>

namespace kordana {

namespace {

// Reads words until the magic key followed by the version; false when the text ends first.
bool findMagicKey(WordReader& words) {
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

// Stores the values following `key`; false when the text ended inside them.
bool readKeyValues(WordReader& words, const ParameterKey& key, IgnReadResult& result) {
    for (std::size_t e = 0; e < key.count(); ++e) {
        const ParameterElement& element = key.elements[e];
        const auto word = words.next();
        if (!word) {
            return false;
        }
        const auto value = valueOf(*word, key.isSigned);
        if (!value) {
            words.pushBack();
            return true;
        }
        if (element.hasImageByte()) {
            storeFileValue(result.image, element, *value);
            if (!fileValueFitsByte(element, *value)) {
                result.overflows.push_back(
                    FileValueOverflow{elementName(key, e), *value, result.image[element.index]});
            }
        } else {
            result.extMon = *value != 0;
        }
    }
    return true;
}

void readKeys(WordReader& words, IgnReadResult& result) {
    const ParameterTable& table = ParameterTable::instance();
    while (const auto word = words.next()) {
        const ParameterKey* key = table.find(word->text);
        if (key != nullptr && !readKeyValues(words, *key, result)) {
            return;
        }
    }
}

} // namespace

IgnReadResult IgnReader::read(WordReader& words, const ParameterImage& current,
                              bool currentExtMon) {
    IgnReadResult result;
    result.image = current;
    result.extMon = currentExtMon;
    result.versionMatched = findMagicKey(words);
    if (result.versionMatched) {
        readKeys(words, result);
    }
    result.ioError = words.ioError();
    if (!result.applicable()) {
        // Nothing of a rejected or broken file may reach the caller, even by mistake.
        result.image = current;
        result.extMon = currentExtMon;
        result.overflows.clear();
    }
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
