#include "editors/PolohaPage.h"

#include <QBoxLayout>
#include <QWidget>

namespace kordana {

PolohaPage::PolohaPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    (void)context;
    // The All check boxes of the curves are persisted with the settings.
    addCurveGroup("GroupBoxPolohaA", "CheckBoxAll_PolohaA", "Position of Injection A");
    addCurveGroup("GroupBoxPolohaB", "CheckBoxAll_PolohaB", "Position of Injection B");
    static_cast<QBoxLayout*>(sheet->layout())->addStretch(1);
}

} // namespace kordana
