#pragma once

#include "features/history/TimelineModel.h"

#include <QWidget>

#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

namespace kordana {

/// The timeline of the tune library inside File > Earlier sets... (`PanelTimeline`): the
/// filters (unit, event, text), the entries newest first (`ListTimeline`), the differences of
/// the one or two selected (`ListTimelineDiff`), the note of the selected entry, the remote and
/// "Sync now". It shows and asks; the history feature does the work.
class TimelinePane : public QWidget {
    Q_OBJECT

public:
    explicit TimelinePane(QWidget* parent);

    /// Lists `entries` (newest first) under the filter as it stands; the selection is cleared.
    void setEntries(std::vector<LibraryEntry> entries);
    /// The words of the events, the "all" choices and the column headers.
    void applyTexts(const MessageTexts& texts, const QStringList& headers);
    /// Shows `lines` under the title `sides` (an empty list says `equal`).
    void showDifferences(const QString& sides, const QStringList& lines, const QString& equal);
    void clearDifferences();
    void showRemote(const QString& url);

    /// The selected entries, newest first.
    std::vector<LibraryEntry> selectedEntries() const;
    TimelineModel& model() { return *m_model; }
    QTreeView* list() const { return m_list; }

signals:
    /// The selection changed (none, one or more entries).
    void selectionChanged();
    /// The user asked to restore the entry of a double-clicked row.
    void entryActivated();
    void noteRequested(const QString& entryId, const QString& note);
    void remoteRequested(const QString& url);
    void syncRequested();

private:
    QWidget* buildFilters();
    QWidget* buildNoteAndRemote();
    void fillUnits();
    void applyFilter();
    void selected();

    TimelineModel* m_model = nullptr;
    QTreeView* m_list = nullptr;
    QComboBox* m_unit = nullptr;
    QComboBox* m_event = nullptr;
    QLineEdit* m_text = nullptr;
    QLabel* m_diffSides = nullptr;
    QListWidget* m_diff = nullptr;
    QLineEdit* m_note = nullptr;
    QPushButton* m_saveNote = nullptr;
    QLineEdit* m_remote = nullptr;
    QString m_allUnits;
    QString m_noUnit;
};

} // namespace kordana
