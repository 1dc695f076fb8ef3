#pragma once

#include "lang/MessageTexts.h"
#include "storage/SetHistory.h"

#include <QDialog>

#include <vector>

class QPushButton;
class QTreeWidget;

namespace kordana {

/// File > Earlier sets...: the sets that New, Open, Read and a restore replaced, newest first,
/// with the time, what replaced each and the file it had come from. Restore (or a double click)
/// asks for the selected entry; the window does the restoring. Not modal: the window stays
/// usable and reloads the list whenever it records another set.
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

signals:
    /// The user asked to restore the entry whose parameter file is `entryPath`.
    void restoreRequested(const QString& entryPath);

private:
    void restoreSelected();

    QTreeWidget* m_list = nullptr;
    QPushButton* m_restore = nullptr;
};

} // namespace kordana
