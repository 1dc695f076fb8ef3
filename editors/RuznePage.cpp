#include "editors/RuznePage.h"

#include "editors/CommitBindings.h"
#include "editors/UpDownEdit.h"
#include "link/UnitHeader.h"
#include "monitor/MonitorLiveValues.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace kordana {

namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

QGroupBox* addGroup(QWidget* parent, const char* name, const QString& title) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    return group;
}

QCheckBox* addCheckBox(QWidget* parent, const char* name, const QString& text) {
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(name);
    return box;
}

// A static edit with its up-down. The field sits in a holder of its full size, so a layout
// keeps its place while the print view narrows the field to its edit part.
UpDownEdit* addField(QWidget* parent, const QString& name) {
    auto* holder = new QWidget(parent);
    holder->setFixedSize(UpDownEdit::kEditWidth + UpDownEdit::kArrowsWidth, UpDownEdit::kHeight);
    auto* field = new UpDownEdit(holder);
    field->setObjectName(name);
    return field;
}

QWidget* holderOf(UpDownEdit* field) {
    return field->parentWidget();
}

} // namespace

RuznePage::RuznePage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    auto* page = new QVBoxLayout(sheet);
    page->addWidget(buildIdentity(sheet));

    auto* columns = new QHBoxLayout();
    auto* left = new QVBoxLayout();
    left->addWidget(buildOther(sheet, context));
    left->addWidget(buildActivation(sheet, context));
    left->addStretch(1);
    auto* right = new QVBoxLayout();
    right->addWidget(buildThrottle(sheet, context));
    right->addWidget(buildAcceleration(sheet, context));
    right->addWidget(buildStartAndWarning(sheet, context));
    right->addStretch(1);
    columns->addLayout(left);
    columns->addSpacing(8);
    columns->addLayout(right);
    columns->addStretch(1);
    page->addLayout(columns);
    page->addStretch(1);

    // The order in which a harvest stores the page.
    addFields({imageField(m_bike, layout::kBike), elementField(m_omez[0], "LIMITER", 0),
               elementField(m_omez[1], "LIMITER", 1), elementField(m_omez[2], "LIMITER", 2),
               elementField(m_zakazCteni, "NO_READING", 0), elementField(m_rpm2Krat, "RPM2", 0),
               elementField(m_aktLimiter1, "ACT_LIM1", 0), elementField(m_aktRpm, "ACT_RPM", 0),
               elementField(m_aktTlakOleje, "ACT_OIL", 0), elementField(m_tps0, "TPS", 0),
               elementField(m_tps100, "TPS", 1), elementField(m_akcelPrah, "ACCEL", 0),
               elementField(m_akcelJet, "ACCEL", 1), elementField(m_startJet, "START_JET", 0),
               elementField(m_tempWarning, "TEMP_WARNING", 0)});
}

QWidget* RuznePage::buildIdentity(QWidget* sheet) {
    auto* identity = new QWidget(sheet);
    auto* grid = new QGridLayout(identity);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->addWidget(addLabel(identity, "LabelFile1", "File:"), 0, 0);
    m_file = addLabel(identity, "LabelFile2", QString());
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_file, 0, 1, 1, 2);
    for (int i = 1; i <= 3; ++i) {
        QLabel* label = addLabel(identity, QString("LabelVerze%1").arg(i), {});
        label->setMinimumWidth(220);
        grid->addWidget(label, i, 0, 1, 2);
    }
    m_bike = new QComboBox(identity);
    m_bike->setObjectName("ComboBoxBike");
    m_bike->addItems({"6 injectors fuel 100+ oct.", "6 injectors fuel  98 oct.",
                      "3 injectors fuel 100+ oct.", "3 injectors fuel 98 oct."});
    grid->addWidget(addLabel(identity, "LabelBike", "Motor and fuel"), 4, 0);
    grid->addWidget(m_bike, 4, 1);
    grid->setColumnStretch(2, 1);
    return identity;
}

