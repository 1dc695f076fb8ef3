#include "features/editing/EditSelectionDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace kordana {

EditSelectionDialog::EditSelectionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FormEditSelection");
    setWindowTitle("Edit selection");
    setWindowModality(Qt::WindowModal);

    auto* column = new QVBoxLayout(this);
    m_choices = new QButtonGroup(this);
    const struct {
        const char* name;
        const char* caption;
        Choice choice;
    } choices[] = {{"RadioSelectionSet", "&Set to", Choice::Set},
                   {"RadioSelectionAdd", "&Add", Choice::Add},
                   {"RadioSelectionSubtract", "S&ubtract", Choice::Subtract},
                   {"RadioSelectionScale", "S&cale by", Choice::Scale}};
    for (const auto& entry : choices) {
        auto* radio = new QRadioButton(entry.caption, this);
        radio->setObjectName(entry.name);
        m_choices->addButton(radio, static_cast<int>(entry.choice));
        column->addWidget(radio);
    }
    m_choices->button(static_cast<int>(Choice::Set))->setChecked(true);
    connect(m_choices, &QButtonGroup::idClicked, this, [this] { fitValueField(); });

    m_value = new QSpinBox(this);
    m_value->setObjectName("EditSelectionValue");
    column->addWidget(m_value);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* ok = buttons->addButton("OK", QDialogButtonBox::AcceptRole);
    ok->setObjectName("ButtonSelectionOk");
    ok->setDefault(true);
    QPushButton* cancel = buttons->addButton("Cancel", QDialogButtonBox::RejectRole);
    cancel->setObjectName("ButtonSelectionCancel");
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, [this] { emit editChosen(edit()); });
    column->addWidget(buttons);
}

void EditSelectionDialog::openFor(const mapblock::CellRange& range, const QString& unit) {
    m_range = range;
    m_unit = unit;
    fitValueField();
    m_value->selectAll();
    m_value->setFocus();
    open();
}

void EditSelectionDialog::choose(Choice choice, int value) {
    m_choices->button(static_cast<int>(choice))->setChecked(true);
    fitValueField();
    m_value->setValue(value);
}

EditSelectionDialog::Choice EditSelectionDialog::choice() const {
    return static_cast<Choice>(m_choices->checkedId());
}

void EditSelectionDialog::fitValueField() {
    // A value in the map's units steps by the map's step; any value typed is rounded to it when
    // the edit runs. A percentage steps by one.
    if (choice() == Choice::Scale) {
        m_value->setRange(0, 1000);
        m_value->setSingleStep(1);
        m_value->setSuffix(" %");
        return;
    }
    const bool offset = choice() != Choice::Set;
    m_value->setRange(offset ? 0 : m_range.minimum, m_range.maximum);
    m_value->setSingleStep(m_range.step);
    m_value->setSuffix(" " + m_unit);
}

mapblock::BlockEdit EditSelectionDialog::edit() const {
    const int value = m_value->value();
    switch (choice()) {
    case Choice::Set:
        break;
    case Choice::Add:
        return {mapblock::EditKind::Add, value};
    case Choice::Subtract:
        return {mapblock::EditKind::Add, -value};
    case Choice::Scale:
        return {mapblock::EditKind::Scale, value};
    }
    return {mapblock::EditKind::Set, value};
}

} // namespace kordana
