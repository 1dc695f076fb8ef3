#pragma once

#include "editors/FieldPage.h"

namespace kordana {

/// `TabSheet_Poloha` (page 9): the injection position curves A and B.
class PolohaPage : public FieldPage {
public:
    static constexpr int kIndex = 9;
    explicit PolohaPage(QWidget* sheet);
};

} // namespace kordana