QWidget* RuznePage::buildOther(QWidget* sheet, PageContext& context) {
    QGroupBox* group = addGroup(sheet, "GroupBoxOther", "Other");
    auto* grid = new QGridLayout(group);
    const char* const captions[] = {"Start limiter [rpm]", "Ignition Limiter [rpm]",
                                    "Injection Limiter [rpm]"};
    for (int i = 0; i < 3; ++i) {
        grid->addWidget(addLabel(group, QString("LabelOmez%1").arg(i + 1), captions[i]), i, 0);
        m_omez[i] = addField(group, QString("EditOmez%1").arg(i + 1));
        // Only leaving the limiter edits commits; a click into them does not.
        context.bindings.bindStaticField(m_omez[i], false);
        grid->addWidget(holderOf(m_omez[i]), i, 1);
    }
    m_rpm2Krat = addCheckBox(group, "CheckBoxRpm2Krat", "Tachometer 2x");
    m_zakazCteni = addCheckBox(group, "CheckBoxZakazCteni", "No Reading");
    m_zakazCteni->setAutoFillBackground(true);
    QObject::connect(m_zakazCteni, &QCheckBox::clicked, m_zakazCteni, [this](bool checked) {
        // Before the commit that follows the click: a box the user does not confirm is left
        // clear, and the commit stores nothing.
        if (checked && m_confirmNoReading && !m_confirmNoReading()) {
            m_zakazCteni->setChecked(false);
        }
        CheckBoxZakazCteniClick();
    });
    grid->addWidget(m_rpm2Krat, 3, 0, 1, 2);
    grid->addWidget(m_zakazCteni, 4, 0, 1, 2, Qt::AlignLeft);
    for (QCheckBox* box : {m_rpm2Krat, m_zakazCteni}) {
        context.bindings.bindMouseUp(box);
    }
    return group;
}

QWidget* RuznePage::buildActivation(QWidget* sheet, PageContext& context) {
    QGroupBox* group = addGroup(sheet, "GroupBoxActivation", "Activation by Switch on");
    auto* column = new QVBoxLayout(group);
    m_aktRpm = addCheckBox(group, "CheckBoxAktRpm", "Tacho/Lambda");
    m_aktTlakOleje = addCheckBox(group, "CheckBoxAktTlakOleje", "Oil Pressure");
    m_aktLimiter1 = addCheckBox(group, "CheckBoxAktLimiter1", "Start limiter [rpm]");
    for (QCheckBox* box : {m_aktRpm, m_aktTlakOleje, m_aktLimiter1}) {
        column->addWidget(box);
        context.bindings.bindMouseUp(box);
    }
    return group;
}

QWidget* RuznePage::buildThrottle(QWidget* sheet, PageContext& context) {
    QGroupBox* group = addGroup(sheet, "GroupBoxSetTps", "Throttle Sensor [mV]");
    auto* grid = new QGridLayout(group);
    // The buttons take the live throttle voltage over; the window connects them.
    auto* button0 = new QPushButton("TPS 0 %", group);
    button0->setObjectName("ButtonTps0");
    m_tps0Button = button0;
    auto* button100 = new QPushButton("TPS 100 %", group);
    button100->setObjectName("ButtonTps100");
    m_tps100Button = button100;
    m_tps0 = addField(group, "EditTps0");
    m_tps100 = addField(group, "EditTps100");
    grid->addWidget(button0, 0, 0);
    grid->addWidget(holderOf(m_tps0), 0, 1);
    grid->addWidget(button100, 1, 0);
    grid->addWidget(holderOf(m_tps100), 1, 1);
    for (UpDownEdit* field : {m_tps0, m_tps100}) {
        context.bindings.bindStaticField(field, true);
    }
    return group;
}

