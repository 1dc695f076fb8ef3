// The log window's tools beside its panes: the channel search, live follow of a growing log,

#include "shell/QtText.h"
// the second log compared with the first, the marker list and the set's lines.
#include "features/log/LogChannelList.h"
#include "features/log/LogPanes.h"
#include "features/log/LogWindow.h"
#include "lang/LogPaneTexts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QTimer>
#include <QVBoxLayout>

#include <filesystem>

namespace kordana {

namespace {

// How often a shown log's file is looked at for new rows.
constexpr int kFollowIntervalMs = 500;

} // namespace

// Ticking a channel plots it with its kind, clearing takes it off; the context menu moves it.
void LogWindow::connectList() {
    connect(m_list, &LogChannelList::shownChanged, this, [this](const QString& column, bool shown) {
        if (shown) {
            m_layout.add(column.toStdString());
        } else {
            m_layout.remove(column.toStdString());
        }
        showLayout();
    });
    connect(m_list, &LogChannelList::moveRequested, this,
            [this](const QString& column, std::size_t pane) {
                m_layout.moveTo(column.toStdString(), pane);
                showLayout();
            });
}

void LogWindow::buildTools() {
    QWidget* side = m_list->parentWidget();
    m_search = new QLineEdit(side);
    m_search->setObjectName("EditLogChannelSearch");
    m_search->setClearButtonEnabled(true);
    m_side->insertWidget(0, m_search);
    connect(m_search, &QLineEdit::textChanged, m_list, &LogChannelList::filter);
    m_defaultPanes = new QPushButton(side);
    m_defaultPanes->setObjectName("ButtonLogDefaultPanes");
    m_side->addWidget(m_defaultPanes);
    connect(m_defaultPanes, &QPushButton::clicked, this,
            [this] { setPaneLayout(defaultLogLayout()); });
    m_follow = new QCheckBox(side);
    m_follow->setObjectName("CheckLogFollow");
    m_follow->setChecked(true);
    m_side->addWidget(m_follow);
    m_compareButton = new QPushButton(side);
    m_compareButton->setObjectName("ButtonLogCompare");
    m_side->addWidget(m_compareButton);
    connect(m_compareButton, &QPushButton::clicked, this, [this] { compareClicked(); });
    m_align = new QComboBox(side);
    m_align->setObjectName("ComboLogAlign");
    m_side->addWidget(m_align);
    connect(m_align, &QComboBox::activated, this, [this](int index) {
        const QVariant marker = m_align->itemData(index);
        setCompareAlignment(marker.isValid() ? std::optional<unsigned>(marker.toUInt())
                                             : std::nullopt);
    });
    m_markersLabel = new QLabel(side);
    m_side->addWidget(m_markersLabel);
    m_markers = new QListWidget(side);
    m_markers->setObjectName("ListLogMarkers");
    m_markers->setMaximumHeight(120);
    m_side->addWidget(m_markers);
    connect(m_markers, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        jumpToMarker(static_cast<std::size_t>(m_markers->row(item)));
    });
    connect(m_markers, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        jumpToMarker(static_cast<std::size_t>(m_markers->row(item)));
    });
    m_followTimer = new QTimer(this);
    m_followTimer->setObjectName("TimerLogFollow");
    m_followTimer->setInterval(kFollowIntervalMs);
    connect(m_followTimer, &QTimer::timeout, this, [this] {
        if (isVisible()) {
            checkForNewRows();
        }
    });
    m_followTimer->start();
}

void LogWindow::setLanguage(std::uint8_t index) {
    m_languageIndex = index;
    if (m_panes != nullptr) {
        showTexts();
    }
}

void LogWindow::showTexts() {
    const LogPaneTexts texts = logPaneTextsFor(m_languageIndex);
    m_list->setTexts(texts);
    m_search->setPlaceholderText(toQString(texts.search));
    m_defaultPanes->setText(toQString(texts.defaultLayout));
    m_follow->setText(toQString(texts.follow));
    m_compareButton->setText(toQString(m_compare ? texts.closeCompare : texts.compare));
    m_markersLabel->setText(toQString(texts.markers));
    m_panes->setLineTexts(
        toQString(texts.alarm),
        {toQString(texts.limiters[0]), toQString(texts.limiters[1]), toQString(texts.limiters[2])});
    showAlignments();
    showMarkers();
}

