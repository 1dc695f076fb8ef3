#include "features/log/LogChannelList.h"

#include "features/log/LogPanes.h"
#include "shell/QtText.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QMimeData>

namespace kordana {

namespace {

constexpr int kColumnRole = Qt::UserRole;

} // namespace

LogChannelList::LogChannelList(QWidget* parent) : QTreeWidget(parent), m_texts(logPaneTextsFor(0)) {
    setHeaderLabels({"Channel", "Value"});
    header()->setStretchLastSection(true);
    setDragEnabled(true);
    setDragDropMode(QAbstractItemView::DragOnly);
    setSelectionMode(QAbstractItemView::SingleSelection);
    for (std::size_t g = 0; g < kLogGroupCount; ++g) {
        auto* group = new QTreeWidgetItem(this, {toQString(m_texts.groups[g])});
        group->setFlags(Qt::ItemIsEnabled);
        group->setHidden(true); // until a log brings columns
        group->setExpanded(true);
        m_groups.push_back(group);
    }
    connect(this, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem* item, int column) {
        const std::string name = columnOf(item);
        if (!m_filling && column == 0 && !name.empty()) {
            emit shownChanged(toQString(name), item->checkState(0) == Qt::Checked);
        }
    });
}

void LogChannelList::setColumns(const std::vector<std::string>& columns) {
    m_filling = true;
    for (QTreeWidgetItem* group : m_groups) {
        qDeleteAll(group->takeChildren());
    }
    for (const std::string& name : columns) {
        const LogColumnInfo info = logColumnInfo(name);
        auto* item = new QTreeWidgetItem(m_groups[static_cast<std::size_t>(info.group)],
                                         {toQString(info.caption), QString()});
        item->setData(0, kColumnRole, toQString(name));
        item->setToolTip(0, toQString(name));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable |
                       Qt::ItemIsDragEnabled);
        item->setCheckState(0, Qt::Unchecked);
        item->setForeground(0, LogPanes::colourOf(name));
    }
    for (QTreeWidgetItem* group : m_groups) {
        group->setHidden(group->childCount() == 0);
        group->setExpanded(true);
    }
    m_filling = false;
    resizeColumnToContents(0);
}

void LogChannelList::showLayout(const LogLayout& layout) {
    m_layout = layout;
    m_filling = true;
    for (QTreeWidgetItem* group : m_groups) {
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem* item = group->child(i);
            item->setCheckState(0, layout.paneOf(columnOf(item)) ? Qt::Checked : Qt::Unchecked);
        }
    }
    m_filling = false;
}

void LogChannelList::showValues(const std::function<QString(const std::string&)>& valueOf) {
    m_filling = true;
    for (QTreeWidgetItem* group : m_groups) {
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem* item = group->child(i);
            const QString text = valueOf(columnOf(item));
            if (item->text(1) != text) {
                item->setText(1, text);
            }
        }
    }
    m_filling = false;
}

void LogChannelList::filter(const QString& query) {
    const std::string wanted = query.trimmed().toStdString();
    for (QTreeWidgetItem* group : m_groups) {
        int shown = 0;
        for (int i = 0; i < group->childCount(); ++i) {
            QTreeWidgetItem* item = group->child(i);
            const bool match = columnMatches(columnOf(item), wanted);
            item->setHidden(!match);
            shown += match ? 1 : 0;
        }
        group->setHidden(shown == 0);
    }
}

void LogChannelList::setTexts(const LogPaneTexts& texts) {
    m_texts = texts;
    for (std::size_t g = 0; g < m_groups.size(); ++g) {
        m_groups[g]->setText(0, toQString(texts.groups[g]));
    }
}

QTreeWidgetItem* LogChannelList::itemOf(std::string_view column) const {
    for (QTreeWidgetItem* group : m_groups) {
        for (int i = 0; i < group->childCount(); ++i) {
            if (columnOf(group->child(i)) == column) {
                return group->child(i);
            }
        }
    }
    return nullptr;
}

std::string LogChannelList::columnOf(const QTreeWidgetItem* item) {
    return item != nullptr ? item->data(0, kColumnRole).toString().toStdString() : std::string();
}

QStringList LogChannelList::mimeTypes() const {
    return {LogPanes::kColumnMime};
}

QMimeData* LogChannelList::mimeData(const QList<QTreeWidgetItem*>& items) const {
    if (items.isEmpty() || columnOf(items.front()).empty()) {
        return nullptr;
    }
    auto* data = new QMimeData();
    data->setData(LogPanes::kColumnMime, QByteArray::fromStdString(columnOf(items.front())));
    return data;
}

void LogChannelList::contextMenuEvent(QContextMenuEvent* event) {
    const std::string name = columnOf(itemAt(event->pos()));
    if (name.empty()) {
        return;
    }
    QMenu menu(this);
    const QString column = toQString(name);
    for (std::size_t p = 0; p < m_layout.panes.size(); ++p) {
        QAction* move =
            menu.addAction(toQString(m_texts.moveToPane).replace("%1", QString::number(p + 1)));
        connect(move, &QAction::triggered, this,
                [this, column, p] { emit moveRequested(column, p); });
    }
    QAction* fresh = menu.addAction(toQString(m_texts.newPane));
    connect(fresh, &QAction::triggered, this,
            [this, column] { emit moveRequested(column, m_layout.panes.size()); });
    if (m_layout.paneOf(name)) {
        QAction* off = menu.addAction(toQString(m_texts.removeFromPlot));
        connect(off, &QAction::triggered, this,
                [this, column] { emit shownChanged(column, false); });
    }
    menu.exec(event->globalPos());
}

} // namespace kordana
