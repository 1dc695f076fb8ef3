#include "editors/ServoPage.h"

#include <QBoxLayout>
#include <QWidget>

namespace kordana {

ServoPage::ServoPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    (void)context;
    addCurveGroup("GroupBoxServo", "CheckBoxAll_Servo", "Servo");
    static_cast<QBoxLayout*>(sheet->layout())->addStretch(1);
}

} // namespace kordana
