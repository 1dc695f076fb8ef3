#pragma once

#include "editors/CurveRows.h"
#include "editors/FieldPage.h"
#include "editors/LimeMarks.h"
#include "editors/PageContext.h"

#include <array>

class QCheckBox;

namespace kordana {

/// `TabSheet_Servo` (page 10): the exhaust-servo curve and the power outputs.
class ServoPage : public FieldPage {
public:
    static constexpr int kIndex = 10;
    ServoPage(QWidget* sheet, PageContext& context);

    /// The Servo tools: harvest the page, then step the voltage at the servo operating point
    /// (every voltage with `CheckBoxAll_Servo`) by 20 mV, then the commit tail.
    void ButtonMinusClick_Servo(EditSession& session, const BulkToolInput& input);
    void ButtonPlusClick_Servo(EditSession& session, const BulkToolInput& input);
    /// Tools on this page: the Servo tool.
    bool runBulkTool(EditSession& session, int direction, const BulkToolInput& input) override;

    /// The servo curve's rows: 15 speeds over 15 voltages.
    const CurveRows& curve() const { return m_curve; }

    /// The speed and voltage fields of the servo point in use, lime.
    void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) override;

private:
    void buildServoSwitch(QWidget* sheet, PageContext& context);
    void buildPowerOutputs(QWidget* sheet, PageContext& context);

    CurveRows m_curve;
    QCheckBox* m_enable = nullptr;
    UpDownEdit* m_hyster = nullptr;
    std::array<UpDownEdit*, 6> m_levels{}; // output 1 a and b, output 2 a and b, ...
    std::array<QCheckBox*, 3> m_reverse{};
    LimeMarks m_marks;
};

} // namespace kordana
