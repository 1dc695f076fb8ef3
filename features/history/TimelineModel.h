#pragma once

#include "lang/MessageTexts.h"
#include "library/LibraryEntry.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <optional>
#include <vector>

namespace kordana {

/// What the timeline shows of the library: the unit ("" all, "-" the sets of no unit), the
/// event and a text that the PC, user, note, file or unit must hold (any case).
struct TimelineFilter {
    QString unit;
    std::optional<LibraryEvent> event;
    QString text;
};

/// The entries of the tune library as the timeline lists them, newest first: time, event,
/// unit, PC, note. Holds the entries as the library listed them and the indexes the filter
/// keeps; a cell's text is made only when the view asks for it, so ten thousand entries cost
/// a list of indexes.
class TimelineModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column { Time, Event, Unit, Pc, Note, ColumnCount };

    explicit TimelineModel(QObject* parent = nullptr);

    /// Replaces the entries (newest first) and applies the filter again.
    void setEntries(std::vector<LibraryEntry> entries);
    void setFilter(const TimelineFilter& filter);
    /// The words of the events and the column headers.
    void setTexts(const MessageTexts& texts, const QStringList& headers);

    /// The entry of a row the filter kept.
    const LibraryEntry& entryAt(int row) const;
    /// The units the entries name, sorted, "-" (no unit) last when any entry has none.
    QStringList units() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    bool kept(const LibraryEntry& entry) const;
    QString cellText(const LibraryEntry& entry, int column) const;

    std::vector<LibraryEntry> m_entries;
    std::vector<int> m_rows;
    TimelineFilter m_filter;
    MessageTexts m_texts;
    QStringList m_headers;
};

/// The word of an event in the language of `texts`.
QString libraryEventText(LibraryEvent event, const MessageTexts& texts);

} // namespace kordana
