#include "features/unit/AssignDeviceDialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kordana {

namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kColumns = 5;
constexpr int kComCount = 20;

} // namespace

AssignDeviceDialog::AssignDeviceDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FormAssignDevice");
    setWindowTitle("Assign serial device");
    setWindowModality(Qt::WindowModal);
    resize(760, 320);

    auto* listLabel = new QLabel("Serial devices present:", this);
    listLabel->setObjectName("LabelAssignDevices");
    m_list = new QTreeWidget(this);
    m_list->setObjectName("ListSerialDevices");
    m_list->setColumnCount(kColumns);
    m_list->setHeaderLabels({"Device", "Maker", "Product", "Serial number", "Stable path"});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);
    listLabel->setBuddy(m_list);

    auto* comLabel = new QLabel("COM number:", this);
    comLabel->setObjectName("LabelAssignCom");
    m_com = new QSpinBox(this);
    m_com->setObjectName("SpinAssignCom");
    m_com->setRange(1, kComCount);
    comLabel->setBuddy(m_com);

    m_ok = new QPushButton("OK", this);
    m_ok->setObjectName("ButtonAssignOk");
    m_ok->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("ButtonAssignCancel");

    auto* bottom = new QHBoxLayout();
    bottom->addWidget(comLabel);
    bottom->addWidget(m_com);
    bottom->addStretch(1);
    bottom->addWidget(m_ok);
    bottom->addWidget(cancel);
    auto* column = new QVBoxLayout(this);
    column->addWidget(listLabel);
    column->addWidget(m_list, 1);
    column->addLayout(bottom);

    connect(m_ok, &QPushButton::clicked, this, &AssignDeviceDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &AssignDeviceDialog::accept);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this,
            [this] { m_ok->setEnabled(!m_list->selectedItems().isEmpty()); });
    m_ok->setEnabled(false);
}

void AssignDeviceDialog::showDevices(std::vector<SerialDevice> devices, int comNumber) {
    orderSerialDevices(devices);
    m_list->clear();
    for (const SerialDevice& device : devices) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, device.location);
        item->setText(1, device.manufacturer);
        item->setText(2, device.product);
        item->setText(3, device.serialNumber);
        item->setText(4, device.stablePath);
        item->setData(0, kPathRole,
                      device.stablePath.isEmpty() ? device.location : device.stablePath);
    }
    for (int c = 0; c < kColumns - 1; ++c) {
        m_list->resizeColumnToContents(c);
    }
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
    }
    m_ok->setEnabled(!m_list->selectedItems().isEmpty());
    m_com->setValue(comNumber);
}

QString AssignDeviceDialog::chosenPath() const {
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? QString() : selected.front()->data(0, kPathRole).toString();
}

void AssignDeviceDialog::accept() {
    const QString path = chosenPath();
    if (path.isEmpty()) {
        return;
    }
    QDialog::accept();
    emit assigned(m_com->value(), path);
}

} // namespace kordana
