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

    /// Lists `differences` (the set being edited first, then the unit) and brings the window up.
    void showDifferences(const std::vector<ParameterDifference>& differences);

private:
    QLabel* m_equal = nullptr;
    QListWidget* m_list = nullptr;
};

} // namespace kordana
