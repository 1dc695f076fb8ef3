#include "shell/MenuSkeleton.h"

#include <QAction>
#include <QKeySequence>
#include <QMenu>

namespace kordana {

void MenuSkeleton::reserve(QMenu* menu, const QString& name) {
    m_places.insert(name, Place{menu, m_next++});
}

QAction* MenuSkeleton::add(const MenuItemSpec& item) {
    const auto place = m_places.constFind(QString(item.name));
    if (place == m_places.constEnd()) {
        return nullptr;
    }
    QMenu* menu = place->menu;
    auto* action = new QAction(item.caption, menu);
    action->setObjectName(item.name);
    action->setCheckable(item.checkable);
    if (*item.shortcut != '\0') {
        action->setShortcut(QKeySequence(item.shortcut));
        action->setShortcutContext(Qt::ApplicationShortcut);
    }
    QAction* before = nullptr;
    for (QAction* present : menu->actions()) {
        const auto other = m_places.constFind(present->objectName());
        if (other != m_places.constEnd() && other->order > place->order) {
            before = present;
            break;
        }
    }
    menu->insertAction(before, action);
    return action;
}

} // namespace kordana
