#include "features/history/EarlierSetsDialog.h"

#include "features/history/TimelinePane.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace kordana {

namespace {

constexpr int kPathRole = Qt::UserRole;

QString causeText(const QString& causeName, const MessageTexts& texts) {
    const auto cause = setHistoryCauseFromName(causeName);
    if (!cause) {
        return causeName;
    }
    switch (*cause) {
    case SetHistoryCause::New:
        return QString::fromStdString(texts.TextCauseNew);
    case SetHistoryCause::Open:
        return QString::fromStdString(texts.TextCauseOpen);
    case SetHistoryCause::Read:
        return QString::fromStdString(texts.TextCauseRead);
    case SetHistoryCause::Restore:
        return QString::fromStdString(texts.TextCauseRestore);
    case SetHistoryCause::Damaged:
        return QString::fromStdString(texts.TextCauseDamaged);
    }
    return causeName;
}

} // namespace

EarlierSetsDialog::EarlierSetsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("FormEarlierSets");
    setWindowTitle("Earlier sets");
    resize(720, 420);

    m_list = new QTreeWidget(this);
    m_list->setObjectName("ListEarlierSets");
    m_list->setColumnCount(3);
    m_list->setHeaderLabels({"Time", "Replaced by", "File"});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->header()->setStretchLastSection(true);

    m_timeline = new TimelinePane(this);
    m_timeline->hide();

    m_restore = new QPushButton("&Restore", this);
    m_restore->setObjectName("ButtonRestore");
    m_restore->setDefault(true);
    auto* close = new QPushButton("Close", this);
    close->setObjectName("ButtonCloseEarlierSets");

    auto* buttons = new QHBoxLayout();
    buttons->addStretch(1);
    buttons->addWidget(m_restore);
    buttons->addWidget(close);
    auto* column = new QVBoxLayout(this);
    column->addWidget(m_list, 1);
    column->addWidget(m_timeline, 1);
    column->addLayout(buttons);

    connect(m_restore, &QPushButton::clicked, this, &EarlierSetsDialog::restoreSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    connect(m_list, &QTreeWidget::itemDoubleClicked, this, &EarlierSetsDialog::restoreSelected);
    connect(m_list, &QTreeWidget::itemSelectionChanged, this, &EarlierSetsDialog::enableRestore);
    connect(m_timeline, &TimelinePane::selectionChanged, this, &EarlierSetsDialog::enableRestore);
    connect(m_timeline, &TimelinePane::entryActivated, this, &EarlierSetsDialog::restoreSelected);
    m_restore->setEnabled(false);
}

void EarlierSetsDialog::showTimeline(bool on) {
    if (on) {
        resize(std::max(width(), 860), std::max(height(), 620));
    }
    m_list->setVisible(!on);
    m_timeline->setVisible(on);
    enableRestore();
}

bool EarlierSetsDialog::timelineShown() const {
    return !m_timeline->isHidden();
}

void EarlierSetsDialog::enableRestore() {
    m_restore->setEnabled(timelineShown() ? m_timeline->selectedEntries().size() == 1
                                          : !m_list->selectedItems().isEmpty());
}

void EarlierSetsDialog::hideEvent(QHideEvent* event) {
    QDialog::hideEvent(event);
    emit hidden();
}

void EarlierSetsDialog::showEntries(const std::vector<SetHistoryEntry>& entries,
                                    const MessageTexts& texts) {
    m_list->clear();
    for (const SetHistoryEntry& entry : entries) {
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(0, entry.time.toString("yyyy-MM-dd HH:mm:ss"));
        item->setText(1, causeText(entry.causeName, texts));
        item->setText(2, entry.sourceFile);
        item->setData(0, kPathRole, entry.path);
    }
    for (int c = 0; c < 2; ++c) {
        m_list->resizeColumnToContents(c);
    }
    if (m_list->topLevelItemCount() > 0) {
        m_list->setCurrentItem(m_list->topLevelItem(0));
    }
    enableRestore();
}

void EarlierSetsDialog::restoreSelected() {
    if (timelineShown()) {
        const std::vector<LibraryEntry> chosen = m_timeline->selectedEntries();
        if (chosen.size() == 1) {
            emit entryRestoreRequested(chosen.front());
        }
        return;
    }
    const QList<QTreeWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        emit restoreRequested(selected.front()->data(0, kPathRole).toString());
    }
}

} // namespace kordana
