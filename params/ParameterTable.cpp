#include "params/ParameterTable.h"

#include "params/ImageLayout.h"

#include <algorithm>

namespace kordana {

namespace {

using namespace layout;

// Low eight bits of an int, the way every stored value is kept.
std::uint8_t lowByte(int value) {
    return static_cast<std::uint8_t>(static_cast<unsigned>(value) & 0xFFu);
}

// A run of consecutive elements that share conversion and range. Staggered ranges (the
// pressure and temperature breakpoints) move up by one per element.
struct Run {
    std::size_t count = 1;
    std::size_t first = kNoImageByte;
    Conversion conversion = Conversion::Linear;
    Scaling shown;
    Scaling file;
    int minShown = 0;
    int maxShown = 0;
    int step = 1;
    int stagger = 0;
};

// Runs whose file holds what the editors show.
Run linear(std::size_t count, std::size_t first, int scale, int minShown, int maxShown) {
    const Scaling s{scale, 0};
    return Run{count, first, Conversion::Linear, s, s, minShown, maxShown, scale, 0};
}
Run offset(std::size_t count, std::size_t first, int bias, int minShown, int maxShown) {
    const Scaling s{1, bias};
    return Run{count, first, Conversion::Linear, s, s, minShown, maxShown, 1, 0};
}
Run flag(std::size_t first) {
    return Run{1, first, Conversion::Flag, {}, {}, 0, 1, 1, 0};
}
Run invertedFlag(std::size_t first) {
    return Run{1, first, Conversion::InvertedFlag, {}, {}, 0, 1, 1, 0};
}
// Injection-map cells: edited in microseconds, but the file keeps the unit's byte, so files
// stay interchangeable with every other reader and writer of the format.
Run injectionCells(std::size_t first) {
    return Run{kMapRows * kMapCols,
               first,
               Conversion::Linear,
               Scaling{50, 0},
               Scaling{1, 0},
               0,
               12500,
               50,
               0};
}
Run rpm(std::size_t count, std::size_t first) {
    return linear(count, first, 50, 300, 12500);
}

class KeyListBuilder {
public:
    KeyListBuilder& key(std::string_view name, bool isSigned = false) {
        m_keys.push_back(ParameterKey{name, isSigned, {}});
        return *this;
    }
    KeyListBuilder& add(const Run& run) {
        auto& elements = m_keys.back().elements;
        for (std::size_t i = 0; i < run.count; ++i) {
            const int shift = run.stagger * static_cast<int>(i);
            const std::size_t index = run.first == kNoImageByte ? kNoImageByte : run.first + i;
            elements.push_back(ParameterElement{index, run.conversion, run.shown, run.file,
                                                run.minShown + shift, run.maxShown + shift,
                                                run.step});
        }
        return *this;
    }
    std::vector<ParameterKey> take() { return std::move(m_keys); }

private:
    std::vector<ParameterKey> m_keys;
};

constexpr std::array<std::string_view, kMapPageCount> kMapKeys = {
    "IGN_1", "IGN_2", "IGN_3", "JET_1A", "JET_2A", "JET_3A", "JET_1B", "JET_2B", "JET_3B"};
constexpr std::array<std::string_view, kMapPageCount> kMapRpmKeys = {
    "RPM_IGN_1",  "RPM_IGN_2",  "RPM_IGN_3",  "RPM_JET_1A", "RPM_JET_2A",
    "RPM_JET_3A", "RPM_JET_1B", "RPM_JET_2B", "RPM_JET_3B"};

void addHeadKeys(KeyListBuilder& b) {
    b.key("BIKE").add(linear(1, kBike, 1, 0, 3));
    b.key("LIMITER").add(linear(3, kLimiter, 50, 900, 12500));
    b.key("POWER_OUT");
    for (std::size_t output = 0; output < 3; ++output) {
        b.add(linear(1, powerOut(3 * output), 50, 0, 12500))
            .add(linear(1, powerOut(3 * output + 1), 50, 0, 12500))
            .add(flag(powerOut(3 * output + 2)));
    }
    b.key("NO_READING").add(flag(kNoReading));
    b.key("RPM2").add(flag(kRpm2));
    b.key("EXT_MON").add(flag(kNoImageByte));
    b.key("MODE").add(linear(2, kMode, 1, 0, 2));
    b.key("ACT_LIM1").add(invertedFlag(kActLim1));
    b.key("ACT_RPM").add(invertedFlag(kActRpm));
    b.key("ACT_OIL").add(flag(kActOil));
}

void addMapKeys(KeyListBuilder& b) {
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        b.key(kMapRpmKeys[page]).add(rpm(kMapCols, mapRpm(page)));
        const bool ignition = page < 3;
        b.key(kMapKeys[page])
            .add(ignition ? linear(kMapRows * kMapCols, mapCells(page), 1, 0, 60)
                          : injectionCells(mapCells(page)));
    }
}

void addFixedKeys(KeyListBuilder& b) {
    b.key("POSITION_A")
        .add(rpm(15, kPositionA))
        .add(linear(15, kPositionA + 15, 5, 0, 720))
        .add(linear(1, kPositionARef, 1, 0, 2));
    b.key("POSITION_B")
        .add(rpm(15, kPositionB))
        .add(linear(15, kPositionB + 15, 5, 0, 720))
        .add(linear(1, kPositionBRef, 1, 0, 2));
    // TPS[1] is shown as (b + 250) x 10, so 2500 mV is stored as 0.
    b.key("TPS")
        .add(linear(1, kTps, 10, 300, 2500))
        .add(Run{1, kTps + 1, Conversion::Linear, Scaling{10, 250}, Scaling{10, 250}, 2500, 4900,
                 10, 0});
    b.key("ACCEL").add(linear(1, kAccel, 10, 10, 2500)).add(linear(1, kAccel + 1, 50, 0, 7500));
    b.key("START_JET").add(linear(1, kStartJet, 1, 0, 50));
    b.key("TEMP_WARNING").add(linear(1, kTempWarning, 1, 0, 110));
    b.key("WATER_TEMP").add(linear(5, kWaterTemp, 1, 10, 250));
    b.key("AIR_TEMP").add(linear(5, kAirTemp, 1, 10, 250));
    b.key("DRUCK")
        .add(Run{10, kDruck, Conversion::Linear, {}, {}, 10, 241, 1, 1})
        .add(linear(10, kDruck + 10, 1, 10, 250));
    b.key("RETARD", true)
        .add(Run{10, kRetard, Conversion::Linear, Scaling{1, -100}, Scaling{1, -100}, -10, 101, 1,
                 1})
        .add(offset(10, kRetard + 10, -100, -20, 10));
    b.key("CHOKE").add(linear(4, kChoke, 1, 0, 250)).add(offset(4, kChoke + 4, 100, 100, 350));
}

void addServoAndKnockKeys(KeyListBuilder& b) {
    b.key("SERVO_ENABLE").add(flag(kServoEnable));
    b.key("SERVO_HYSTER").add(linear(1, kServoHyster, 5, 0, 1275));
    b.key("RPM_SERVO").add(rpm(15, kRpmServo));
    b.key("VOLT_SERVO").add(linear(15, kVoltServo, 20, 20, 4980));
    b.key("RPM_KNOCK").add(rpm(15, kRpmKnock));
    b.key("KNOCK_FREK").add(linear(15, kKnockFrek, 1, 0, 63));
    b.key("LEVEL").add(linear(15, kLevel, 1, 0, 63));
    b.key("TIME_CONST").add(linear(15, kTimeConst, 1, 0, 31));
    b.key("START", true).add(offset(15, kStart, -100, -60, 79));
    b.key("END", true).add(offset(15, kEnd, -100, -59, 80));
    b.key("ALARM").add(linear(15, kAlarm, 20, 500, 5000));
}

} // namespace

