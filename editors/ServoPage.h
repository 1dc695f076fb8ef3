#pragma once

#include "editors/CurveRows.h"
#include "editors/FieldPage.h"
#include "editors/PageContext.h"

#include <array>

class QCheckBox;

namespace kordana {

/// `TabSheet_Servo` (page 10): the exhaust-servo curve and the power outputs.
class ServoPage : public FieldPage {
public:
    static constexpr int kIndex = 10;
    ServoPage(QWidget* sheet, PageContext& context);

    /// The servo curve's rows: 15 speeds over 15 voltages.
    const CurveRows& curve() const { return m_curve; }

private:
    void buildServoSwitch(QWidget* sheet, PageContext& context);
    void buildPowerOutputs(QWidget* sheet, PageContext& context);

    CurveRows m_curve;
    QCheckBox* m_enable = nullptr;
    UpDownEdit* m_hyster = nullptr;
    std::array<UpDownEdit*, 6> m_levels{}; // output 1 a and b, output 2 a and b, ...
    std::array<QCheckBox*, 3> m_reverse{};
};

} // namespace kordana
