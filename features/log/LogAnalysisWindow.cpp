#include "features/log/LogAnalysisWindow.h"

#include "analysis/LogScatter.h"
#include "analysis/MapCells.h"
#include "features/log/LogCellPanel.h"
#include "features/log/LogHistogramView.h"
#include "features/log/LogRangePanel.h"
#include "features/log/LogScatterView.h"
#include "features/log/LogWindow.h"
#include "monitor/OperatingPoint.h"
#include "session/EditSession.h"
#include "shell/QtText.h"
#include "shell/Shell.h"

#include <QComboBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace kordana {

namespace {

// The combo's item of column `name`, or `fallback`.
int itemOf(const QComboBox* combo, const std::string& name, int fallback) {
    const int found = combo->findText(QString::fromStdString(name));
    return found >= 0 ? found : fallback;
}

} // namespace

LogAnalysisWindow::LogAnalysisWindow(Shell& shell, LogWindow& logWindow, QWidget* parent)
    : QWidget(parent, Qt::Window), m_shell(shell), m_logWindow(logWindow) {
    setObjectName("FormLogAnalysis");
    auto* layout = new QVBoxLayout(this);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("TabLogAnalysis");
    m_tabs->addTab(buildScatterTab(), QString());
    m_cells = new LogCellPanel(shell, m_tabs);
    m_tabs->addTab(m_cells, QString());
    m_tabs->addTab(buildHistogramTab(), QString());
    m_range = new LogRangePanel(m_tabs);
    m_tabs->addTab(m_range, QString());
    m_tabs->addTab(buildMarkersTab(), QString());
    layout->addWidget(m_tabs);
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] { refresh(); });

    m_range->setVisibleRangeSource([this] {
        return std::pair{m_logWindow.timeFrom(), m_logWindow.timeTo()};
    });
    m_range->setExportHandlers(
        [this] {
            const QString log = m_logWindow.findChild<QLabel*>("LabelLogFile")->text();
            const QFileInfo file(log);
            const QString start =
                file.absolutePath() + "/" + file.completeBaseName() +
                QString("_%1-%2.csv").arg(m_range->rows().first).arg(m_range->rows().last);
            return m_shell.desktop().csvFileName(this, start);
        },
        [this](const QString& text) { m_shell.showStatusBarText(text); });
    const int page = shell.activePageIndex();
    m_mapPage = page >= 0 && page < static_cast<int>(kMapPageCount) ? page : 0;
    m_cells->setMapPage(m_mapPage);
    applyLanguage(shell.languageIndex());
    resize(820, 560);
}

QWidget* LogAnalysisWindow::buildScatterTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout();
    m_xLabel = new QLabel(tab);
    m_yLabel = new QLabel(tab);
    m_colourLabel = new QLabel(tab);
    m_x = new QComboBox(tab);
    m_x->setObjectName("ComboLogScatterX");
    m_y = new QComboBox(tab);
    m_y->setObjectName("ComboLogScatterY");
    m_colour = new QComboBox(tab);
    m_colour->setObjectName("ComboLogScatterColour");
    m_points = new QLabel(tab);
    m_points->setObjectName("LabelLogScatterPoints");
    for (QWidget* w :
         std::initializer_list<QWidget*>{m_xLabel, m_x, m_yLabel, m_y, m_colourLabel, m_colour}) {
        row->addWidget(w);
    }
    row->addWidget(m_points, 1);
    layout->addLayout(row);
    m_scatter = new LogScatterView(tab);
    layout->addWidget(m_scatter, 1);
    for (QComboBox* combo : {m_x, m_y, m_colour}) {
        connect(combo, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_filling) {
                showScatter();
            }
        });
    }
    return tab;
}

