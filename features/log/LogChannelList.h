#pragma once

#include "lang/LogPaneTexts.h"
#include "monitor/LogColumns.h"

#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

namespace kordana {

/// The log window's channel list ("ListLogChannels"): every column of the log under its group,
/// checked while it is plotted, with its value at the time cursor. A channel is dragged onto a
/// pane, or its context menu moves it to a pane, to a new pane or off the plot.
class LogChannelList : public QTreeWidget {
    Q_OBJECT

public:
    explicit LogChannelList(QWidget* parent);

    /// Lists the columns `columns` (a log's, in file order) under their groups.
    void setColumns(const std::vector<std::string>& columns);
    /// Ticks the columns `layout` plots.
    void showLayout(const LogLayout& layout);
    /// The value column's text of every listed column (`valueOf` a column's text).
    void showValues(const std::function<QString(const std::string&)>& valueOf);
    /// Shows only the columns whose name or caption holds `query` (any case).
    void filter(const QString& query);
    void setTexts(const LogPaneTexts& texts);
    /// The item of `column`, or null.
    QTreeWidgetItem* itemOf(std::string_view column) const;
    /// The column an item stands for ("" for a group).
    static std::string columnOf(const QTreeWidgetItem* item);

signals:
    /// The column's box was ticked or cleared.
    void shownChanged(const QString& column, bool shown);
    /// The context menu moved `column` to pane `pane` (past the last: a new pane).
    void moveRequested(const QString& column, std::size_t pane);

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& items) const override;
    QStringList mimeTypes() const override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    std::vector<QTreeWidgetItem*> m_groups;
    LogPaneTexts m_texts;
    LogLayout m_layout;
    bool m_filling = false;
};

} // namespace kordana
