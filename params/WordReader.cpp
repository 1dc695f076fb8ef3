#include "params/WordReader.h"

#include <istream>

namespace kordana {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Value of a run of decimal digits, or nullopt when it is empty, holds anything else or
// exceeds `limit`.
std::optional<unsigned long> digitsValue(std::string_view digits, unsigned long limit) {
    if (digits.empty()) {
        return std::nullopt;
    }
    unsigned long value = 0;
    for (char c : digits) {
        if (!isDigit(c)) {
            return std::nullopt;
        }
        value = value * 10 + static_cast<unsigned long>(c - '0');
        if (value > limit) {
            return std::nullopt;
        }
    }
    return value;
}

} // namespace

WordReader::WordReader(std::string_view text) : m_data(text.data()), m_pos(0), m_end(text.size()) {
    m_word.reserve(kMaxWordLength);
}

WordReader::WordReader(std::istream& in, std::size_t chunkSize)
    : m_in(&in), m_chunk(chunkSize == 0 ? 1 : chunkSize) {
    m_word.reserve(kMaxWordLength);
}

bool WordReader::refill() {
    if (m_in == nullptr || m_ioError) {
        return false;
    }
    std::streamsize got = 0;
    try {
        m_in->read(m_chunk.data(), static_cast<std::streamsize>(m_chunk.size()));
        got = m_in->gcount();
    } catch (...) {
        m_ioError = true; // a stream set to throw: treat like any other read failure
        return false;
    }
    if (m_in->bad()) {
        m_ioError = true;
        return false;
    }
    if (got <= 0) {
        return false;
    }
    m_data = m_chunk.data();
    m_pos = 0;
    m_end = static_cast<std::size_t>(got);
    return true;
}

bool WordReader::nextChar(char& c) {
    if (m_pos == m_end && !refill()) {
        return false;
    }
    c = m_data[m_pos++];
    return true;
}

std::optional<Word> WordReader::next() {
    if (m_pushedBack) {
        m_pushedBack = false;
        return Word{m_overlong ? std::string_view() : std::string_view(m_word), m_overlong};
    }
    m_haveWord = false;
    m_word.clear();
    m_overlong = false;
    char c = 0;
    do {
        if (!nextChar(c)) {
            return std::nullopt;
        }
    } while (isSpace(c));
    // The whole word is consumed even when it is too long to keep, so no piece of it can
    // turn up as a word of its own.
    do {
        if (m_word.size() < kMaxWordLength) {
            m_word.push_back(c);
        } else {
            m_overlong = true;
        }
    } while (nextChar(c) && !isSpace(c));
    if (m_ioError) {
        return std::nullopt; // a word cut short by a failing stream is not a word
    }
    m_haveWord = true;
    return Word{m_overlong ? std::string_view() : std::string_view(m_word), m_overlong};
}

void WordReader::pushBack() {
    m_pushedBack = m_haveWord;
}

std::optional<unsigned> WordReader::toUnsigned(const Word& word, unsigned max) {
    if (word.overlong) {
        return std::nullopt;
    }
    const auto value = digitsValue(word.text, max);
    if (!value) {
        return std::nullopt;
    }
    return static_cast<unsigned>(*value);
}

std::optional<int> WordReader::toSigned(const Word& word, int min, int max) {
    if (word.overlong || word.text.empty()) {
        return std::nullopt;
    }
    std::string_view digits = word.text;
    const bool negative = digits.front() == '-';
    if (negative || digits.front() == '+') {
        digits.remove_prefix(1);
    }
    const long limit = negative ? -static_cast<long>(min) : static_cast<long>(max);
    if (limit < 0) {
        return std::nullopt;
    }
    const auto magnitude = digitsValue(digits, static_cast<unsigned long>(limit));
    if (!magnitude) {
        return std::nullopt;
    }
    const long value = negative ? -static_cast<long>(*magnitude) : static_cast<long>(*magnitude);
    if (value < min || value > max) {
        return std::nullopt;
    }
    return static_cast<int>(value);
}

} // namespace kordana
