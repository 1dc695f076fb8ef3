#pragma once

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

namespace kordana {

/// `TabSheet_Servo` (page 10): the exhaust-servo curve and the power outputs.
class ServoPage : public FieldPage {
public:
    static constexpr int kIndex = 10;
    ServoPage(QWidget* sheet, PageContext& context);
};

} // namespace kordana
