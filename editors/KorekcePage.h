#pragma once

#include "editors/FieldPage.h"

namespace kordana {

/// `TabSheet_Korekce` (page 13): the temperature, pressure, post-start and voltage corrections.
class KorekcePage : public FieldPage {
public:
    static constexpr int kIndex = 13;
    explicit KorekcePage(QWidget* sheet) : FieldPage(kIndex, sheet) {}
};

} // namespace kordana
