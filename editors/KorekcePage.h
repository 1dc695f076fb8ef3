#pragma once

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

namespace kordana {

/// `TabSheet_Korekce` (page 13): the temperature, pressure, post-start and voltage corrections.
class KorekcePage : public FieldPage {
public:
    static constexpr int kIndex = 13;
    KorekcePage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) { (void)context; }
};

} // namespace kordana