QWidget* RuznePage::buildAcceleration(QWidget* sheet, PageContext& context) {
    QGroupBox* group = addGroup(sheet, "GroupBoxAkcel", "Acceleration Injection");
    auto* grid = new QGridLayout(group);
    m_akcelPrah = addField(group, "EditAkcelPrah");
    m_akcelJet = addField(group, "EditAkcelJet");
    grid->addWidget(addLabel(group, "LabelAkcelPrah", "Threshold [%/s]"), 0, 0);
    grid->addWidget(holderOf(m_akcelPrah), 0, 1);
    grid->addWidget(addLabel(group, "LabelAkcelJet", "Size [us]"), 1, 0);
    grid->addWidget(holderOf(m_akcelJet), 1, 1);
    grid->setColumnStretch(0, 1);
    for (UpDownEdit* field : {m_akcelPrah, m_akcelJet}) {
        context.bindings.bindStaticField(field, true);
    }
    return group;
}

QWidget* RuznePage::buildStartAndWarning(QWidget* sheet, PageContext& context) {
    auto* row = new QWidget(sheet);
    auto* line = new QHBoxLayout(row);
    line->setContentsMargins(0, 0, 0, 0);
    QGroupBox* start = addGroup(row, "GroupBoxStartJet", "Start Injection");
    QGroupBox* warning = addGroup(row, "GroupBoxTempWarning", "Temperature Warning Light");
    m_startJet = addField(start, "EditStartJet");
    m_tempWarning = addField(warning, "EditTempWarning");
    // The captions name no unit: the unit stands beside the field.
    const struct {
        QGroupBox* group;
        UpDownEdit* field;
        const char* unitName;
        const char* unit;
    } boxes[] = {{start, m_startJet, "LabelStartJetUnit", "ms"},
                 {warning, m_tempWarning, "LabelTempWarningUnit", "°C"}};
    for (const auto& [group, field, unitName, unit] : boxes) {
        auto* inner = new QHBoxLayout(group);
        inner->addWidget(holderOf(field));
        auto* unitLabel = new QLabel(unit, group);
        unitLabel->setObjectName(unitName);
        inner->addWidget(unitLabel);
        inner->addStretch(1);
        context.bindings.bindStaticField(field, true);
        line->addWidget(group);
    }
    return row;
}

void RuznePage::refresh(const EditSession& session) {
    FieldPage::refresh(session);
    CheckBoxZakazCteniClick();
}

void RuznePage::CheckBoxZakazCteniClick() {
    // A check box fills its background with the colour of its background role (Button), not
    // with Window; both are set so that every style draws the box red.
    const QColor face = m_zakazCteni->isChecked() ? QColor(Qt::red)
                                                  : QApplication::palette().color(QPalette::Button);
    QPalette palette = m_zakazCteni->palette();
    for (const QPalette::ColorRole role : {QPalette::Window, m_zakazCteni->backgroundRole()}) {
        palette.setColor(role, face);
    }
    m_zakazCteni->setPalette(palette);
}

void RuznePage::setFileName(const QString& path) {
    m_file->setText(path);
}

QString RuznePage::fileName() const {
    return m_file->text();
}

void RuznePage::setUnitHeader(const UnitHeaderTexts& header) {
    const std::string* parts[] = {&header.version, &header.date, &header.time};
    for (int i = 0; i < 3; ++i) {
        if (auto* label = sheet()->findChild<QLabel*>(QString("LabelVerze%1").arg(i + 1))) {
            label->setText(QString::fromStdString(*parts[i]));
        }
    }
}

void RuznePage::ButtonTps0Click(EditSession& session, const BulkToolInput& input) {
    if (session.calibrateTps0(input.live.throttleMv)) {
        input.commitTail();
    }
}

void RuznePage::ButtonTps100Click(EditSession& session, const BulkToolInput& input) {
    if (session.calibrateTps100(input.live.throttleMv)) {
        input.commitTail();
    }
}

} // namespace kordana
