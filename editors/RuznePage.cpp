#include "editors/RuznePage.h"

#include "link/UnitHeader.h"
#include "params/ImageLayout.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

namespace kordana {

namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

} // namespace

RuznePage::RuznePage(QWidget* sheet, PageContext& context) : FieldPage(kIndex, sheet) {
    (void)context;
    auto* grid = new QGridLayout(sheet);
    grid->addWidget(addLabel(sheet, "LabelFile1", "File:"), 0, 0);
    m_file = addLabel(sheet, "LabelFile2", QString());
    m_file->setTextInteractionFlags(Qt::TextSelectableByMouse);
    grid->addWidget(m_file, 0, 1, 1, 3);
    for (int i = 1; i <= 3; ++i) {
        QLabel* label = addLabel(sheet, QString("LabelVerze%1").arg(i), {});
        label->setMinimumWidth(220);
        grid->addWidget(label, i, 0, 1, 2);
    }
    m_bike = new QComboBox(sheet);
    m_bike->setObjectName("ComboBoxBike");
    m_bike->addItems({"6 injectors fuel 100+ oct.", "6 injectors fuel  98 oct.",
                      "3 injectors fuel 100+ oct.", "3 injectors fuel 98 oct."});
    grid->addWidget(addLabel(sheet, "LabelBike", "Motor and fuel"), 4, 0);
    grid->addWidget(m_bike, 4, 1);
    addFields({imageField(m_bike, layout::kBike)});
    grid->setColumnStretch(3, 1);
    grid->setRowStretch(10, 1);
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

} // namespace kordana
