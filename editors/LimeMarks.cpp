#include "editors/LimeMarks.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QWidget>

#include <algorithm>
#include <array>
#include <cstddef>

namespace kordana {

namespace {

const QColor kLime(0, 255, 0);

bool contains(std::span<QWidget* const> fields, const QWidget* widget) {
    return std::find(fields.begin(), fields.end(), widget) != fields.end();
}

} // namespace

QPalette::ColorRole LimeMarks::backgroundRole(const QWidget* widget) {
    if (qobject_cast<const QLabel*>(widget) != nullptr) {
        return QPalette::Window;
    }
    // A list that cannot be typed into is drawn as a button face.
    const auto* list = qobject_cast<const QComboBox*>(widget);
    if (list != nullptr && !list->isEditable()) {
        return QPalette::Button;
    }
    return QPalette::Base;
}

void LimeMarks::paint(QWidget* widget, bool marked) {
    if (widget == nullptr) {
        return;
    }
    const QPalette::ColorRole role = backgroundRole(widget);
    const QColor normal = QApplication::palette(widget).color(role);
    if (widget->palette().color(role) == (marked ? kLime : normal)) {
        return;
    }
    // A palette that sets the one role alone: the widget keeps inheriting every other colour,
    // and the palettes are built once (GUI thread only) instead of copied and detached on every
    // mark, which was a good part of a tick on the knock page.
    struct OneRole {
        QColor colour;
        QPalette palette;
    };
    static std::array<OneRole, QPalette::NColorRoles> limes;
    static std::array<OneRole, QPalette::NColorRoles> normals;
    OneRole& wanted = (marked ? limes : normals)[static_cast<std::size_t>(role)];
    const QColor colour = marked ? kLime : normal;
    if (wanted.colour != colour) {
        wanted.colour = colour;
        wanted.palette = QPalette();
        wanted.palette.setColor(role, colour);
    }
    widget->setPalette(wanted.palette);
}

void LimeMarks::show(std::span<QWidget* const> fields) {
    // Up to 21 fields a page: linear searches beat any set at this size, 18 times a second.
    if (std::ranges::equal(fields, m_shown)) {
        return;
    }
    for (QWidget* old : m_shown) {
        if (!contains(fields, old)) {
            paint(old, false);
        }
    }
    for (QWidget* field : fields) {
        if (field != nullptr && !contains(m_shown, field)) {
            paint(field, true);
        }
    }
    m_shown.clear();
    for (QWidget* field : fields) {
        if (field != nullptr) {
            m_shown.push_back(field);
        }
    }
}

} // namespace kordana