QWidget* LogAnalysisWindow::buildHistogramTab() {
    auto* tab = new QWidget(this);
    auto* layout = new QVBoxLayout(tab);
    auto* row = new QHBoxLayout();
    m_histogramLabel = new QLabel(tab);
    m_histogramChannel = new QComboBox(tab);
    m_histogramChannel->setObjectName("ComboLogHistogramChannel");
    m_binsLabel = new QLabel(tab);
    m_bins = new QSpinBox(tab);
    m_bins->setObjectName("SpinLogHistogramBins");
    m_bins->setRange(2, 200);
    m_bins->setValue(20);
    row->addWidget(m_histogramLabel);
    row->addWidget(m_histogramChannel);
    row->addWidget(m_binsLabel);
    row->addWidget(m_bins);
    row->addStretch(1);
    layout->addLayout(row);
    m_histogram = new LogHistogramView(tab);
    layout->addWidget(m_histogram, 1);
    connect(m_histogramChannel, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling) {
            showHistogram();
        }
    });
    connect(m_bins, &QSpinBox::valueChanged, this, [this] { showHistogram(); });
    return tab;
}

QWidget* LogAnalysisWindow::buildMarkersTab() {
    m_markerList = new QTreeWidget(this);
    m_markerList->setObjectName("ListLogAnalysisMarkers");
    m_markerList->setRootIsDecorated(false);
    m_markerList->header()->setStretchLastSection(true);
    connect(m_markerList, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) {
        jumpToMarker(static_cast<std::size_t>(m_markerList->indexOfTopLevelItem(item)));
    });
    return m_markerList;
}

void LogAnalysisWindow::applyLanguage(std::uint8_t index) {
    m_texts = logToolTextsFor(index);
    setWindowTitle(toQString(m_texts.title));
    const std::string_view tabs[] = {m_texts.scatter, m_texts.cells, m_texts.histogram,
                                     m_texts.range, m_texts.markers};
    for (int t = 0; t < m_tabs->count(); ++t) {
        m_tabs->setTabText(t, toQString(tabs[t]));
    }
    m_xLabel->setText(toQString(m_texts.xChannel));
    m_yLabel->setText(toQString(m_texts.yChannel));
    m_colourLabel->setText(toQString(m_texts.colour));
    m_histogramLabel->setText(toQString(m_texts.channel));
    m_binsLabel->setText(toQString(m_texts.bins));
    m_markerList->setHeaderLabels(
        {toQString(m_texts.marker), toQString(m_texts.time), toQString(m_texts.timestamp)});
    m_points->setText(toQString(m_texts.points).arg(m_scatter->data().size()));
    m_cells->applyTexts(m_texts);
    m_range->applyTexts(m_texts);
}

void LogAnalysisWindow::fillChannels() {
    const MonitorLog* log = m_logWindow.log();
    m_filling = true;
    for (QComboBox* combo : {m_x, m_y, m_colour, m_histogramChannel}) {
        combo->clear();
        if (combo == m_colour) {
            combo->addItem(QStringLiteral("-"));
        }
        for (const std::string& name : log->columns) {
            combo->addItem(QString::fromStdString(name));
        }
    }
    m_x->setCurrentIndex(itemOf(m_x, "engine_speed_rpm", 0));
    m_y->setCurrentIndex(itemOf(m_y, "throttle_pct", 0));
    m_colour->setCurrentIndex(itemOf(m_colour, "lambda_mv", 0));
    m_histogramChannel->setCurrentIndex(itemOf(m_histogramChannel, "lambda_mv", 0));
    m_filling = false;
}

void LogAnalysisWindow::takeLog() {
    const MonitorLog* log = m_logWindow.log();
    if (log == nullptr) {
        return;
    }
    fillChannels();
    m_markers = markerRows(*log);
    m_visible = analysis::rowRange(*log, m_logWindow.timeFrom(), m_logWindow.timeTo());
    m_cells->setLog(log);
    m_range->setLog(log);
    showMarkers();
    refresh();
}

void LogAnalysisWindow::showRange(double from, double to) {
    if (const MonitorLog* log = m_logWindow.log()) {
        m_visible = analysis::rowRange(*log, from, to);
        if (isVisible()) {
            refresh();
        }
    }
}

void LogAnalysisWindow::followPage(int page) {
    if (page < 0 || page >= static_cast<int>(kMapPageCount) || page == m_mapPage) {
        return;
    }
    m_mapPage = page;
    m_cells->setMapPage(page);
    if (isVisible()) {
        showScatter();
    }
}

