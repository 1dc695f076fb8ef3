#pragma once

#include "editors/FieldPage.h"

namespace kordana {

/// `TabSheet_Servo` (page 10): the exhaust-servo curve and the power outputs.
class ServoPage : public FieldPage {
public:
    static constexpr int kIndex = 10;
    explicit ServoPage(QWidget* sheet);
};

} // namespace kordana
