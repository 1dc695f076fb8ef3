#pragma once

#include <QPalette>

#include <span>
#include <vector>

class QWidget;

namespace kordana {

/// The fields one page shows lime for the operating-point cursor. Each page keeps its own, so a
/// page that becomes active again finds its marks as it left them and only the difference to
/// the new marks is repainted.
class LimeMarks {
public:
    /// Marks exactly `fields` (null entries are skipped) and gives back their normal colour to
    /// the fields marked before and not now. Fields whose mark stays are not touched.
    void show(std::span<QWidget* const> fields);
    /// The fields marked now, in the order the last show() gave them.
    const std::vector<QWidget*>& shown() const { return m_shown; }

    /// Shows `widget` lime or in the application's colour of its background role (Base for
    /// edits, Button for lists, Window for labels). The widget's palette then sets that role
    /// alone: meant for fields whose colours nothing else sets.
    static void paint(QWidget* widget, bool marked);
    /// The palette role that carries the background of `widget`.
    static QPalette::ColorRole backgroundRole(const QWidget* widget);

private:
    std::vector<QWidget*> m_shown;
};

} // namespace kordana
