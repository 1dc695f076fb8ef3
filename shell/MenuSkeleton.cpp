#include "shell/MenuSkeleton.h"

#include <QAction>
#include <QActionGroup>
#include <QBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace kordana {

void MenuSkeleton::reserve(QMenu* menu, const QString& name, QActionGroup* group) {
    m_places.insert(name, Place{menu, group, m_next++});
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
    if (place->group != nullptr) {
        // An exclusive menu shows one choice: its first item until a command checks another.
        action->setCheckable(true);
        action->setChecked(place->group->checkedAction() == nullptr);
        place->group->addAction(action);
    }
    return action;
}

void ToolBarSkeleton::setBar(QBoxLayout* bar, QWidget* parent) {
    m_bar = bar;
    m_parent = parent;
}

void ToolBarSkeleton::reserve(const QString& name) {
    m_places.push_back(name);
}

QAbstractButton* ToolBarSkeleton::add(const ToolButtonSpec& wanted) {
    const int place = static_cast<int>(m_places.indexOf(QString(wanted.name)));
    if (place < 0 || m_bar == nullptr) {
        return nullptr;
    }
    QAbstractButton* button = nullptr;
    if (wanted.caption == nullptr) {
        auto* glyph = new QToolButton(m_parent);
        glyph->setIcon(toolBarGlyph(wanted.glyph));
        glyph->setIconSize(QSize(20, 20));
        glyph->setAutoRaise(true);
        button = glyph;
    } else {
        button = new QPushButton(wanted.caption, m_parent);
    }
    button->setObjectName(wanted.name);
    button->setFocusPolicy(Qt::NoFocus);
    const auto at = std::lower_bound(m_filled.begin(), m_filled.end(), place);
    m_bar->insertWidget(static_cast<int>(at - m_filled.begin()), button);
    m_filled.insert(at, place);
    return button;
}

} // namespace kordana
