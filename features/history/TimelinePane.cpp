#include "features/history/TimelinePane.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace kordana {

namespace {

// The events a user filters by, in the order the event list offers them after "all".
constexpr LibraryEvent kFilterEvents[] = {
    LibraryEvent::Saved,      LibraryEvent::Opened,   LibraryEvent::Read,
    LibraryEvent::Programmed, LibraryEvent::Replaced, LibraryEvent::Restored,
    LibraryEvent::Assistant,
};

template <class W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

} // namespace

TimelinePane::TimelinePane(QWidget* parent) : QWidget(parent) {
    setObjectName("PanelTimeline");
    m_model = new TimelineModel(this);
    m_list = named(new QTreeView(this), "ListTimeline");
    m_list->setModel(m_model);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_list->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_list->header()->setStretchLastSection(true);
    m_diffSides = named(new QLabel(this), "LabelTimelineDiff");
    m_diff = named(new QListWidget(this), "ListTimelineDiff");

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->addWidget(buildFilters());
    column->addWidget(m_list, 3);
    column->addWidget(m_diffSides);
    column->addWidget(m_diff, 2);
    column->addWidget(buildNoteAndRemote());

    connect(m_list->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TimelinePane::selected);
    connect(m_list, &QTreeView::doubleClicked, this, &TimelinePane::entryActivated);
    clearDifferences();
}

QWidget* TimelinePane::buildFilters() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    m_unit = named(new QComboBox(row), "ComboTimelineUnit");
    m_event = named(new QComboBox(row), "ComboTimelineEvent");
    m_text = named(new QLineEdit(row), "EditTimelineFilter");
    const std::pair<const char*, QWidget*> parts[] = {
        {"LabelTimelineUnit", m_unit},
        {"LabelTimelineEvent", m_event},
        {"LabelTimelineFilter", m_text},
    };
    const char* captions[] = {"Unit:", "Event:", "Text:"};
    for (std::size_t i = 0; i < std::size(parts); ++i) {
        layout->addWidget(named(new QLabel(captions[i], row), parts[i].first));
        layout->addWidget(parts[i].second, parts[i].second == m_text ? 1 : 0);
    }
    connect(m_unit, &QComboBox::currentIndexChanged, this, &TimelinePane::applyFilter);
    connect(m_event, &QComboBox::currentIndexChanged, this, &TimelinePane::applyFilter);
    connect(m_text, &QLineEdit::textChanged, this, &TimelinePane::applyFilter);
    return row;
}

QWidget* TimelinePane::buildNoteAndRemote() {
    auto* box = new QWidget(this);
    auto* grid = new QVBoxLayout(box);
    grid->setContentsMargins(0, 0, 0, 0);
    auto* noteRow = new QHBoxLayout();
    m_note = named(new QLineEdit(box), "EditTimelineNote");
    m_saveNote = named(new QPushButton("Save note", box), "ButtonTimelineNote");
    noteRow->addWidget(named(new QLabel("Note:", box), "LabelTimelineNote"));
    noteRow->addWidget(m_note, 1);
    noteRow->addWidget(m_saveNote);
    auto* remoteRow = new QHBoxLayout();
    m_remote = named(new QLineEdit(box), "EditLibraryRemote");
    auto* setRemote = named(new QPushButton("Set remote", box), "ButtonLibraryRemote");
    auto* sync = named(new QPushButton("Sync now", box), "ButtonSyncNow");
    remoteRow->addWidget(named(new QLabel("Remote:", box), "LabelLibraryRemote"));
    remoteRow->addWidget(m_remote, 1);
    remoteRow->addWidget(setRemote);
    remoteRow->addWidget(sync);
    grid->addLayout(noteRow);
    grid->addLayout(remoteRow);

    connect(m_saveNote, &QPushButton::clicked, this, [this] {
        const std::vector<LibraryEntry> chosen = selectedEntries();
        if (chosen.size() == 1) {
            emit noteRequested(QString::fromStdString(chosen.front().id), m_note->text());
        }
    });
    connect(setRemote, &QPushButton::clicked, this,
            [this] { emit remoteRequested(m_remote->text().trimmed()); });
    connect(sync, &QPushButton::clicked, this, &TimelinePane::syncRequested);
    return box;
}

void TimelinePane::setEntries(std::vector<LibraryEntry> entries) {
    m_model->setEntries(std::move(entries));
    fillUnits();
    selected();
}

void TimelinePane::fillUnits() {
    const QString current = m_unit->currentIndex() > 0 ? m_unit->currentData().toString() : "";
    const QSignalBlocker block(m_unit);
    m_unit->clear();
    m_unit->addItem(m_allUnits, QString());
    for (const QString& unit : m_model->units()) {
        m_unit->addItem(unit == "-" ? m_noUnit : unit, unit);
    }
    m_unit->setCurrentIndex(std::max(0, m_unit->findData(current)));
}

void TimelinePane::applyTexts(const MessageTexts& texts, const QStringList& headers) {
    m_allUnits = QString::fromStdString(texts.TextAllUnits);
    m_noUnit = QString::fromStdString(texts.TextNoUnit);
    m_model->setTexts(texts, headers);
    fillUnits();
    const QSignalBlocker block(m_event);
    const int current = std::max(0, m_event->currentIndex());
    m_event->clear();
    m_event->addItem(QString::fromStdString(texts.TextAllEvents), -1);
    for (const LibraryEvent event : kFilterEvents) {
        m_event->addItem(libraryEventText(event, texts), static_cast<int>(event));
    }
    m_event->setCurrentIndex(current);
}

void TimelinePane::applyFilter() {
    TimelineFilter filter;
    filter.unit = m_unit->currentData().toString();
    if (const int event = m_event->currentData().toInt(); event >= 0) {
        filter.event = static_cast<LibraryEvent>(event);
    }
    filter.text = m_text->text().trimmed();
    m_model->setFilter(filter);
    selected();
}

std::vector<LibraryEntry> TimelinePane::selectedEntries() const {
    QModelIndexList rows = m_list->selectionModel()->selectedRows();
    std::ranges::sort(rows, {}, &QModelIndex::row);
    std::vector<LibraryEntry> chosen;
    for (const QModelIndex& row : rows) {
        chosen.push_back(m_model->entryAt(row.row()));
    }
    return chosen;
}

void TimelinePane::selected() {
    const std::vector<LibraryEntry> chosen = selectedEntries();
    m_note->setText(chosen.size() == 1 ? QString::fromStdString(chosen.front().note) : "");
    m_note->setEnabled(chosen.size() == 1);
    m_saveNote->setEnabled(chosen.size() == 1);
    emit selectionChanged();
}

void TimelinePane::showDifferences(const QString& sides, const QStringList& lines,
                                   const QString& equal) {
    m_diffSides->setText(sides);
    m_diff->clear();
    m_diff->addItems(lines.isEmpty() ? QStringList{equal} : lines);
}

void TimelinePane::clearDifferences() {
    m_diffSides->clear();
    m_diff->clear();
}

void TimelinePane::showRemote(const QString& url) {
    m_remote->setText(url);
}

} // namespace kordana