std::size_t LogWindow::checkForNewRows() {
    if (!m_log || m_path.isEmpty()) {
        return 0;
    }
    const std::string path = m_path.toStdString();
    if (!m_tail.active()) {
        // Only a file that grew is followed: reading it through to its last row costs a pass.
        std::error_code ec;
        const std::uintmax_t size = std::filesystem::file_size(path, ec);
        if (ec || size == m_readBytes || !m_tail.start(path, *m_log)) {
            return 0;
        }
    }
    const double span = timeTo() - timeFrom();
    const std::size_t added = m_tail.readNew(*m_log);
    if (added == 0) {
        return 0;
    }
    m_filling = true;
    m_slider->setRange(0, static_cast<int>(m_log->rowCount() - 1));
    m_filling = false;
    m_panes->refresh();
    showMarkers();
    if (following()) {
        setTimeRange(m_log->elapsed.back() - span, m_log->elapsed.back());
    } else {
        setTimeRange(timeFrom(), timeFrom() + span);
    }
    return added;
}

void LogWindow::setFollowing(bool follow) {
    if (m_follow != nullptr) {
        m_follow->setChecked(follow);
    }
}

bool LogWindow::following() const {
    return m_follow != nullptr && m_follow->isChecked();
}

void LogWindow::compareClicked() {
    if (m_compare) {
        closeCompareLog();
    } else if (m_chooseCompare) {
        const QString path = m_chooseCompare();
        if (!path.isEmpty()) {
            openCompareLog(path);
        }
    }
}

bool LogWindow::openCompareLog(const QString& path) {
    if (!m_log) {
        return false;
    }
    MonitorLogRead read = readMonitorLogFile(path.toStdString(), m_readOptions);
    if (!read.log) {
        return false;
    }
    m_compare = std::move(read.log);
    m_compareMarker.reset();
    setCompareAlignment(std::nullopt);
    showTexts();
    return true;
}

void LogWindow::closeCompareLog() {
    m_compare.reset();
    m_compareOffset = 0;
    if (m_panes != nullptr) {
        m_panes->setCompare(nullptr, 0);
        showTexts();
    }
}

bool LogWindow::setCompareAlignment(std::optional<unsigned> marker) {
    if (!m_log || !m_compare) {
        return false;
    }
    const auto offset = alignmentOffset(*m_log, *m_compare, marker);
    if (!offset) {
        return false;
    }
    m_compareMarker = marker;
    m_compareOffset = *offset;
    m_panes->setCompare(&*m_compare, m_compareOffset);
    return true;
}

// The alignments both logs allow: at the start, and at each marker number they share.
void LogWindow::showAlignments() {
    if (m_align == nullptr) {
        return;
    }
    const LogPaneTexts texts = logPaneTextsFor(m_languageIndex);
    m_align->clear();
    m_align->addItem(toQString(texts.alignStart));
    if (m_log && m_compare) {
        const std::vector<LogMarker> other = markerRows(*m_compare);
        for (const LogMarker& m : markerRows(*m_log)) {
            const bool shared = std::ranges::any_of(
                other, [&m](const LogMarker& o) { return o.number == m.number; });
            if (shared && m_align->findData(m.number) < 0) {
                m_align->addItem(
                    toQString(texts.alignMarker).replace("%1", QString::number(m.number)),
                    m.number);
            }
        }
    }
    m_align->setCurrentIndex(m_compareMarker ? std::max(0, m_align->findData(*m_compareMarker))
                                             : 0);
    m_align->setEnabled(m_compare.has_value());
}

void LogWindow::showMarkers() {
    if (m_markers == nullptr) {
        return;
    }
    const LogPaneTexts texts = logPaneTextsFor(m_languageIndex);
    m_markers->clear();
    if (!m_log) {
        return;
    }
    for (const LogMarker& m : markerRows(*m_log)) {
        m_markers->addItem(toQString(texts.marker)
                               .replace("%1", QString::number(m.number))
                               .replace("%2", QString::number(m_log->elapsed[m.row], 'f', 1)));
    }
}

void LogWindow::jumpToMarker(std::size_t index) {
    if (!m_log) {
        return;
    }
    const std::vector<LogMarker> markers = markerRows(*m_log);
    if (index >= markers.size()) {
        return;
    }
    const double t = m_log->elapsed[markers[index].row];
    if (t < timeFrom() || t > timeTo()) {
        const double span = timeTo() - timeFrom();
        setTimeRange(t - span / 2, t + span / 2);
    }
    setCursorRow(markers[index].row);
}

void LogWindow::refreshThresholds() {
    if (m_panes != nullptr && m_log) {
        m_panes->setThresholds(m_thresholdSource ? m_thresholdSource() : std::nullopt);
    }
}

} // namespace kordana
