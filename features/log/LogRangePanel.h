#pragma once

#include "analysis/LogRange.h"
#include "lang/LogToolTexts.h"
#include "monitor/MonitorLog.h"

#include <QWidget>

#include <functional>
#include <utility>

class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace kordana {

/// The range statistics of the log analysis: a time range (From, To, or the plot's visible
/// range), the minimum, maximum and mean of every channel over it, and the range exported as
/// a CSV log of its own.
class LogRangePanel : public QWidget {
    Q_OBJECT

public:
    explicit LogRangePanel(QWidget* parent);

    void setLog(const MonitorLog* log);
    /// Takes [from, to] (s) as the range.
    void setRange(double from, double to);
    analysis::RowRange rows() const { return m_rows; }
    /// The statistics shown, one per column of the log.
    const std::vector<analysis::ChannelStats>& statistics() const { return m_stats; }

    /// Asked for the plot's visible range ("Visible range").
    void setVisibleRangeSource(std::function<std::pair<double, double>()> source) {
        m_visible = std::move(source);
    }
    /// Asked for the file to export to (empty: cancelled); then told the outcome's text.
    void setExportHandlers(std::function<QString()> askPath,
                           std::function<void(const QString&)> report) {
        m_askPath = std::move(askPath);
        m_report = std::move(report);
    }
    /// Writes the range to `path` as a CSV log; false with the system's reason otherwise.
    bool exportRange(const QString& path, QString* reason) const;
    void applyTexts(const LogToolTexts& texts);

private:
    void build();
    void recompute();
    void exportClicked();

    const MonitorLog* m_log = nullptr;
    analysis::RowRange m_rows;
    std::vector<analysis::ChannelStats> m_stats;
    LogToolTexts m_texts;
    std::function<std::pair<double, double>()> m_visible;
    std::function<QString()> m_askPath;
    std::function<void(const QString&)> m_report;
    bool m_filling = false;

    QLabel* m_fromLabel = nullptr;
    QLabel* m_toLabel = nullptr;
    QDoubleSpinBox* m_from = nullptr;
    QDoubleSpinBox* m_to = nullptr;
    QPushButton* m_useVisible = nullptr;
    QLabel* m_rowCount = nullptr;
    QTableWidget* m_table = nullptr;
    QPushButton* m_export = nullptr;
};

} // namespace kordana
