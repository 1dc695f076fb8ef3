#include "params/IgnReader.h"

#include "params/DefaultSet.h"
#include "params/IgnWriter.h"
#include "params/ImageLayout.h"
#include "params/ParameterTable.h"
#include "params/WordReader.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <random>
#include <sstream>
#include <streambuf>
#include <string>
#include <vector>

namespace kordana {
namespace {

using namespace layout;

ParameterImage baseImage() {
    ParameterImage image;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return image;
}

struct ReaderCase {
    const char* name;
    std::string text;
    bool applicable;
    std::function<void(ParameterImage&, bool&)> change; // expected change from the base
};

void PrintTo(const ReaderCase& c, std::ostream* os) {
    *os << c.name;
}

class ReaderCases : public testing::TestWithParam<ReaderCase> {};

TEST_P(ReaderCases, ReadsTheFile) {
    const ReaderCase& c = GetParam();
    const ParameterImage base = baseImage();
    ParameterImage expected = base;
    bool expectedExtMon = false;
    if (c.change) {
        c.change(expected, expectedExtMon);
    }
    const IgnReadResult result = IgnReader::read(c.text, base, false);
    EXPECT_EQ(result.applicable(), c.applicable);
    EXPECT_EQ(result.versionMatched, c.applicable);
    EXPECT_FALSE(result.ioError);
    EXPECT_EQ(result.extMon, expectedExtMon);
    for (std::size_t i = 0; i < kImageSize; ++i) {
        EXPECT_EQ(result.image[i], expected[i]) << "byte " << i << " " << elementNameAt(i);
    }
}

auto set(std::size_t index, std::uint8_t value) {
    return [=](ParameterImage& image, bool&) { image[index] = value; };
}

auto setMany(std::vector<std::pair<std::size_t, std::uint8_t>> values, bool extMon = false) {
    return [=](ParameterImage& image, bool& ext) {
        for (auto [i, v] : values) {
            image[i] = v;
        }
        ext = extMon;
    };
}

// Every element of `count` from `first` on becomes `value`.
auto fill(std::size_t first, std::size_t count, std::uint8_t value) {
    return [=](ParameterImage& image, bool&) {
        for (std::size_t i = first; i < first + count; ++i) {
            image[i] = value;
        }
    };
}

template <typename... Changes>
auto all(Changes... changes) {
    return [=](ParameterImage& image, bool& extMon) { (changes(image, extMon), ...); };
}

const std::string kMagic = "VALMORIN_KEY    51 \n";

INSTANTIATE_TEST_SUITE_P(
    Files, ReaderCases,
    testing::Values(
        ReaderCase{"OnlyTheMagicKey", kMagic, true, {}},
        ReaderCase{"Version50Then51", "VALMORIN_KEY 50\nVALMORIN_KEY 51\nBIKE 2", true,
                   set(kBike, 2)},
        ReaderCase{"KeyBeforeTheMagicKeyIsNotApplied", "BIKE 2\nVALMORIN_KEY 51\n", true, {}},
        ReaderCase{"Version52", "VALMORIN_KEY 52\nBIKE 2", false, {}},
        ReaderCase{"NoMagicKey", "BIKE 2 LIMITER 9000 9000 9000", false, {}},
        ReaderCase{"EmptyFile", "", false, {}},
        ReaderCase{"MagicKeyAtTheEnd", "VALMORIN_KEY", false, {}},
        ReaderCase{"MagicKeyCaseMatters", "valmorin_key 51 BIKE 2", false, {}},
        ReaderCase{"VersionMustBeAWholeNumber", "VALMORIN_KEY 51x BIKE 2", false, {}},
        ReaderCase{"VersionDoesNotWrap", "VALMORIN_KEY 65587 BIKE 2", false, {}},
        ReaderCase{"VersionUnsigned", "VALMORIN_KEY +51 BIKE 2", false, {}},
        ReaderCase{"MagicKeyAfterANonNumberIsSeen", "VALMORIN_KEY VALMORIN_KEY 51 BIKE 1", true,
                   set(kBike, 1)},
        ReaderCase{"VersionWithLeadingZeros", "VALMORIN_KEY 0051 BIKE 1", true, set(kBike, 1)},
        ReaderCase{"LimiterTruncates", kMagic + "LIMITER 9025 9000 9000", true,
                   setMany({{kLimiter, 180}, {kLimiter + 1, 180}, {kLimiter + 2, 180}})},
        ReaderCase{"Throttle", kMagic + "TPS 480 4470", true,
                   setMany({{kTps, 48}, {kTps + 1, 197}})},
        ReaderCase{"RetardSigned", kMagic + "RETARD -3 7", true,
                   all(set(kRetard, 97), fill(kRetard + 1, 19, 107))},
        ReaderCase{"StartSignedLimits", kMagic + "START -32768 32767 +5 -32769", true,
                   all(setMany({{kStart, 100}, {kStart + 1, 99}}), fill(kStart + 2, 13, 105))},
        // Before any value, the number read last is the version: 51, as 51 / 50 for LIMITER.
        ReaderCase{"UnsignedKeyRejectsSign", kMagic + "BIKE -1 LIMITER +9000", true,
                   all(set(kBike, 51), fill(kLimiter, 3, 1))},
        ReaderCase{"ActLim1Inverted", kMagic + "ACT_LIM1 1 ACT_RPM 0", true,
                   setMany({{kActLim1, 0}, {kActRpm, 1}})},
        ReaderCase{"ExtMonIsNoByte", kMagic + "EXT_MON 5", true, setMany({}, true)},
        ReaderCase{"FlagsStoredUnchecked", kMagic + "NO_READING 7 SERVO_ENABLE 300", true,
                   setMany({{kNoReading, 7}, {kServoEnable, 44}})},
        ReaderCase{"ChokeCorrectionOffset", kMagic + "CHOKE 5 10 15 18 250 150 130 99", true,
                   setMany({{kChoke, 5},
                            {kChoke + 1, 10},
                            {kChoke + 2, 15},
                            {kChoke + 3, 18},
                            {kChoke + 4, 150},
                            {kChoke + 5, 50},
                            {kChoke + 6, 30},
                            {kChoke + 7, 255}})},
        ReaderCase{"UnknownKeysSkipped",
                   kMagic + "FOO 1 2 3 BIKE 3 NEW_KEY_V52 7 MODE 2 0 limiter 9000", true,
                   setMany({{kBike, 3}, {kMode, 2}, {kMode + 1, 0}})},
        ReaderCase{"LaterValuesWin", kMagic + "BIKE 1 MODE 2 2 BIKE 2", true,
                   setMany({{kBike, 2}, {kMode, 2}, {kMode + 1, 2}})},
        // TPS[1] takes 480 as its own value: 480 / 10 + 6.
        ReaderCase{"AnyOrder", kMagic + "ALARM 1400 TPS 480 BIKE 1", true,
                   all(fill(kAlarm, 15, 70), setMany({{kTps, 48}, {kTps + 1, 54}, {kBike, 1}}))},
        ReaderCase{"NonNumberFillsTheKeyWithTheNumberReadLast",
                   kMagic + "LIMITER 9000 abc 9500 BIKE 2", true,
                   all(fill(kLimiter, 3, 180), set(kBike, 2))},
        ReaderCase{"KeyFillsTheKeyBefore", kMagic + "LIMITER 9000 BIKE 2", true,
                   all(fill(kLimiter, 3, 180), set(kBike, 2))},
        ReaderCase{
            "NumberAbove65535IsNotANumber", kMagic + "LIMITER 65536 BIKE 1 MODE 65535", true,
            all(fill(kLimiter, 3, 1), setMany({{kBike, 1}, {kMode, 255}, {kMode + 1, 255}}))},
        ReaderCase{"FileEndsInsideAKey", kMagic + "BIKE 1 LIMITER 9000", true,
                   all(set(kBike, 1), fill(kLimiter, 3, 180))},
        ReaderCase{"MagicKeyAgainIsSkipped", kMagic + "VALMORIN_KEY 52 BIKE 2", true,
                   set(kBike, 2)},
        ReaderCase{
            "InjectionCellsAreBytes",
            kMagic + "JET_1A 69 79 83 86 111 134 140 145 145 147 145 145 149 144 153 "
                     "0 255 JET_3B 7 RPM_JET_1A 1000 2050",
            true,
            all(fill(mapCells(3) + 17, 133, 255), fill(mapCells(8), 150, 7),
                fill(mapRpm(3) + 2, 13, 41),
                setMany({{mapCells(3), 69},       {mapCells(3) + 1, 79},   {mapCells(3) + 2, 83},
                         {mapCells(3) + 3, 86},   {mapCells(3) + 4, 111},  {mapCells(3) + 5, 134},
                         {mapCells(3) + 6, 140},  {mapCells(3) + 7, 145},  {mapCells(3) + 8, 145},
                         {mapCells(3) + 9, 147},  {mapCells(3) + 10, 145}, {mapCells(3) + 11, 145},
                         {mapCells(3) + 12, 149}, {mapCells(3) + 13, 144}, {mapCells(3) + 14, 153},
                         {mapCells(3) + 15, 0},   {mapCells(3) + 16, 255}, {mapCells(8), 7},
                         {mapRpm(3), 20},         {mapRpm(3) + 1, 41}}))},
        ReaderCase{"InjectionCellTooBigKeepsLowByte", kMagic + "JET_2A 3450 256", true,
                   all(set(mapCells(4), 122), fill(mapCells(4) + 1, 149, 0))},
        ReaderCase{"OtherWhiteSpace", "VALMORIN_KEY\t51\r\nBIKE\v2\fMODE\r\n1 1\r\n", true,
                   setMany({{kBike, 2}, {kMode, 1}, {kMode + 1, 1}})}),
    [](const testing::TestParamInfo<ReaderCase>& info) { return std::string(info.param.name); });

TEST(IgnReader, ReadsAWrittenPreset) {
    ParameterImage image;
    image[kBike] = 2;
    applyDefaultSet(image);
    const IgnReadResult result = IgnReader::read(IgnWriter::write(image, true), baseImage(), false);
    ASSERT_TRUE(result.applicable());
    EXPECT_TRUE(result.extMon);
    EXPECT_EQ(shownValue(result.image, "LIMITER", 2), 9200);
    EXPECT_EQ(shownValue(result.image, "TPS", 1), 4470);
    EXPECT_EQ(shownValue(result.image, "MODE", 1), 2);
    EXPECT_EQ(result.image[126], baseImage()[126]); // not a file parameter
}

std::string zeros(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += " 0";
    }
    return text;
}

TEST(IgnReader, ListsValuesThatDoNotFitTheirByte) {
    const IgnReadResult result =
        IgnReader::read(kMagic + "JET_1A 3450 255" + zeros(148) +
                            " LIMITER 12750 12800 9000 BIKE 256 RETARD -101 155 156" + zeros(17) +
                            " CHOKE 0 0 0 0 99 355 356 100 ACT_LIM1 7 NO_READING 255",
                        baseImage(), false);
    ASSERT_TRUE(result.applicable());
    std::vector<std::string> listed;
    for (const auto& o : result.overflows) {
        listed.push_back(o.element + "=" + std::to_string(o.value));
    }
    const std::vector<std::string> expected = {"JET_1A[0]=3450", "LIMITER[1]=12800", "BIKE=256",
                                               "RETARD[0]=-101", "RETARD[2]=156",    "CHOKE[4]=99",
                                               "CHOKE[6]=356"};
    EXPECT_EQ(listed, expected);
    EXPECT_TRUE(IgnReader::read("BIKE 256", baseImage(), false).overflows.empty());
    // A value the number read last fills is stored, and listed, like any other.
    listed.clear();
    for (const auto& o : IgnReader::read(kMagic + "LIMITER 12800", baseImage(), false).overflows) {
        listed.push_back(o.element + "=" + std::to_string(o.value));
    }
    EXPECT_EQ(listed, (std::vector<std::string>{"LIMITER[0]=12800", "LIMITER[1]=12800",
                                                "LIMITER[2]=12800"}));
}

// The file of a whole set with the lines of one key (its key line and indented rows) taken out.
std::string withoutKey(std::string text, const std::string& key) {
    const std::size_t from = text.find("\n" + key + " ");
    const std::size_t to = text.find("\n", text.find_first_not_of(' ', from + 1) + 1);
    std::size_t end = to;
    while (end < text.size() && text.compare(end, 14, "\n             ") == 0) {
        end = text.find("\n", end + 1);
    }
    return text.erase(from, end - from);
}

TEST(IgnReader, ReportsMissingAndCutShortKeys) {
    ParameterImage source;
    source[kBike] = 1;
    applyDefaultSet(source);
    const std::string whole = IgnWriter::write(source, true);
    const ParameterImage base = baseImage();

    // A complete set minus IGN_2: every byte but IGN_2's comes from the file.
    const IgnReadResult minusOne = IgnReader::read(withoutKey(whole, "IGN_2"), base, false);
    ASSERT_TRUE(minusOne.applicable());
    EXPECT_EQ(minusOne.missingKeys, std::vector<std::string>{"IGN_2"});
    EXPECT_TRUE(minusOne.shortKeys.empty());
    EXPECT_EQ(minusOne.keysHeld, 49u);
    EXPECT_FALSE(minusOne.complete());
    for (std::size_t i = 0; i < kImageSize; ++i) {
        const bool ign2 = i >= mapCells(1) && i < mapCells(1) + 150;
        const bool named = elementNameAt(i) != "";
        const std::uint8_t want = ign2 || !named ? base[i] : source[i];
        ASSERT_EQ(minusOne.image[i], want) << "byte " << i << " " << elementNameAt(i);
    }

    // The file ends two numbers into ALARM: the other thirteen take 60 / 20 = 3.
    const std::string cut = whole.substr(0, whole.find("\nALARM")) + "\nALARM 1400 60";
    const IgnReadResult shortEnd = IgnReader::read(cut, base, false);
    EXPECT_TRUE(shortEnd.missingKeys.empty());
    EXPECT_EQ(shortEnd.shortKeys, std::vector<std::string>{"ALARM"});
    EXPECT_EQ(shortEnd.keysHeld, 50u);
    EXPECT_EQ(shortEnd.image[kAlarm], 70);
    for (std::size_t i = 1; i < 15; ++i) {
        EXPECT_EQ(shortEnd.image[kAlarm + i], 3) << i;
    }

    // The magic line alone names no key at all.
    const IgnReadResult magicOnly = IgnReader::read(kMagic, base, true);
    EXPECT_EQ(magicOnly.missingKeys.size(), 50u);
    EXPECT_EQ(magicOnly.missingKeys.front(), "BIKE");
    EXPECT_EQ(magicOnly.missingKeys.back(), "ALARM");
    EXPECT_EQ(magicOnly.keysHeld, 0u);
    EXPECT_EQ(magicOnly.image, base);

    // A whole file is complete in any order, with CRLF line ends and unknown words between keys;
    // a cut-short key given again in full is whole.
    const std::size_t maps = whole.find("\nRPM_IGN_1");
    std::istringstream limiterLine(whole.substr(whole.find("\nLIMITER") + 1));
    std::string key, v1, v2, v3;
    limiterLine >> key >> v1 >> v2 >> v3;
    std::string crlf;
    for (const char c : kMagic + "NEW_KEY 7" + whole.substr(maps) +
                            whole.substr(kMagic.size(), maps - kMagic.size()) + "\nLIMITER " + v1) {
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    const IgnReadResult reordered = IgnReader::read(crlf, base, false);
    EXPECT_EQ(reordered.shortKeys, std::vector<std::string>{"LIMITER"});
    EXPECT_TRUE(reordered.missingKeys.empty());
    const IgnReadResult shuffled =
        IgnReader::read(crlf + " " + v2 + "\t" + v3 + "\r\n", base, false);
    EXPECT_TRUE(shuffled.complete());
    EXPECT_EQ(shuffled.keysHeld, 50u);
    EXPECT_EQ(shuffled.image, IgnReader::read(whole, base, false).image);
}

TEST(IgnReader, NeverCutsALongWord) {
    const std::string filler(WordReader::kMaxWordLength * 4096, 'x'); // about 1 MB
    // Cut into 255-character pieces, these words would end in a key or the magic key.
    const std::string keyTail = kMagic + filler + "BIKE 3 LIMITER 9000";
    IgnReadResult r = IgnReader::read(keyTail, baseImage(), false);
    ASSERT_TRUE(r.applicable());
    EXPECT_EQ(r.image[kBike], baseImage()[kBike]);
    EXPECT_EQ(r.image[kLimiter], 180);

    const std::string magicTail = filler + "VALMORIN_KEY 51 BIKE 2";
    r = IgnReader::read(magicTail, baseImage(), false);
    EXPECT_FALSE(r.applicable());

    const std::string longNumber = kMagic + "BIKE " + std::string(300, '0') + "1 MODE 2";
    r = IgnReader::read(longNumber, baseImage(), false);
    ASSERT_TRUE(r.applicable());
    EXPECT_EQ(r.image[kBike], 51); // not a number: BIKE takes the number read last, the version
    EXPECT_EQ(r.image[kMode], 2);

    const std::string exact = kMagic + "BIKE " + std::string(254, '0') + "2";
    r = IgnReader::read(exact, baseImage(), false);
    EXPECT_EQ(r.image[kBike], 2); // 255 characters still make a number
}

std::string randomBytes(std::mt19937& rng, std::size_t n) {
    std::uniform_int_distribution<int> byte(0, 255);
    std::string s(n, '\0');
    for (auto& c : s) {
        c = static_cast<char>(byte(rng));
    }
    return s;
}

TEST(IgnReader, SurvivesRandomBytes) {
    std::mt19937 rng(10);
    const std::string noise = randomBytes(rng, 10 * 1024 * 1024);
    const IgnReadResult plain = IgnReader::read(noise, baseImage(), true);
    EXPECT_FALSE(plain.applicable());
    EXPECT_EQ(plain.image, baseImage());
    EXPECT_TRUE(plain.extMon);
    const IgnReadResult afterMagic = IgnReader::read(kMagic + noise, baseImage(), true);
    EXPECT_TRUE(afterMagic.applicable());
}

// A stream whose source fails after `limit` bytes, as a disk or network file can.
class FailingBuffer : public std::streambuf {
public:
    FailingBuffer(std::string text, std::size_t limit) : m_text(std::move(text)), m_limit(limit) {}

protected:
    int_type underflow() override {
        if (m_pos >= m_limit) {
            throw std::ios_base::failure("read error");
        }
        if (m_pos >= m_text.size()) {
            return traits_type::eof();
        }
        m_char = m_text[m_pos++];
        setg(&m_char, &m_char, &m_char + 1);
        return traits_type::to_int_type(m_char);
    }

private:
    std::string m_text;
    std::size_t m_limit;
    std::size_t m_pos = 0;
    char m_char = 0;
};

TEST(IgnReader, AppliesNothingAfterAReadError) {
    const std::string text = kMagic + "BIKE 2 LIMITER 9000 9000 9000 MODE 2 2";
    for (std::size_t limit : {std::size_t{0}, std::size_t{5}, std::size_t{30}, text.size() - 1}) {
        FailingBuffer buffer(text, limit);
        std::istream in(&buffer);
        const IgnReadResult r = IgnReader::read(in, baseImage(), true);
        EXPECT_TRUE(r.ioError) << limit;
        EXPECT_FALSE(r.applicable()) << limit;
        EXPECT_EQ(r.image, baseImage()) << limit;
        EXPECT_TRUE(r.extMon);
        ParameterImage image = baseImage();
        bool extMon = true;
        EXPECT_FALSE(IgnReader::apply(r, image, extMon));
        EXPECT_EQ(image, baseImage());
    }
    FailingBuffer whole(text, text.size() + 1); // ends cleanly before failing
    std::istream in(&whole);
    const IgnReadResult r = IgnReader::read(in, baseImage(), false);
    EXPECT_TRUE(r.applicable());
    ParameterImage image = baseImage();
    bool extMon = true;
    EXPECT_TRUE(IgnReader::apply(r, image, extMon));
    EXPECT_EQ(image[kBike], 2);
    EXPECT_FALSE(extMon);
}

// An independent reading of the file rules over a whole word list, for comparison.
struct Expected {
    bool matched = false;
    ParameterImage image;
    bool extMon = false;
    std::vector<std::string> missing; // keys never named after the magic key
    std::vector<std::string> cut;     // keys whose last value list was cut short
};

std::optional<long> oracleNumber(const std::string& w, bool isSigned) {
    if (w.empty() || w.size() > WordReader::kMaxWordLength) {
        return std::nullopt;
    }
    std::size_t start = isSigned && (w[0] == '-' || w[0] == '+') ? 1 : 0;
    if (start == w.size() || w.find_first_not_of("0123456789", start) != std::string::npos) {
        return std::nullopt;
    }
    const std::string digits = w.substr(start);
    const std::size_t firstNonZero = digits.find_first_not_of('0');
    if (firstNonZero != std::string::npos && digits.size() - firstNonZero > 6) {
        return std::nullopt;
    }
    const long v = std::stol(digits) * (w[0] == '-' ? -1 : 1);
    if (isSigned ? (v < -32768 || v > 32767) : v > 65535) {
        return std::nullopt;
    }
    return v;
}

Expected oracle(const std::string& text, const ParameterImage& base, bool extMon) {
    std::istringstream in(text);
    std::vector<std::string> w;
    for (std::string s; in >> s;) {
        w.push_back(s);
    }
    Expected e{false, base, extMon, {}, {}};
    std::size_t i = 0;
    while (i < w.size() && !e.matched) {
        if (w[i] == "VALMORIN_KEY" && i + 1 < w.size()) {
            const auto v = oracleNumber(w[i + 1], false);
            e.matched = v == 51;
            i += v ? 2 : 1;
        } else {
            ++i;
        }
    }
    if (!e.matched) {
        return Expected{false, base, extMon, {}, {}};
    }
    long last = 51; // the version number is the number read last before any value
    std::map<std::string, bool> named; // key -> its last value list was cut short
    while (i < w.size()) {
        const ParameterKey* key = ParameterTable::instance().find(w[i++]);
        if (key == nullptr) {
            continue;
        }
        bool cut = false;
        for (std::size_t k = 0; k < key->count(); ++k) {
            const auto v = !cut && i < w.size() ? oracleNumber(w[i], key->isSigned) : std::nullopt;
            cut = cut || !v;
            if (v) {
                last = *v;
                ++i;
            }
            if (key->elements[k].hasImageByte()) {
                storeFileValue(e.image, key->elements[k], static_cast<int>(last));
            } else {
                e.extMon = last != 0;
            }
        }
        named[std::string(key->name)] = cut;
    }
    for (const ParameterKey& key : ParameterTable::instance().keys()) {
        const auto it = named.find(std::string(key.name));
        if (it == named.end()) {
            e.missing.emplace_back(key.name);
        } else if (it->second) {
            e.cut.emplace_back(key.name);
        }
    }
    return e;
}

std::string mutate(std::string text, std::mt19937& rng) {
    static const std::vector<std::string> inserts = {" VALMORIN_KEY ",
                                                     " 51 ",
                                                     " BIKE ",
                                                     " x ",
                                                     " -7 ",
                                                     " 65536 ",
                                                     " RETARD ",
                                                     " EXT_MON 1 ",
                                                     "\n",
                                                     " LIMITER 9000 ",
                                                     " 00000000000000000000000000000000000000009 ",
                                                     "\t+3 "};
    std::uniform_int_distribution<int> kind(0, 5);
    std::uniform_int_distribution<int> count(1, 6);
    std::uniform_int_distribution<int> byte(0, 255);
    const int n = count(rng);
    for (int m = 0; m < n && !text.empty(); ++m) {
        std::uniform_int_distribution<std::size_t> at(0, text.size() - 1);
        const std::size_t p = at(rng);
        switch (kind(rng)) {
        case 0:
            text[p] = static_cast<char>(byte(rng));
            break;
        case 1:
            text.erase(p, std::min<std::size_t>(text.size() - p, 1 + at(rng) % 40));
            break;
        case 2:
            text.insert(p, inserts[at(rng) % inserts.size()]);
            break;
        case 3:
            text.insert(p, text.substr(p, 1 + at(rng) % 200));
            break;
        case 4:
            text.resize(p);
            break;
        default:
            text[p] = "0123456789 -"[at(rng) % 12];
            break;
        }
    }
    return text;
}

TEST(IgnReader, MutatedFilesReadAsTheRulesSay) {
    std::mt19937 rng(6);
    const ParameterImage base = baseImage();
    int applicable = 0;
    for (int n = 0; n < 3000; ++n) {
        ParameterImage source;
        source[kBike] = static_cast<std::uint8_t>(n % 4);
        applyDefaultSet(source);
        const std::string text = mutate(IgnWriter::write(source, n % 3 == 0), rng);
        const bool extMon = n % 2 == 0;
        const Expected want = oracle(text, base, extMon);
        const IgnReadResult got = IgnReader::read(text, base, extMon);
        ASSERT_EQ(got.applicable(), want.matched) << "file " << n;
        ASSERT_EQ(got.image, want.image) << "file " << n;
        ASSERT_EQ(got.extMon, want.extMon) << "file " << n;
        ASSERT_EQ(got.missingKeys, want.missing) << "file " << n;
        ASSERT_EQ(got.shortKeys, want.cut) << "file " << n;
        ASSERT_EQ(got.keysHeld, got.applicable() ? 50 - want.missing.size() : 0) << "file " << n;
        applicable += got.applicable() ? 1 : 0;

        // Small chunks put word boundaries everywhere inside the stream buffer.
        std::istringstream in(text);
        const std::size_t chunkSizes[] = {1, 2, 7, 13, 64, 4096};
        WordReader words(in, chunkSizes[n % 6]);
        const IgnReadResult chunked = IgnReader::read(words, base, extMon);
        ASSERT_EQ(chunked.applicable(), got.applicable()) << "file " << n;
        ASSERT_EQ(chunked.image, got.image) << "file " << n;
    }
    EXPECT_GT(applicable, 1000); // the mutations must leave plenty of files to apply
    EXPECT_LT(applicable, 3000);
}

TEST(WordReader, SplitsWordsAndParsesNumbers) {
    WordReader words("  a\tbb\n\n ccc ");
    std::vector<std::string> got;
    while (auto w = words.next()) {
        got.emplace_back(w->text);
    }
    EXPECT_EQ(got, (std::vector<std::string>{"a", "bb", "ccc"}));

    WordReader again("one two");
    ASSERT_EQ(again.next()->text, "one");
    again.pushBack();
    EXPECT_EQ(again.next()->text, "one");
    EXPECT_EQ(again.next()->text, "two");
    EXPECT_FALSE(again.next());

    auto word = [](const char* s) { return Word{s, false}; };
    EXPECT_EQ(WordReader::toUnsigned(word("65535")), 65535u);
    EXPECT_FALSE(WordReader::toUnsigned(word("65536")));
    EXPECT_FALSE(WordReader::toUnsigned(word("99999999999999999999999")));
    EXPECT_FALSE(WordReader::toUnsigned(word("12a")));
    EXPECT_FALSE(WordReader::toUnsigned(word("")));
    EXPECT_EQ(WordReader::toUnsigned(word("255"), 255), 255u);
    EXPECT_FALSE(WordReader::toUnsigned(word("256"), 255));
    EXPECT_EQ(WordReader::toSigned(word("-32768")), -32768);
    EXPECT_EQ(WordReader::toSigned(word("+32767")), 32767);
    EXPECT_FALSE(WordReader::toSigned(word("32768")));
    EXPECT_FALSE(WordReader::toSigned(word("-")));
    EXPECT_FALSE(WordReader::toSigned(word("--1")));
    EXPECT_FALSE(WordReader::toUnsigned(Word{"", true}));
}

} // namespace
} // namespace kordana
