#pragma once

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

class QComboBox;
class QLabel;
class QString;

namespace kordana {

struct UnitHeaderTexts;

/// `TabSheet_Ruzne` (page 12, "Various"): the parameter file shown, the unit's identification
/// and the motor-and-fuel preset.
class RuznePage : public FieldPage {
public:
    static constexpr int kIndex = 12;
    RuznePage(QWidget* sheet, PageContext& context);

    /// `LabelFile2`: the parameter file last opened or saved; empty text for none.
    void setFileName(const QString& path);
    QString fileName() const;
    /// `LabelVerze1`..`LabelVerze3`: the unit's version, date and time.
    void setUnitHeader(const UnitHeaderTexts& header);
    /// `ComboBoxBike`: a view of BIKE. Only a choice of the user signals `activated`; a refresh
    /// or a new item list selects without it.
    QComboBox* bikeBox() const { return m_bike; }

private:
    QLabel* m_file = nullptr;
    QComboBox* m_bike = nullptr;
};

} // namespace kordana
