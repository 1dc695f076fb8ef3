#include "editors/ServoPage.h"

#include "editors/CommitBindings.h"
#include "editors/PageDispatcher.h"
#include "editors/UpDownEdit.h"
#include "monitor/OperatingPoint.h"
#include "params/ImageLayout.h"
#include "session/EditSession.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QWidget>

namespace kordana {

namespace {

constexpr int kServoGroupHeight = 134;
constexpr int kStaticEditWidth = 50;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

UpDownEdit* staticField(QWidget* parent, const QString& name, PageContext& context) {
    auto* field = new UpDownEdit(parent, kStaticEditWidth);
    field->setObjectName(name);
    field->setFixedSize(field->size());
    context.bindings.bindStaticField(field, false);
    return field;
}

} // namespace

ServoPage::ServoPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    auto* column = new QVBoxLayout(sheet);
    buildServoSwitch(sheet, context);

    QGroupBox* group = addCurveGroup("GroupBoxServo", "CheckBoxAll_Servo", "Servo");
    group->setFixedSize(CurveRows::kGroupWidth, kServoGroupHeight);
    // Hiding the servo curve must not move the power outputs below it.
    QSizePolicy policy = group->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    group->setSizePolicy(policy);
    m_curve = buildCurveRows(
        group, group->findChild<QCheckBox*>("CheckBoxAll_Servo"),
        {"LabelServoRpm", "rpm", "LabelServoNap", "mV", "ButtonMinus_Servo", "ButtonPlus_Servo"},
        context.bindings);
    context.dispatcher.addVisibilityRule(group, layout::kServoEnable);

    buildPowerOutputs(sheet, context);
    column->addStretch(1);

    std::vector<Field> fields;
    for (std::size_t i = 0; i < CurveRows::kPoints; ++i) {
        fields.push_back(elementField(m_curve.speed[i], "RPM_SERVO", i));
        fields.push_back(elementField(m_curve.value[i], "VOLT_SERVO", i));
    }
    fields.push_back(elementField(m_hyster, "SERVO_HYSTER", 0));
    fields.push_back(elementField(m_enable, "SERVO_ENABLE", 0));
    for (std::size_t output = 0; output < 3; ++output) {
        fields.push_back(elementField(m_levels[2 * output], "POWER_OUT", 3 * output));
        fields.push_back(elementField(m_levels[2 * output + 1], "POWER_OUT", 3 * output + 1));
    }
    for (std::size_t output = 0; output < 3; ++output) {
        fields.push_back(elementField(m_reverse[output], "POWER_OUT", 3 * output + 2));
    }
    addFields(std::move(fields));
}

void ServoPage::buildServoSwitch(QWidget* sheet, PageContext& context) {
    // The switch stays outside the servo group: the group hides while the servo is off.
    auto* row = new QHBoxLayout();
    row->setSpacing(8);
    m_enable = new QCheckBox("Servo Enable", sheet);
    m_enable->setObjectName("CheckBoxServoEnable");
    context.bindings.bindMouseUp(m_enable);
    row->addWidget(m_enable);
    row->addSpacing(40);
    row->addWidget(addLabel(sheet, "LabelServoHyster", "Servo Hysteresis [mV]"));
    // `EditServoHyster` and its arrows (`UpDownServoHyster`) are one field; releasing the
    // mouse on the arrows commits as a check box does.
    m_hyster = staticField(sheet, "EditServoHyster", context);
    context.bindings.bindMouseUp(m_hyster);
    row->addWidget(m_hyster);
    row->addStretch(1);
    static_cast<QBoxLayout*>(sheet->layout())->addLayout(row);
}

void ServoPage::buildPowerOutputs(QWidget* sheet, PageContext& context) {
    auto* row = new QHBoxLayout();
    row->setSpacing(12);
    for (int output = 0; output < 3; ++output) {
        const QString n = QString::number(output + 1);
        auto* group = new QGroupBox("Power Output " + n, sheet);
        group->setObjectName("GroupBoxPowerOut" + n);
        auto* grid = new QGridLayout(group);
        grid->setHorizontalSpacing(10);
        for (int level = 0; level < 2; ++level) {
            const QString suffix = n + (level == 0 ? "a" : "b");
            grid->addWidget(
                addLabel(group, "LabelPowerOut" + suffix, QString("Level %1 [rpm]").arg(level + 1)),
                level, 0);
            UpDownEdit* field = staticField(group, "EditPowerOut" + suffix, context);
            grid->addWidget(field, level, 1);
            m_levels[static_cast<std::size_t>(2 * output + level)] = field;
        }
        auto* reverse = new QCheckBox("Reverse", group);
        reverse->setObjectName("CheckBoxPowerOut" + n + "Inv");
        context.bindings.bindMouseUp(reverse);
        grid->addWidget(reverse, 2, 0, 1, 2);
        m_reverse[static_cast<std::size_t>(output)] = reverse;
        row->addWidget(group);
    }
    row->addStretch(1);
    static_cast<QBoxLayout*>(sheet->layout())->addLayout(row);
}

void ServoPage::ButtonMinusClick_Servo(EditSession& session, const BulkToolInput& input) {
    runBulkTool(session, -1, input);
}

void ServoPage::ButtonPlusClick_Servo(EditSession& session, const BulkToolInput& input) {
    runBulkTool(session, +1, input);
}

bool ServoPage::runBulkTool(EditSession& session, int direction, const BulkToolInput& input) {
    // Harvest first, so that a value typed into the page is what the step starts from. The
    // servo point needs no turning engine: standing, it is the curve's first point.
    harvest(session);
    session.stepCurve(bulk::Curve::Servo, m_curve.all->isChecked(), input.point.servoPoint,
                      direction);
    input.commitTail();
    return true;
}

void ServoPage::markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                                   const MapMark& /*mapMark*/) {
    const std::size_t point = servoPoint(image, live);
    QWidget* const fields[] = {m_curve.speed[point], m_curve.value[point]};
    m_marks.show(fields);
}

} // namespace kordana
