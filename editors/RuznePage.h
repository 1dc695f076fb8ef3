#pragma once

#include <functional>

#include "editors/FieldPage.h"
#include "editors/PageContext.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QString;

namespace kordana {

class UpDownEdit;
struct UnitHeaderTexts;

/// `TabSheet_Ruzne` (page 12, "Various"): the parameter file shown, the unit's identification,
/// the motor-and-fuel preset, limiters, activation inputs, throttle calibration, acceleration
/// and start injection, and the temperature warning.
class RuznePage : public FieldPage {
public:
    static constexpr int kIndex = 12;
    RuznePage(QWidget* sheet, PageContext& context);

    /// Rewrites the controls; `CheckBoxZakazCteni` takes the colour of its state.
    void refresh(const EditSession& session) override;

    /// `LabelFile2`: the parameter file last opened or saved; empty text for none.
    void setFileName(const QString& path);
    QString fileName() const;
    /// `LabelVerze1`..`LabelVerze3`: the unit's version, date and time.
    void setUnitHeader(const UnitHeaderTexts& header);
    /// `ComboBoxBike`: a view of BIKE. Only a choice of the user signals `activated`; a refresh
    /// or a new item list selects without it.
    QComboBox* bikeBox() const { return m_bike; }

    /// `ButtonTps0` and `ButtonTps100` (`full`).
    QPushButton* tpsButton(bool full) const { return full ? m_tps100Button : m_tps0Button; }
    /// TPS 0 %: TPS[0] from the live throttle voltage when it lies in 300..2500 mV, then the
    /// commit tail; otherwise nothing. No harvest: a typed, uncommitted value gives way.
    void ButtonTps0Click(EditSession& session, const BulkToolInput& input);
    /// TPS 100 %: TPS[1] from the live throttle voltage when it lies in 2500..4900 mV, then the
    /// commit tail; otherwise nothing. No harvest.
    void ButtonTps100Click(EditSession& session, const BulkToolInput& input);

    /// Click on `CheckBoxZakazCteni`: red while the unit is read-protected, button face when not.
    /// NO_READING itself is stored by the mouse-up commit that follows the click.
    void CheckBoxZakazCteniClick();
    /// Asked when the user checks "No Reading"; false leaves the box clear.
    void setNoReadingConfirmation(std::function<bool()> confirm) {
        m_confirmNoReading = std::move(confirm);
    }

private:
    QWidget* buildIdentity(QWidget* sheet);
    QWidget* buildOther(QWidget* sheet, PageContext& context);
    QWidget* buildActivation(QWidget* sheet, PageContext& context);
    QWidget* buildThrottle(QWidget* sheet, PageContext& context);
    QWidget* buildAcceleration(QWidget* sheet, PageContext& context);
    QWidget* buildStartAndWarning(QWidget* sheet, PageContext& context);

    QLabel* m_file = nullptr;
    QComboBox* m_bike = nullptr;
    UpDownEdit* m_omez[3] = {};
    QCheckBox* m_rpm2Krat = nullptr;
    QCheckBox* m_zakazCteni = nullptr;
    std::function<bool()> m_confirmNoReading;
    QCheckBox* m_aktRpm = nullptr;
    QCheckBox* m_aktTlakOleje = nullptr;
    QCheckBox* m_aktLimiter1 = nullptr;
    QPushButton* m_tps0Button = nullptr;
    QPushButton* m_tps100Button = nullptr;
    UpDownEdit* m_tps0 = nullptr;
    UpDownEdit* m_tps100 = nullptr;
    UpDownEdit* m_akcelPrah = nullptr;
    UpDownEdit* m_akcelJet = nullptr;
    UpDownEdit* m_startJet = nullptr;
    UpDownEdit* m_tempWarning = nullptr;
};

} // namespace kordana
