#include "features/unit/CompareWindow.h"

#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace kordana {

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormCompare");
    setWindowTitle("Compare with unit");
    auto* layout = new QVBoxLayout(this);
    auto* sides = new QLabel("Set being edited -> unit", this);
    sides->setObjectName("LabelCompareSides");
    layout->addWidget(sides);
    m_equal = new QLabel("No differences", this);
    m_equal->setObjectName("LabelCompareEqual");
    layout->addWidget(m_equal);
    m_partial = new QLabel("Only the blocks up to the first that differs were compared.", this);
    m_partial->setObjectName("LabelCompareVerify");
    m_partial->setWordWrap(true);
    layout->addWidget(m_partial);
    m_list = new QListWidget(this);
    m_list->setObjectName("ListCompare");
    layout->addWidget(m_list);
    resize(560, 420);
}

void CompareWindow::showDifferences(const std::vector<ParameterDifference>& differences,
                                    bool uptoFirstDifference) {
    m_list->clear();
    for (const ParameterDifference& d : differences) {
        m_list->addItem(QString::fromStdString(differenceLine(d)));
    }
    m_equal->setVisible(differences.empty());
    m_partial->setVisible(uptoFirstDifference);
    m_list->setVisible(!differences.empty());
    show();
    raise();
}

} // namespace kordana
