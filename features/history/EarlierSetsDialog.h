#pragma once

#include "lang/MessageTexts.h"
#include "library/LibraryEntry.h"
#include "storage/SetHistory.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace kordana {

class TimelinePane;

/// File > Earlier sets...: the sets that New, Open, Read and a restore replaced, newest first,
/// with the time, what replaced each and the file it had come from; with the tune library open
/// its timeline instead (TimelinePane). Restore (or a double click) asks for the selected
/// entry; the window does the restoring. Not modal: the window stays usable and reloads the
/// list whenever it records another set.
class EarlierSetsDialog : public QDialog {
    Q_OBJECT

public:
    /// Builds the dialog as a window of `parent`, which owns it; shown by the window's command.
    explicit EarlierSetsDialog(QWidget* parent);

    /// Lists `entries` (newest first), the causes in the language of `texts`; the newest is
    /// selected.
    void showEntries(const std::vector<SetHistoryEntry>& entries, const MessageTexts& texts);

    /// The list of entries (`ListEarlierSets`): time, replaced by, file.
    QTreeWidget* list() const { return m_list; }
    /// The timeline of the tune library, shown instead of the list while `on`.
    TimelinePane* timeline() const { return m_timeline; }
    void showTimeline(bool on);
    bool timelineShown() const;

signals:
    /// The user asked to restore the entry whose parameter file is `entryPath`.
    void restoreRequested(const QString& entryPath);
    /// The user asked to restore the library entry `entry`.
    void entryRestoreRequested(const kordana::LibraryEntry& entry);
    /// The dialog was closed or hidden.
    void hidden();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void restoreSelected();
    void enableRestore();

    QTreeWidget* m_list = nullptr;
    TimelinePane* m_timeline = nullptr;
    QPushButton* m_restore = nullptr;
};

} // namespace kordana
