#pragma once

#include "analysis/LogRange.h"
#include "lang/LogToolTexts.h"
#include "monitor/LogMarkers.h"

#include <QWidget>

#include <cstdint>
#include <vector>

class QComboBox;
class QLabel;
class QSpinBox;
class QTabWidget;
class QTreeWidget;

namespace kordana {

class LogCellPanel;
class LogHistogramView;
class LogRangePanel;
class LogScatterView;
class LogWindow;
class Shell;

/// The window "Log analysis" (objectName FormLogAnalysis, not modal) of the log shown in the
/// log window: a scatter of any two channels coloured by a third, the per-cell table of a
/// map, a channel's histogram, all over the plot's visible range; the statistics of a chosen
/// range with its export; and the log's markers, a click on one putting the time cursor there.
class LogAnalysisWindow : public QWidget {
    Q_OBJECT

public:
    LogAnalysisWindow(Shell& shell, LogWindow& logWindow, QWidget* parent);

    /// Reads the log window's log again (a log was opened).
    void takeLog();
    /// Follows the plot's visible range.
    void showRange(double from, double to);
    /// The active page changed: a map page becomes the map of the table and the scatter's grid.
    void followPage(int page);
    void applyLanguage(std::uint8_t index);

    /// Chooses the scatter's channels by column name (empty colour: none).
    void chooseScatter(const std::string& x, const std::string& y, const std::string& colour);
    /// Puts the time cursor on marker `index` of the log's markers.
    void jumpToMarker(std::size_t index);
    const std::vector<LogMarker>& markers() const { return m_markers; }

    LogScatterView* scatter() const { return m_scatter; }
    LogHistogramView* histogramView() const { return m_histogram; }
    LogCellPanel* cells() const { return m_cells; }
    LogRangePanel* range() const { return m_range; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* buildScatterTab();
    QWidget* buildHistogramTab();
    QWidget* buildMarkersTab();
    void fillChannels();
    void showScatter();
    void showHistogram();
    void showMarkers();
    void refresh();
    int scatterMapPage() const;

    Shell& m_shell;
    LogWindow& m_logWindow;
    analysis::RowRange m_visible;
    std::vector<LogMarker> m_markers;
    LogToolTexts m_texts;
    int m_mapPage = 0;
    bool m_filling = false;

    QTabWidget* m_tabs = nullptr;
    QLabel* m_xLabel = nullptr;
    QLabel* m_yLabel = nullptr;
    QLabel* m_colourLabel = nullptr;
    QComboBox* m_x = nullptr;
    QComboBox* m_y = nullptr;
    QComboBox* m_colour = nullptr;
    QLabel* m_points = nullptr;
    LogScatterView* m_scatter = nullptr;
    LogCellPanel* m_cells = nullptr;
    QLabel* m_histogramLabel = nullptr;
    QComboBox* m_histogramChannel = nullptr;
    QLabel* m_binsLabel = nullptr;
    QSpinBox* m_bins = nullptr;
    LogHistogramView* m_histogram = nullptr;
    LogRangePanel* m_range = nullptr;
    QTreeWidget* m_markerList = nullptr;
};

} // namespace kordana