ParameterTable::ParameterTable() {
    KeyListBuilder builder;
    addHeadKeys(builder);
    addMapKeys(builder);
    addFixedKeys(builder);
    addServoAndKnockKeys(builder);
    m_keys = builder.take();

    m_keyOfByte.fill(kNoEntry);
    m_elementOfByte.fill(kNoEntry);
    for (std::size_t k = 0; k < m_keys.size(); ++k) {
        const auto& elements = m_keys[k].elements;
        for (std::size_t e = 0; e < elements.size(); ++e) {
            const std::size_t index = elements[e].index;
            if (index < kImageSize) {
                m_keyOfByte[index] = static_cast<std::uint16_t>(k);
                m_elementOfByte[index] = static_cast<std::uint16_t>(e);
            }
        }
    }
}

const ParameterTable& ParameterTable::instance() {
    static const ParameterTable table;
    return table;
}

const ParameterKey* ParameterTable::find(std::string_view name) const {
    const auto it = std::find_if(m_keys.begin(), m_keys.end(),
                                 [name](const ParameterKey& key) { return key.name == name; });
    return it == m_keys.end() ? nullptr : &*it;
}

const ParameterElement* ParameterTable::element(std::string_view name, std::size_t element) const {
    const ParameterKey* key = find(name);
    if (key == nullptr || element >= key->count()) {
        return nullptr;
    }
    return &key->elements[element];
}

