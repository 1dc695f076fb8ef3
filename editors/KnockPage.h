#pragma once

#include "editors/FieldPage.h"
#include "editors/LimeMarks.h"
#include "editors/PageContext.h"

#include <array>

class QComboBox;
class QWidget;

namespace kordana {

class UpDownEdit;

/// `TabSheet_Knock` (page 11): the knock-detection settings of the three cylinders. Each
/// cylinder has five rpm points; point i (0..14) belongs to cylinder i / 5 + 1 and is edited by
/// one control in each of the seven rows.
class KnockPage : public FieldPage {
public:
    static constexpr int kIndex = 11;
    static constexpr int kPoints = 15;
    static constexpr int kPointsPerCylinder = 5;

    /// The rows of the page, top to bottom.
    enum class Row { Rpm, Frequency, Gain, TimeConstant, Start, End, Alarm };
    static constexpr int kRows = 7;

    KnockPage(QWidget* sheet, PageContext& context);

    /// The control of `row` at `point` (0..14): an `UpDownEdit` or a `QComboBox`. The
    /// operating-point cursor colours all seven controls of a point.
    QWidget* control(int point, Row row) const;
    /// The seven controls of `point`, in row order.
    const std::array<QWidget*, kRows>& pointControls(int point) const;
    /// The seven controls of the point in use of each cylinder, lime.
    void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) override;

    /// The hidden lists that hold the items of the page's frequency, gain and time-constant
    /// lists (`ComboBoxKnockFrekPom`, `ComboBoxLevelPom`, `ComboBoxTimeConstPom`).
    QComboBox* frequencyItems() const { return m_frequencyItems; }
    QComboBox* gainItems() const { return m_gainItems; }
    QComboBox* timeConstantItems() const { return m_timeConstantItems; }

private:
    /// The hidden lists that hold the three item lists, all in one fitting font.
    void buildItemLists(QWidget* box);
    /// The seven rows of controls, row by row.
    void buildControls(CommitBindings& bindings, QWidget* box);
    UpDownEdit* addEdit(CommitBindings& bindings, QWidget* parent, int point, Row row,
                        const char* name, const char* key);
    QComboBox* addList(CommitBindings& bindings, QWidget* parent, int point, Row row,
                       const char* name, const char* key, const QComboBox* items);

    QComboBox* m_frequencyItems = nullptr;
    QComboBox* m_gainItems = nullptr;
    QComboBox* m_timeConstantItems = nullptr;
    std::array<std::array<QWidget*, kRows>, kPoints> m_points{};
    LimeMarks m_marks;
};

} // namespace kordana
