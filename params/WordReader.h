#pragma once

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// One whitespace-separated word of a text. A word longer than WordReader::kMaxWordLength comes
/// back whole as one overlong word with empty text, so it never matches a key or a number.
struct Word {
    std::string_view text; ///< valid until the next call of WordReader::next()
    bool overlong = false;
};

/// Splits a text or a stream into words separated by white space (space, tab, line breaks,
/// vertical tab, form feed), reading words of any length in bounded memory.
class WordReader {
public:
    static constexpr std::size_t kMaxWordLength = 255;
    static constexpr std::size_t kDefaultChunkSize = 64 * 1024;

    /// Reads the words of `text`, which must outlive the reader.
    explicit WordReader(std::string_view text);
    /// Reads the words of `in` in chunks of `chunkSize` bytes; `in` must outlive the reader.
    explicit WordReader(std::istream& in, std::size_t chunkSize = kDefaultChunkSize);

    /// The next word, or nullopt at the end of the text or once the stream has failed.
    std::optional<Word> next();
    /// Makes the following next() return the word it returned last once more.
    void pushBack();
    /// True when the stream failed before its end (the text read so far is incomplete).
    bool ioError() const { return m_ioError; }

    /// The word's value when it is a whole word of decimal digits not above `max`.
    static std::optional<unsigned> toUnsigned(const Word& word, unsigned max = 65535);
    /// The word's value when it is an optional sign and decimal digits within min..max.
    static std::optional<int> toSigned(const Word& word, int min = -32768, int max = 32767);

private:
    bool nextChar(char& c);
    bool refill();

    std::istream* m_in = nullptr;
    std::vector<char> m_chunk;
    const char* m_data = nullptr;
    std::size_t m_pos = 0;
    std::size_t m_end = 0;
    bool m_ioError = false;

    std::string m_word;
    bool m_overlong = false;
    bool m_pushedBack = false;
    bool m_haveWord = false;
};

} // namespace kordana