std::optional<ElementRef> ParameterTable::findByIndex(std::size_t imageIndex) const {
    if (imageIndex >= kImageSize || m_keyOfByte[imageIndex] == kNoEntry) {
        return std::nullopt;
    }
    return ElementRef{&m_keys[m_keyOfByte[imageIndex]], m_elementOfByte[imageIndex]};
}

namespace {

int toValue(const ParameterImage& image, const ParameterElement& element, const Scaling& scaling) {
    if (!element.hasImageByte()) {
        return 0;
    }
    const int b = image[element.index];
    switch (element.conversion) {
    case Conversion::Flag:
        return b != 0 ? 1 : 0;
    case Conversion::InvertedFlag:
        return b == 0 ? 1 : 0;
    case Conversion::Linear:
        break;
    }
    return (b + scaling.bias) * scaling.scale;
}

// The byte a value becomes before its low eight bits are kept.
int toStored(const ParameterElement& element, const Scaling& scaling, int value) {
    switch (element.conversion) {
    case Conversion::Flag:
        return value;
    case Conversion::InvertedFlag:
        return value == 0 ? 1 : 0;
    case Conversion::Linear:
        break;
    }
    return value / scaling.scale - scaling.bias;
}

void store(ParameterImage& image, const ParameterElement& element, const Scaling& scaling,
           int value) {
    if (element.hasImageByte()) {
        image[element.index] = lowByte(toStored(element, scaling, value));
    }
}

} // namespace

int shownValue(const ParameterImage& image, const ParameterElement& element) {
    return toValue(image, element, element.shown);
}

void storeShown(ParameterImage& image, const ParameterElement& element, int value) {
    store(image, element, element.shown, value);
}

int fileValue(const ParameterImage& image, const ParameterElement& element) {
    return toValue(image, element, element.file);
}

void storeFileValue(ParameterImage& image, const ParameterElement& element, int value) {
    store(image, element, element.file, value);
}

bool fileValueFitsByte(const ParameterElement& element, int value) {
    const int stored = toStored(element, element.file, value);
    return stored >= 0 && stored <= 0xFF;
}

int shownValue(const ParameterImage& image, std::string_view key, std::size_t element) {
    const ParameterElement* e = ParameterTable::instance().element(key, element);
    return e == nullptr ? 0 : shownValue(image, *e);
}

bool storeShown(ParameterImage& image, std::string_view key, std::size_t element, int value) {
    const ParameterElement* e = ParameterTable::instance().element(key, element);
    if (e == nullptr || !e->hasImageByte()) {
        return false;
    }
    storeShown(image, *e, value);
    return true;
}

int clampShown(const ParameterElement& element, int value) {
    return std::clamp(value, element.minShown, element.maxShown);
}

std::string elementName(const ParameterKey& key, std::size_t element) {
    std::string name(key.name);
    if (key.count() > 1) {
        name += '[';
        name += std::to_string(element);
        name += ']';
    }
    return name;
}

std::string elementNameAt(std::size_t imageIndex) {
    const auto ref = ParameterTable::instance().findByIndex(imageIndex);
    return ref ? elementName(*ref->key, ref->element) : std::string();
}

} // namespace kordana
