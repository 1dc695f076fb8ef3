#include "features/unit/CompareWindow.h"

#include "lang/ParameterCaptions.h"
#include "params/DiffText.h"
#include "shell/DiffWording.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace kordana {

namespace {

QLabel* addLabel(QVBoxLayout* layout, QWidget* parent, const char* name, const char* text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setWordWrap(true);
    layout->addWidget(label);
    return label;
}

} // namespace

CompareWindow::CompareWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("FormCompare");
    setWindowTitle("Compare with unit");
    auto* layout = new QVBoxLayout(this);
    m_repaired = addLabel(layout, this, "LabelCompareRepaired", "");
    addLabel(layout, this, "LabelCompareSides", "Set being edited -> unit");
    m_equal = addLabel(layout, this, "LabelCompareEqual", "No differences");
    m_partial = addLabel(layout, this, "LabelCompareVerify",
                         "Only the blocks up to the first that differs were compared.");
    m_summary = addLabel(layout, this, "LabelCompareSummary", "");
    m_list = new QListWidget(this);
    m_list->setObjectName("ListCompare");
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    layout->addWidget(m_list);
    auto* buttons = new QHBoxLayout;
    m_takeButton = new QPushButton("Take the unit's values", this);
    m_takeButton->setObjectName("ButtonCompareTake");
    auto* close = new QPushButton("Close", this);
    close->setObjectName("ButtonCompareClose");
    buttons->addWidget(m_takeButton);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(m_takeButton, &QPushButton::clicked, this, [this] { takeSelected(); });
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    connect(m_list, &QListWidget::itemSelectionChanged, this,
            [this] { m_takeButton->setEnabled(!m_repairs && !m_list->selectedItems().empty()); });
    resize(640, 480);
}

void CompareWindow::showDifferences(const std::vector<ParameterDifference>& differences,
                                    bool uptoFirstDifference) {
    m_differences = differences;
    m_repairs = false;
    m_repaired->hide();
    m_partial->setVisible(uptoFirstDifference);
    fill();
    show();
    raise();
}

void CompareWindow::showRepairs(const std::vector<ParameterDifference>& repairs,
                                const std::string& explanation) {
    m_differences = repairs;
    m_repairs = true;
    m_repaired->setText(QString::fromStdString(explanation));
    m_repaired->show();
    m_partial->hide();
    fill();
    show();
    raise();
}

void CompareWindow::updateDifferences(const std::vector<ParameterDifference>& differences) {
    m_differences = differences;
    fill();
    if (differences.empty()) {
        hide();
    }
}

void CompareWindow::setLanguage(std::uint8_t languageIndex) {
    m_language = languageIndex;
    fill();
}

void CompareWindow::fill() {
    const DiffNaming naming = diffNamingFor(m_language);
    QStringList summary;
    for (const std::string& line : diffSummaryLines(m_differences, naming)) {
        summary << QString::fromStdString(line);
    }
    m_summary->setText(summary.join('\n'));
    m_list->clear();
    for (const ParameterDifference& d : m_differences) {
        m_list->addItem(QString::fromStdString(differenceLine(d, naming)));
    }
    m_equal->setVisible(m_differences.empty());
    m_summary->setVisible(!m_differences.empty());
    m_list->setVisible(!m_differences.empty());
    m_takeButton->setEnabled(!m_repairs && !m_list->selectedItems().empty());
}

void CompareWindow::takeSelected() {
    std::vector<ParameterDifference> chosen;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->isSelected()) {
            chosen.push_back(m_differences.at(static_cast<std::size_t>(row)));
        }
    }
    if (!chosen.empty() && m_take) {
        m_take(chosen);
    }
}

} // namespace kordana
