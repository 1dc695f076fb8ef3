#pragma once

#include "params/ParameterImage.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace kordana {

/// How a stored byte b becomes the value the user sees and the parameter file holds.
enum class Conversion : std::uint8_t {
    Linear, ///< value = (b + bias) * scale; stored = value / scale - bias (truncating, low 8 bits)
    Flag,   ///< shown = 1 when b != 0, else 0; stored = the value's low 8 bits, unchecked
    InvertedFlag, ///< shown = 1 when b == 0, else 0; stored = 1 when the value is 0, else 0
};

/// Image index of an element that is a setting outside the image (`EXT_MON`).
inline constexpr std::size_t kNoImageByte = static_cast<std::size_t>(-1);

/// The scaling of a linear conversion.
struct Scaling {
    int scale = 1; ///< units per stored step (50 rpm, 20 mV, ...)
    int bias = 0;  ///< added to the byte before scaling: -100 signed, +100 CHOKE[4..7], +250 TPS[1]

    friend bool operator==(const Scaling&, const Scaling&) = default;
};

/// One element of a parameter key: its image byte, its conversions and its editing range.
/// The editors and the parameter file each have their own scaling: they agree for most keys,
/// but the injection-map cells are shown in microseconds (b x 50) and written as the byte.
struct ParameterElement {
    std::size_t index = kNoImageByte;
    Conversion conversion = Conversion::Linear;
    Scaling shown; ///< what the editors show
    Scaling file;  ///< what the parameter file holds
    int minShown = 0;
    int maxShown = 0;
    int step = 1; ///< editing step in shown units

    /// False only for `EXT_MON`, which lives in the settings, not in the image.
    bool hasImageByte() const { return index != kNoImageByte; }
};

/// One key of the parameter file with all its elements, numbered through its rows in file order.
struct ParameterKey {
    std::string_view name;
    bool isSigned = false; ///< read and written as a signed decimal (`RETARD`, `START`, `END`)
    std::vector<ParameterElement> elements;

    /// Number of values the key holds in the file.
    std::size_t count() const { return elements.size(); }
};

/// A key and one of its elements.
struct ElementRef {
    const ParameterKey* key = nullptr;
    std::size_t element = 0;
};

/// Every key of the parameter set, in the order the parameter file lists them.
class ParameterTable {
public:
    /// The one table, built on first use; safe to call from anywhere.
    static const ParameterTable& instance();

    /// All keys in file order.
    std::span<const ParameterKey> keys() const { return m_keys; }
    /// The key with exactly this text (case matters), or nullptr.
    const ParameterKey* find(std::string_view name) const;
    /// Element `element` of key `name`, or nullptr when either does not exist.
    const ParameterElement* element(std::string_view name, std::size_t element) const;
    /// The key and element stored at image byte `imageIndex`; nullopt for header and unnamed bytes.
    std::optional<ElementRef> findByIndex(std::size_t imageIndex) const;

private:
    ParameterTable();

    static constexpr std::uint16_t kNoEntry = 0xFFFF;
    std::vector<ParameterKey> m_keys;
    std::array<std::uint16_t, kImageSize> m_keyOfByte{};
    std::array<std::uint16_t, kImageSize> m_elementOfByte{};
};

/// The value shown for one element's stored byte; 0 for an element without an image byte.
int shownValue(const ParameterImage& image, const ParameterElement& element);
/// Stores a shown value by the inverse conversion (truncating division, low eight bits kept);
/// does nothing for an element without an image byte.
void storeShown(ParameterImage& image, const ParameterElement& element, int value);
/// The shown value of `key`[`element`]; 0 when the key or element does not exist.
int shownValue(const ParameterImage& image, std::string_view key, std::size_t element);
/// Stores a shown value into `key`[`element`]; false (nothing stored) when it has no image byte.
bool storeShown(ParameterImage& image, std::string_view key, std::size_t element, int value);
/// The value the parameter file holds for one element's stored byte (flags as 0 or 1); 0 for an
/// element without an image byte.
int fileValue(const ParameterImage& image, const ParameterElement& element);
/// Stores a value read from a parameter file by the file's inverse conversion (truncating
/// division, low eight bits kept); does nothing for an element without an image byte.
void storeFileValue(ParameterImage& image, const ParameterElement& element, int value);
/// False when a file value, converted for storing, does not fit the byte (0..255) and would be
/// stored as its low eight bits only; a sign of a file from a wrong writer.
bool fileValueFitsByte(const ParameterElement& element, int value);
/// `value` limited to the element's editing range.
int clampShown(const ParameterElement& element, int value);

/// "KEY[i]" for a key with several values, "KEY" for a key with one.
std::string elementName(const ParameterKey& key, std::size_t element);
/// The name of image byte `imageIndex` ("LIMITER[1]"), or an empty string for unnamed bytes.
std::string elementNameAt(std::size_t imageIndex);

} // namespace kordana
