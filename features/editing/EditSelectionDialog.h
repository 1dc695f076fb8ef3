#pragma once

#include "session/MapBlock.h"

#include <QDialog>

class QButtonGroup;
class QLabel;
class QSpinBox;

namespace kordana {

/// Edit > "Edit selection...": set the selected cells to a value, add or subtract a value, or
/// scale them by a percentage, in the active map's shown units. Opened without a modal loop;
/// OK hands the edit to the window, which runs it as one command.
class EditSelectionDialog : public QDialog {
    Q_OBJECT

public:
    /// The operations in the order of their radio buttons.
    enum class Choice { Set, Add, Subtract, Scale };

    /// Builds the dialog as a window of `parent`, which owns it.
    explicit EditSelectionDialog(QWidget* parent);

    /// Prepares the dialog for a map shown in `range` with `unit` ("°", "µs") and opens it.
    void openFor(const mapblock::CellRange& range, const QString& unit);
    /// Picks an operation and a value as the user does (the value field in shown units or %).
    void choose(Choice choice, int value);
    /// The edit the dialog holds now.
    mapblock::BlockEdit edit() const;

signals:
    /// The user pressed OK.
    void editChosen(const mapblock::BlockEdit& edit);

private:
    Choice choice() const;
    void fitValueField();

    QButtonGroup* m_choices = nullptr;
    QSpinBox* m_value = nullptr;
    mapblock::CellRange m_range;
    QString m_unit;
};

} // namespace kordana
