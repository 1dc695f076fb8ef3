#pragma once

#include "editors/FieldPage.h"
#include "editors/LimeMarks.h"
#include "editors/PageContext.h"

class QGroupBox;
class QLabel;

namespace kordana {

class UpDownEdit;

/// `TabSheet_Korekce` (page 13, "Corrections"): the pressure, advance-by-temperature, coolant
/// and inlet-air corrections (grids built here, once) and the post-start correction curve.
class KorekcePage : public FieldPage {
public:
    static constexpr int kIndex = 13;
    KorekcePage(QWidget* sheet, PageContext& context);

    /// The rows in use of the pressure, retard, coolant and inlet-air corrections and the
    /// post-start point in use, lime.
    void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) override;

private:
    /// Ten rows of two run-time fields in `group`, named `firstName`/`secondName` with the row.
    void buildTenRows(QGroupBox* group, const char* firstName, const char* secondName,
                      PageContext& context, UpDownEdit** first, UpDownEdit** second);
    void buildTemperatures(QWidget* sheet, PageContext& context);
    void buildPostStart(QWidget* sheet, PageContext& context);

    UpDownEdit* m_tlak[10] = {};
    UpDownEdit* m_tlakKorekce[10] = {};
    UpDownEdit* m_retardTeplota[10] = {};
    UpDownEdit* m_retard[10] = {};
    UpDownEdit* m_voda[5] = {};
    UpDownEdit* m_vzduch[5] = {};
    UpDownEdit* m_syticCas[4] = {};
    UpDownEdit* m_syticKorekce[4] = {};
    QLabel* m_syticCas0 = nullptr;
    QLabel* m_syticKorekce4 = nullptr;
    LimeMarks m_marks;
};

} // namespace kordana
