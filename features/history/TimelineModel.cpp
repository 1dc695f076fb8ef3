#include "features/history/TimelineModel.h"

#include "shell/QtText.h"

#include <QDateTime>

#include <set>

namespace kordana {

namespace {

QString unitOf(const LibraryEntry& entry) {
    return entry.unit ? toQString(entry.unit->ident) : QStringLiteral("-");
}

} // namespace

QString libraryEventText(LibraryEvent event, const MessageTexts& texts) {
    switch (event) {
    case LibraryEvent::Saved:
        return toQString(texts.TextEventSaved);
    case LibraryEvent::Opened:
        return toQString(texts.TextEventOpened);
    case LibraryEvent::Read:
        return toQString(texts.TextEventRead);
    case LibraryEvent::Programmed:
        return toQString(texts.TextEventProgrammed);
    case LibraryEvent::Replaced:
        return toQString(texts.TextEventReplaced);
    case LibraryEvent::Restored:
        return toQString(texts.TextEventRestored);
    case LibraryEvent::Assistant:
        return toQString(texts.TextEventAssistant);
    case LibraryEvent::Note:
        break;
    }
    return QString::fromUtf8(libraryEventName(event).data(),
                             static_cast<qsizetype>(libraryEventName(event).size()));
}

TimelineModel::TimelineModel(QObject* parent) : QAbstractTableModel(parent) {}

void TimelineModel::setEntries(std::vector<LibraryEntry> entries) {
    beginResetModel();
    m_entries = std::move(entries);
    m_rows.clear();
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (kept(m_entries[i])) {
            m_rows.push_back(static_cast<int>(i));
        }
    }
    endResetModel();
}

void TimelineModel::setFilter(const TimelineFilter& filter) {
    m_filter = filter;
    setEntries(std::move(m_entries));
}

void TimelineModel::setTexts(const MessageTexts& texts, const QStringList& headers) {
    m_texts = texts;
    m_headers = headers;
    if (!m_rows.empty()) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
    }
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
}

bool TimelineModel::kept(const LibraryEntry& entry) const {
    if (!m_filter.unit.isEmpty() && unitOf(entry) != m_filter.unit) {
        return false;
    }
    if (m_filter.event && entry.event != *m_filter.event) {
        return false;
    }
    if (m_filter.text.isEmpty()) {
        return true;
    }
    for (const std::string* part :
         {&entry.pc, &entry.user, &entry.note, &entry.filePath, &entry.cause}) {
        if (toQString(*part).contains(m_filter.text, Qt::CaseInsensitive)) {
            return true;
        }
    }
    return unitOf(entry).contains(m_filter.text, Qt::CaseInsensitive);
}

const LibraryEntry& TimelineModel::entryAt(int row) const {
    return m_entries.at(static_cast<std::size_t>(m_rows.at(static_cast<std::size_t>(row))));
}

QStringList TimelineModel::units() const {
    std::set<QString> named;
    bool none = false;
    for (const LibraryEntry& entry : m_entries) {
        if (entry.unit) {
            named.insert(toQString(entry.unit->ident));
        } else {
            none = true;
        }
    }
    QStringList list(named.begin(), named.end());
    if (none) {
        list << QStringLiteral("-");
    }
    return list;
}

int TimelineModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_rows.size());
}

int TimelineModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString TimelineModel::cellText(const LibraryEntry& entry, int column) const {
    switch (column) {
    case Time:
        return QDateTime::fromSecsSinceEpoch(entry.time).toString("yyyy-MM-dd HH:mm:ss");
    case Event:
        return libraryEventText(entry.event, m_texts);
    case Unit:
        return entry.unit ? toQString(entry.unit->ident) : QString();
    case Pc:
        return toQString(entry.pc);
    case Note:
        return toQString(entry.note);
    default:
        return {};
    }
}

QVariant TimelineModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= rowCount()) {
        return {};
    }
    const LibraryEntry& entry = entryAt(index.row());
    if (role == Qt::DisplayRole) {
        return cellText(entry, index.column());
    }
    if (role == Qt::ToolTipRole) {
        return toQString(entry.user + (entry.filePath.empty() ? "" : "  " + entry.filePath));
    }
    return {};
}

QVariant TimelineModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= m_headers.size()) {
        return QAbstractTableModel::headerData(section, orientation, role);
    }
    return m_headers.at(section);
}

} // namespace kordana
