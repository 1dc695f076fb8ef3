#pragma once

#include <array>

class QCheckBox;
class QGroupBox;
class QPushButton;

namespace kordana {

class CommitBindings;
class UpDownEdit;

/// The objectNames and captions of one curve group's run-time rows.
struct CurveRowNames {
    const char* speedLabel; ///< the label in front of the speed row
    const char* speedCaption;
    const char* valueLabel; ///< the label in front of the value row
    const char* valueCaption;
    const char* minusButton;
    const char* plusButton;
};

/// The run-time rows of a curve group (Position A, Position B, Servo): 15 speed fields above
/// 15 value fields, and below them the "-" and "+" buttons with the group's All check box.
struct CurveRows {
    static constexpr int kPoints = 15;
    /// Where the rows and the tool buttons stand in their group, and the group's width.
    static constexpr int kSpeedTop = 34;
    static constexpr int kValueTop = 69;
    static constexpr int kToolsTop = 100;
    static constexpr int kGroupWidth = 960;

    std::array<UpDownEdit*, kPoints> speed{};
    std::array<UpDownEdit*, kPoints> value{};
    QPushButton* minus = nullptr;
    QPushButton* plus = nullptr;
    QCheckBox* all = nullptr; ///< the group's All box: the tools step every point
};

/// Builds the rows into `group` at the designed positions (point i at left 44 + 60 x i), binds
/// every field as a run-time field and places `all` beside the buttons. The buttons repeat
/// while held; the window connects them to the page's tools.
CurveRows buildCurveRows(QGroupBox* group, QCheckBox* all, const CurveRowNames& names,
                         CommitBindings& bindings);

} // namespace kordana
