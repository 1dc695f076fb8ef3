#pragma once

#include "shell/Shell.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QAction;
class QActionGroup;
class QBoxLayout;
class QMenu;

namespace kordana {

/// The places of the menu bar's items in their given order. The window reserves every item,
/// separator and feature place of a menu in order; a feature's item then lands in its place,
/// whichever feature is installed first.
class MenuSkeleton {
public:
    /// The next place of `menu` is called `name`; in an exclusive menu, `group` checks one of
    /// its items at a time.
    void reserve(QMenu* menu, const QString& name, QActionGroup* group = nullptr);
    /// Creates `item` in its place, before the first later place of its menu that holds an
    /// item already. Null when no place is called `item.name`.
    QAction* add(const MenuItemSpec& item);

private:
    struct Place {
        QMenu* menu = nullptr;
        QActionGroup* group = nullptr;
        int order = 0;
    };
    QHash<QString, Place> m_places;
    int m_next = 0;
};

/// The places of the tool bar's buttons in their given order: a feature's button lands in its
/// place whichever feature is installed first.
class ToolBarSkeleton {
public:
    /// The bar's buttons go into `bar`, whose widgets are `parent`'s children.
    void setBar(QBoxLayout* bar, QWidget* parent);
    /// The next place of the bar is called `name`.
    void reserve(const QString& name);
    /// Creates `button` in its place; null when no place is called `button.name`.
    QAbstractButton* add(const ToolButtonSpec& button);

private:
    QBoxLayout* m_bar = nullptr;
    QWidget* m_parent = nullptr;
    QStringList m_places;
    QList<int> m_filled; // the places holding a button, in the bar's order
};

} // namespace kordana
