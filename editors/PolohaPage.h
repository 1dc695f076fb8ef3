#pragma once

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

namespace kordana {

/// `TabSheet_Poloha` (page 9): the injection position curves A and B.
class PolohaPage : public FieldPage {
public:
    static constexpr int kIndex = 9;
    PolohaPage(QWidget* sheet, PageContext& context);
};

} // namespace kordana
