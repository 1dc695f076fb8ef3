#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace kordana {

/// The status line beside the tool bar: the status message `LabelHlaseni`, the progress gauge
/// `CGauge` and the no-connection label `LabelSpojeni`. What the link reports about a run ends
/// here; the widgets keep their names, so the language tables and tests find them.
class StatusLine : public QWidget {
    Q_OBJECT

public:
    explicit StatusLine(QWidget* parent = nullptr);

    /// The message `text`, on red for an error or on the window's normal colour.
    void showStatus(const QString& text, bool red);
    void setStatusVisible(bool visible);
    /// The print stamp `text` on white.
    void showStamp(const QString& text);
    /// Progress of a run, 0..19 (one step a block).
    void setProgress(int progress);
    void setGaugeVisible(bool visible);
    /// `LabelSpojeni`: shown while the unit is silent.
    void setNoConnection(bool shown);
    bool noConnectionShown() const;

private:
    QLabel* m_message = nullptr;
    QProgressBar* m_gauge = nullptr;
    QLabel* m_noConnection = nullptr;
};

} // namespace kordana