// Only what is in view is worked out as the plot's range moves: the tab shown, and the cells
// while they are shown on the map too. A tab brought up catches up.
void LogAnalysisWindow::refresh() {
    if (m_logWindow.log() == nullptr) {
        return;
    }
    const int tab = m_tabs->currentIndex();
    if (tab == 0) {
        showScatter();
    }
    if (tab == 1 || m_cells->shownOnMap()) {
        m_cells->setRows(m_visible);
    }
    if (tab == 2) {
        showHistogram();
    }
}

void LogAnalysisWindow::chooseScatter(const std::string& x, const std::string& y,
                                      const std::string& colour) {
    m_filling = true;
    m_x->setCurrentIndex(itemOf(m_x, x, m_x->currentIndex()));
    m_y->setCurrentIndex(itemOf(m_y, y, m_y->currentIndex()));
    m_colour->setCurrentIndex(colour.empty() ? 0 : itemOf(m_colour, colour, 0));
    m_filling = false;
    showScatter();
}

void LogAnalysisWindow::showScatter() {
    const MonitorLog* log = m_logWindow.log();
    if (log == nullptr || m_x->currentIndex() < 0 || m_y->currentIndex() < 0) {
        return;
    }
    const int colour = m_colour->currentIndex();
    m_scatter->setData(analysis::scatterData(
        *log, static_cast<std::size_t>(m_x->currentIndex()),
        static_cast<std::size_t>(m_y->currentIndex()),
        colour > 0 ? std::optional<std::size_t>(static_cast<std::size_t>(colour - 1))
                   : std::nullopt,
        m_visible));
    // The map's own breakpoints and throttle rows, where the scatter shows those channels.
    const auto breakpoints =
        analysis::mapBreakpoints(m_shell.session().image(), static_cast<std::size_t>(m_mapPage));
    auto linesOf = [&](const QComboBox* combo) {
        std::vector<double> lines;
        if (combo->currentText() == "engine_speed_rpm") {
            for (const std::uint8_t b : breakpoints) {
                lines.push_back(b * 50.0);
            }
        } else if (combo->currentText() == "throttle_pct") {
            lines.assign(kThrottleRows.begin(), kThrottleRows.end());
        }
        return lines;
    };
    m_scatter->setGrid(linesOf(m_x), linesOf(m_y));
    m_points->setText(toQString(m_texts.points).arg(m_scatter->data().size()));
}

void LogAnalysisWindow::showHistogram() {
    const MonitorLog* log = m_logWindow.log();
    if (log == nullptr || m_histogramChannel->currentIndex() < 0) {
        return;
    }
    m_histogram->setHistogram(
        analysis::histogram(*log, static_cast<std::size_t>(m_histogramChannel->currentIndex()),
                            m_visible, static_cast<std::size_t>(m_bins->value())));
}

void LogAnalysisWindow::showMarkers() {
    const MonitorLog* log = m_logWindow.log();
    m_markerList->clear();
    for (const LogMarker& marker : m_markers) {
        new QTreeWidgetItem(m_markerList,
                            {QString::number(marker.number),
                             QString::number(log->elapsed[marker.row], 'f', 3),
                             QString::fromStdString(std::string(log->timestamp(marker.row)))});
    }
}

void LogAnalysisWindow::jumpToMarker(std::size_t index) {
    const MonitorLog* log = m_logWindow.log();
    if (log == nullptr || index >= m_markers.size()) {
        return;
    }
    const std::size_t row = m_markers[index].row;
    const double t = log->elapsed[row];
    const double from = m_logWindow.timeFrom();
    const double to = m_logWindow.timeTo();
    if (t < from || t > to) {
        m_logWindow.setTimeRange(t - (to - from) / 2, t + (to - from) / 2);
    }
    m_logWindow.setCursorRow(row);
}

void LogAnalysisWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    refresh();
}

void LogAnalysisWindow::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    m_cells->updateMap();
}

} // namespace kordana
