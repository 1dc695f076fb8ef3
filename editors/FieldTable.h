#pragma once

#include "params/ParameterImage.h"
#include "params/ParameterTable.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <variant>

class QButtonGroup;
class QCheckBox;
class QComboBox;

namespace kordana {

class UpDownEdit;

/// The control a field is edited with: a number with up-down, a check box (0/1), a combo box or
/// a radio group (item index; a button group whose ids are the item indices).
using FieldControl = std::variant<UpDownEdit*, QCheckBox*, QComboBox*, QButtonGroup*>;

/// One row of a page's declarative field table: which control edits which stored byte, how the
/// byte is converted (from the parameter table) and the control's range and step.
struct Field {
    FieldControl control;
    /// The image element edited, with its conversion; null: the field is skipped.
    const ParameterElement* element = nullptr;
    int minShown = 0;
    int maxShown = 0;
    int step = 1;
};

/// A field for `key`[`element`], with the range and step of the parameter table. A key or
/// element the table does not know gives a field that harvest and refresh skip.
Field elementField(FieldControl control, std::string_view key, std::size_t element);
/// A field for the parameter stored at image byte `imageIndex`.
Field imageField(FieldControl control, std::size_t imageIndex);

/// Called for every image byte a harvest stores, with its value before and after.
using StoreHook = std::function<void(ParameterImage& image, std::size_t index, std::uint8_t before,
                                     std::uint8_t after)>;

/// Controls to image: each field's value is stored by the inverse conversion (truncating
/// division, low eight bits); a list or radio group without a selection stores nothing.
/// `onStore` (may be empty) sees every stored image byte.
void harvestFields(std::span<const Field> fields, ParameterImage& image,
                   const StoreHook& onStore = {});
/// Image to controls: each control gets its range and step, then the shown value (clamped by the
/// control; a list or radio group with no item for the value shows no selection). Signals are
/// blocked, so no handler runs.
void refreshFields(std::span<const Field> fields, const ParameterImage& image);

/// The value a field's control holds now (position, 0/1, item index); nothing for a list or
/// radio group without a selection.
std::optional<int> controlValue(const FieldControl& control);

} // namespace kordana
