#include "editors/CurveRows.h"

#include "editors/CommitBindings.h"
#include "editors/UpDownEdit.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace kordana {

namespace {

constexpr int kFirstLeft = 44;
constexpr int kPitch = 60;
constexpr int kButtonSize = 23;

QLabel* rowLabel(QGroupBox* group, const char* name, const char* caption, int fieldTop) {
    auto* label = new QLabel(QString::fromUtf8(caption), group);
    label->setObjectName(name);
    // The label's text stands on the line of its row's edits.
    label->setGeometry(6, fieldTop, kFirstLeft - 8, UpDownEdit::kHeight);
    return label;
}

QPushButton* toolButton(QGroupBox* group, const char* name, const char* caption, int left) {
    auto* button = new QPushButton(QString::fromUtf8(caption), group);
    button->setObjectName(name);
    button->setGeometry(left, CurveRows::kToolsTop, kButtonSize, kButtonSize);
    button->setFocusPolicy(Qt::NoFocus);
    button->setAutoRepeat(true); // held down, the tool steps again and again
    return button;
}

} // namespace

CurveRows buildCurveRows(QGroupBox* group, QCheckBox* all, const CurveRowNames& names,
                         CommitBindings& bindings) {
    CurveRows rows;
    rowLabel(group, names.speedLabel, names.speedCaption, CurveRows::kSpeedTop);
    rowLabel(group, names.valueLabel, names.valueCaption, CurveRows::kValueTop);
    // Creation order is the tab order: along the speed row, then along the value row.
    for (auto* row : {&rows.speed, &rows.value}) {
        const int top = row == &rows.speed ? CurveRows::kSpeedTop : CurveRows::kValueTop;
        for (int i = 0; i < CurveRows::kPoints; ++i) {
            auto* field = new UpDownEdit(group);
            field->move(kFirstLeft + kPitch * i, top);
            bindings.bindRunTimeField(field);
            (*row)[static_cast<std::size_t>(i)] = field;
        }
    }
    rows.minus = toolButton(group, names.minusButton, "-", kFirstLeft);
    rows.plus = toolButton(group, names.plusButton, "+", kFirstLeft + kButtonSize + 4);
    rows.all = all;
    // Wide enough for the caption in every language.
    all->setGeometry(kFirstLeft + 2 * (kButtonSize + 4) + 6, CurveRows::kToolsTop, 90, kButtonSize);
    return rows;
}

} // namespace kordana
