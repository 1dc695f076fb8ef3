#pragma once

#include <QHash>
#include <QKeySequence>
#include <QList>
#include <QObject>

#include <functional>

class QAbstractButton;
class QComboBox;
class QWidget;

namespace kordana {

class UpDownEdit;

/// Binds editing controls to the window's four shared commit handlers, so that every page
/// commits the same way. Page builders call the bind functions once per control.
class CommitBindings : public QObject {
    Q_OBJECT

public:
    /// The window's handlers. formKeyPress gets the control and the key and returns true when
    /// it swallowed the key.
    struct Handlers {
        std::function<void()> editExit;
        std::function<void()> upDownClick;
        std::function<bool(QWidget* sender, int key)> formKeyPress;
        std::function<void()> checkBoxMouseUp;
    };

    CommitBindings(Handlers handlers, QObject* parent);

    /// A field built at run time: a click on the edit and Enter commit, the arrows commit,
    /// leaving the field with Tab does not.
    void bindRunTimeField(UpDownEdit* field);
    /// A static field: as a run-time field, but leaving the edit commits too; a click on the
    /// edit commits only when `commitOnClick`.
    void bindStaticField(UpDownEdit* field, bool commitOnClick);
    /// Enter in `widget` commits (combo boxes, other edits).
    void bindKeyPress(QWidget* widget);
    /// A click on `widget` commits (combo boxes built at run time).
    void bindClick(QWidget* widget);
    /// Picking an item of the list commits at once, without Enter. Only a choice of the user
    /// counts: a refresh selects without committing.
    void bindPick(QComboBox* list);
    /// Releasing the mouse on a check box (or any button) harvests, updates the indicators and
    /// commits.
    void bindMouseUp(QAbstractButton* button);
    /// Releasing the mouse on a field's arrows does the same (`UpDownServoHyster`).
    void bindMouseUp(UpDownEdit* field);

    /// Leaves `keys` in a bound field to the window as well, like Undo and Redo (the map block
    /// commands of the Edit menu).
    void leaveToWindow(const QKeySequence& keys);

    /// Moves the keyboard focus from `from` to the next control in tab order.
    static void focusNextControl(QWidget* from);
    /// True for the keys of the window's Undo and Redo (Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z), which a
    /// bound field leaves to the window instead of undoing its own typing.
    static bool isUndoKey(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    enum Role : unsigned { KeyPress = 1, Click = 2, Exit = 4 };
    void watch(QWidget* widget, unsigned roles);
    bool isWindowKey(const QEvent* event) const;

    Handlers m_handlers;
    QHash<const QObject*, unsigned> m_roles;
    QList<QKeyCombination> m_windowKeys;
};

} // namespace kordana
