#include "editors/CommitBindings.h"

#include "editors/UpDownEdit.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>

namespace kordana {

CommitBindings::CommitBindings(Handlers handlers, QObject* parent)
    : QObject(parent), m_handlers(std::move(handlers)) {}

void CommitBindings::watch(QWidget* widget, unsigned roles) {
    if (widget == nullptr) {
        return;
    }
    auto it = m_roles.find(widget);
    if (it == m_roles.end()) {
        m_roles.insert(widget, roles);
        widget->installEventFilter(this);
        connect(widget, &QObject::destroyed, this, [this](QObject* gone) { m_roles.remove(gone); });
    } else {
        *it |= roles;
    }
}

void CommitBindings::bindRunTimeField(UpDownEdit* field) {
    watch(field->edit(), KeyPress | Click);
    connect(field, &UpDownEdit::upDownClicked, this, [this] { m_handlers.upDownClick(); });
}

void CommitBindings::bindStaticField(UpDownEdit* field, bool commitOnClick) {
    watch(field->edit(), KeyPress | Exit | (commitOnClick ? Click : 0u));
    connect(field, &UpDownEdit::upDownClicked, this, [this] { m_handlers.upDownClick(); });
}

void CommitBindings::bindKeyPress(QWidget* widget) {
    watch(widget, KeyPress);
}

void CommitBindings::bindClick(QWidget* widget) {
    watch(widget, Click);
}

void CommitBindings::bindPick(QComboBox* list) {
    // The popup takes the click, not the list: `activated` is the pick itself, by mouse or key.
    connect(list, &QComboBox::activated, this, [this] { m_handlers.editExit(); });
}

void CommitBindings::bindMouseUp(QAbstractButton* button) {
    // `clicked` follows the release over the button, after its state has changed.
    connect(button, &QAbstractButton::clicked, this, [this] { m_handlers.checkBoxMouseUp(); });
}

void CommitBindings::bindMouseUp(UpDownEdit* field) {
    connect(field, &UpDownEdit::arrowsReleased, this, [this] { m_handlers.checkBoxMouseUp(); });
}

void CommitBindings::focusNextControl(QWidget* from) {
    // A Tab sent to the control takes the toolkit's own step to the next tab stop.
    QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
    QCoreApplication::sendEvent(from, &tab);
}

bool CommitBindings::isUndoKey(const QEvent* event) {
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    const auto* key = static_cast<const QKeyEvent*>(event);
    return key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) ||
           key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y);
}

void CommitBindings::leaveToWindow(const QKeySequence& keys) {
    for (int i = 0; i < keys.count(); ++i) {
        m_windowKeys.append(keys[i]);
    }
}

bool CommitBindings::isWindowKey(const QEvent* event) const {
    if (isUndoKey(event)) {
        return true;
    }
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress) {
        return false;
    }
    return m_windowKeys.contains(static_cast<const QKeyEvent*>(event)->keyCombination());
}

bool CommitBindings::eventFilter(QObject* watched, QEvent* event) {
    const auto it = m_roles.constFind(watched);
    if (it == m_roles.constEnd()) {
        return false;
    }
    const unsigned roles = *it;
    auto* widget = static_cast<QWidget*>(watched);
    if (isWindowKey(event)) {
        // Left unaccepted, the override lets the window's Undo, Redo and block commands take
        // the keys; the field never undoes its own typing, which the refresh after an undo
        // replaces.
        return true;
    }
    switch (event->type()) {
    case QEvent::KeyPress:
        if ((roles & KeyPress) != 0) {
            return m_handlers.formKeyPress(widget, static_cast<QKeyEvent*>(event)->key());
        }
        break;
    case QEvent::MouseButtonRelease: {
        // A click on the edit commits; the arrows of a field commit through their own click.
        const auto* mouse = static_cast<QMouseEvent*>(event);
        const QPoint pos = mouse->position().toPoint();
        const auto* field = qobject_cast<const UpDownEdit*>(widget);
        if ((roles & Click) != 0 && mouse->button() == Qt::LeftButton &&
            widget->rect().contains(pos) && (field == nullptr || !field->isOnArrows(pos))) {
            m_handlers.editExit();
        }
        break;
    }
    case QEvent::FocusOut: {
        // Leaving for another control commits; losing the focus to a menu or another window
        // does not.
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if ((roles & Exit) != 0 && reason != Qt::ActiveWindowFocusReason &&
            reason != Qt::PopupFocusReason) {
            m_handlers.editExit();
        }
        break;
    }
    default:
        break;
    }
    return false;
}

} // namespace kordana
