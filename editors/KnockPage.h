#pragma once

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

namespace kordana {

/// `TabSheet_Knock` (page 11): the knock-detection settings of the three cylinders.
class KnockPage : public FieldPage {
public:
    static constexpr int kIndex = 11;
    KnockPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) { (void)context; }
};

} // namespace kordana
