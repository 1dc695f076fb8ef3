#pragma once

#include "editors/FieldPage.h"

namespace kordana {

/// `TabSheet_Knock` (page 11): the knock-detection settings of the three cylinders.
class KnockPage : public FieldPage {
public:
    static constexpr int kIndex = 11;
    explicit KnockPage(QWidget* sheet) : FieldPage(kIndex, sheet) {}
};

} // namespace kordana
