#pragma once

#include <cstdint>
#include <string_view>

namespace kordana {

/// The window's texts about its own files (the settings file and the stored set), in one
/// language.
struct FileTexts {
    /// Status line at start when a file was refused, followed by its path.
    std::string_view refused;
    /// Status line at start when the stored set was damaged, followed by where it was kept.
    std::string_view cacheDamaged;
    /// Message box at close when a file could not be written, followed by its path.
    std::string_view exitWriteError;
    /// The question after it.
    std::string_view exitSaveQuery;
    /// The two buttons of that question.
    std::string_view exitSave;
    std::string_view exitDiscard;
};

/// The texts for a language index (0 English .. 3 Czech; above 3 reads as English).
FileTexts fileTextsFor(std::uint8_t languageIndex);

} // namespace kordana
