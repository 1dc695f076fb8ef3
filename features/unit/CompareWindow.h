#pragma once

#include "params/ParameterDiff.h"

#include <QWidget>

#include <vector>

class QLabel;
class QListWidget;

namespace kordana {

/// The window "Compare with unit" (objectName FormCompare): one line per parameter in which
/// the set being edited differs from the unit, or "No differences". It never blocks: the link
/// and the editors go on while it is open.
class CompareWindow : public QWidget {
    Q_OBJECT

public:
    explicit CompareWindow(QWidget* parent);

    /// Lists `differences` (the set being edited first, then the unit) and brings the window up;
    /// `uptoFirstDifference` says that the unit's blocks after the first that differs were
    /// never sent (a failed verify stops there).
    void showDifferences(const std::vector<ParameterDifference>& differences,
                         bool uptoFirstDifference);

private:
    QLabel* m_equal = nullptr;
    QLabel* m_partial = nullptr;
    QListWidget* m_list = nullptr;
};

} // namespace kordana
