#include "editors/PolohaPage.h"

#include "editors/UpDownEdit.h"
#include "monitor/OperatingPoint.h"
#include "session/EditSession.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QRadioButton>
#include <QWidget>

namespace kordana {

namespace {

constexpr int kGroupHeight = 150;

struct CurveNames {
    const char* group;
    const char* allBox;
    const char* caption;
    const char* key;
    const char* radioGroup;
    CurveRowNames rows;
};

constexpr CurveNames kCurves[2] = {
    {"GroupBoxPolohaA",
     "CheckBoxAll_PolohaA",
     "Position of Injection A",
     "POSITION_A",
     "RadioGroupPolohaA",
     {"LabelPolohaA_1", "rpm", "LabelPolohaA_2", "\u00b0", "ButtonMinus_PolohaA",
      "ButtonPlus_PolohaA"}},
    {"GroupBoxPolohaB",
     "CheckBoxAll_PolohaB",
     "Position of Injection B",
     "POSITION_B",
     "RadioGroupPolohaB",
     {"LabelPolohaB_1", "rpm", "LabelPolohaB_2", "\u00b0", "ButtonMinus_PolohaB",
      "ButtonPlus_PolohaB"}},
};

// The item index is the stored choice, so the order of the items is binding.
constexpr const char* kReferenceItems[3] = {"Beginning", "Centre", "End"};

QButtonGroup* buildRadioGroup(QGroupBox* curveGroup, const char* name) {
    auto* box = new QGroupBox("Position of:", curveGroup);
    box->setObjectName(name);
    box->setGeometry(240, CurveRows::kToolsTop - 6, 360, 46);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(10, 0, 10, 2);
    auto* items = new QButtonGroup(box);
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(kReferenceItems[i], box);
        // Out of the tab order: the angles' fields follow each other without a stop here.
        button->setFocusPolicy(Qt::NoFocus);
        items->addButton(button, i);
        row->addWidget(button);
    }
    row->addStretch(1);
    return items;
}

} // namespace

PolohaPage::PolohaPage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    for (int which = 0; which < 2; ++which) {
        buildCurve(which, context);
    }
    // Harvested after the four rows, A before B.
    for (int which = 0; which < 2; ++which) {
        m_references.push_back(
            elementField(m_radioGroups[static_cast<std::size_t>(which)], kCurves[which].key, 30));
    }
    addFields(m_references);
    static_cast<QBoxLayout*>(sheet->layout())->addStretch(1);
}

void PolohaPage::buildCurve(int which, PageContext& context) {
    const CurveNames& names = kCurves[which];
    // The All check boxes of the curves are persisted with the settings.
    QGroupBox* group = addCurveGroup(names.group, names.allBox, names.caption);
    group->setFixedSize(CurveRows::kGroupWidth, kGroupHeight);
    CurveRows& rows = m_curves[static_cast<std::size_t>(which)];
    rows = buildCurveRows(group, group->findChild<QCheckBox*>(names.allBox), names.rows,
                          context.bindings);
    m_radioGroups[static_cast<std::size_t>(which)] = buildRadioGroup(group, names.radioGroup);

    std::vector<Field> fields;
    for (std::size_t i = 0; i < CurveRows::kPoints; ++i) {
        fields.push_back(elementField(rows.speed[i], names.key, i));
        fields.push_back(elementField(rows.value[i], names.key, CurveRows::kPoints + i));
    }
    addFields(std::move(fields));
}

void PolohaPage::RadioGroupPolohaAClick(EditSession& session) {
    harvestSome(m_references, session);
}

void PolohaPage::stepCurve(int which, int direction, EditSession& session,
                           const BulkToolInput& input) {
    // Harvest first, so that a value typed into the page is what the step starts from.
    harvest(session);
    const bool b = which != 0;
    session.stepCurve(b ? bulk::Curve::PositionB : bulk::Curve::PositionA,
                      curve(which).all->isChecked(),
                      b ? input.point.positionBPoint : input.point.positionAPoint, direction);
    input.commitTail();
}

void PolohaPage::ButtonMinusClick_PolohaA(EditSession& session, const BulkToolInput& input) {
    stepCurve(0, -1, session, input);
}

void PolohaPage::ButtonPlusClick_PolohaA(EditSession& session, const BulkToolInput& input) {
    stepCurve(0, +1, session, input);
}

void PolohaPage::ButtonMinusClick_PolohaB(EditSession& session, const BulkToolInput& input) {
    stepCurve(1, -1, session, input);
}

void PolohaPage::ButtonPlusClick_PolohaB(EditSession& session, const BulkToolInput& input) {
    stepCurve(1, +1, session, input);
}

bool PolohaPage::runBulkTool(EditSession& session, int direction, const BulkToolInput& input) {
    stepCurve(0, direction, session, input);
    stepCurve(1, direction, session, input);
    return true;
}

void PolohaPage::markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                                    const MapMark& /*mapMark*/) {
    const std::size_t a = positionPoint(image, false, live);
    const std::size_t b = positionPoint(image, true, live);
    QWidget* const fields[] = {m_curves[0].speed[a], m_curves[0].value[a], m_curves[1].speed[b],
                               m_curves[1].value[b]};
    m_marks.show(fields);
}

} // namespace kordana
