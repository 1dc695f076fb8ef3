#pragma once

#include "shell/Shell.h"

#include <QHash>
#include <QString>

class QAction;
class QMenu;

namespace kordana {

/// The places of the menu bar's items in their given order. The window reserves every item,
/// separator and feature place of a menu in order; a feature's item then lands in its place,
/// whichever feature is installed first.
class MenuSkeleton {
public:
    /// The next place of `menu` is called `name`.
    void reserve(QMenu* menu, const QString& name);
    /// Creates `item` in its place, before the first later place of its menu that holds an
    /// item already. Null when no place is called `item.name`.
    QAction* add(const MenuItemSpec& item);

private:
    struct Place {
        QMenu* menu = nullptr;
        int order = 0;
    };
    QHash<QString, Place> m_places;
    int m_next = 0;
};

} // namespace kordana
