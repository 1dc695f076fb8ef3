#include "editors/FieldTable.h"

#include "editors/UpDownEdit.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QSignalBlocker>

#include <optional>

namespace kordana {

namespace {

Field fieldFor(FieldControl control, const ParameterElement* element) {
    Field field{control, element};
    if (element != nullptr) {
        field.minShown = element->minShown;
        field.maxShown = element->maxShown;
        field.step = element->step;
    }
    return field;
}

struct ValueSetter {
    const Field& field;
    int value;

    void operator()(UpDownEdit* edit) const {
        const QSignalBlocker block(edit);
        edit->setRange(field.minShown, field.maxShown, field.step);
        edit->setPosition(value);
    }
    void operator()(QCheckBox* box) const {
        const QSignalBlocker block(box);
        box->setChecked(value != 0);
    }
    // A stored index the list has no item for shows no selection rather than a neighbour,
    // so the following harvest keeps the byte as it is.
    void operator()(QComboBox* combo) const {
        const QSignalBlocker block(combo);
        combo->setCurrentIndex(value >= 0 && value < combo->count() ? value : -1);
    }
    void operator()(QButtonGroup* group) const {
        const QSignalBlocker blockGroup(group);
        if (QAbstractButton* button = group->button(value)) {
            const QSignalBlocker block(button);
            button->setChecked(true);
            return;
        }
        // An exclusive group never unchecks its last checked button by itself.
        group->setExclusive(false);
        for (QAbstractButton* other : group->buttons()) {
            const QSignalBlocker block(other);
            other->setChecked(false);
        }
        group->setExclusive(true);
    }
};

struct ValueGetter {
    std::optional<int> operator()(UpDownEdit* edit) const { return edit->position(); }
    std::optional<int> operator()(QCheckBox* box) const { return box->isChecked() ? 1 : 0; }
    std::optional<int> operator()(QComboBox* combo) const {
        return selected(combo->currentIndex());
    }
    std::optional<int> operator()(QButtonGroup* group) const {
        return selected(group->checkedId());
    }

    static std::optional<int> selected(int index) {
        return index >= 0 ? std::optional<int>(index) : std::nullopt;
    }
};

} // namespace

Field elementField(FieldControl control, std::string_view key, std::size_t element) {
    return fieldFor(control, ParameterTable::instance().element(key, element));
}

Field imageField(FieldControl control, std::size_t imageIndex) {
    const auto ref = ParameterTable::instance().findByIndex(imageIndex);
    return fieldFor(control, ref ? &ref->key->elements[ref->element] : nullptr);
}

std::optional<int> controlValue(const FieldControl& control) {
    return std::visit(ValueGetter{}, control);
}

void harvestFields(std::span<const Field> fields, ParameterImage& image, const StoreHook& onStore) {
    for (const Field& field : fields) {
        const std::optional<int> value = controlValue(field.control);
        if (!value) {
            continue;
        }
        if (field.element == nullptr || !field.element->hasImageByte()) {
            continue;
        }
        const std::size_t index = field.element->index;
        const std::uint8_t before = image[index];
        storeShown(image, *field.element, *value);
        if (onStore) {
            onStore(image, index, before, image[index]);
        }
    }
}

void refreshFields(std::span<const Field> fields, const ParameterImage& image) {
    for (const Field& field : fields) {
        if (field.element != nullptr) {
            std::visit(ValueSetter{field, shownValue(image, *field.element)}, field.control);
        }
    }
}

} // namespace kordana
