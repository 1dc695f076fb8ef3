#pragma once

#include "params/ParameterDiff.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QLabel;
class QListWidget;
class QPushButton;

namespace kordana {

/// The window "Compare with unit" (objectName FormCompare): a summary per map and group, then
/// one line per parameter in which the set being edited differs from the unit, named by the
/// pages' captions, or "No differences". "Take the unit's values" hands the selected lines to
/// `setTakeHandler`'s handler; "Close" closes. It never blocks: the link and the editors go on
/// while it is open.
class CompareWindow : public QWidget {
    Q_OBJECT

public:
    explicit CompareWindow(QWidget* parent);

    using TakeHandler = std::function<void(const std::vector<ParameterDifference>&)>;
    void setTakeHandler(TakeHandler handler) { m_take = std::move(handler); }

    /// Lists `differences` (the set being edited first, then the unit) and brings the window up;
    /// `uptoFirstDifference` says that the unit's blocks after the first that differs were
    /// never sent (a failed verify stops there).
    void showDifferences(const std::vector<ParameterDifference>& differences,
                         bool uptoFirstDifference);
    /// After a read: lists the values the unit held outside their ranges (the repaired set
    /// first, then what the unit holds) under `explanation`; nothing to take from the unit.
    void showRepairs(const std::vector<ParameterDifference>& repairs,
                     const std::string& explanation);
    /// Lists `differences` again as they stand now, the window kept where it is; hidden when
    /// nothing differs any longer.
    void updateDifferences(const std::vector<ParameterDifference>& differences);
    /// Writes the lines again in the language `languageIndex`.
    void setLanguage(std::uint8_t languageIndex);

    const std::vector<ParameterDifference>& differences() const { return m_differences; }

private:
    void fill();
    void takeSelected();

    QLabel* m_repaired = nullptr;
    QLabel* m_equal = nullptr;
    QLabel* m_partial = nullptr;
    QLabel* m_summary = nullptr;
    QListWidget* m_list = nullptr;
    QPushButton* m_takeButton = nullptr;
    std::vector<ParameterDifference> m_differences;
    std::uint8_t m_language = 0;
    bool m_repairs = false;
    TakeHandler m_take;
};

} // namespace kordana
