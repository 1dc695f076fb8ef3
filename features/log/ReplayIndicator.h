#pragma once

#include <QLabel>
#include <QMouseEvent>

namespace kordana {

/// The status bar's "Replay" (objectName LabelReplay): shown while the cursor shows a log's
/// row; a click on it asks for the live values again.
class ReplayIndicator : public QLabel {
    Q_OBJECT

public:
    explicit ReplayIndicator(QWidget* parent) : QLabel("Replay", parent) {
        setObjectName("LabelReplay");
        setStyleSheet("color: white; background: #b000b0; font-weight: bold; padding: 0 4px");
        setCursor(Qt::PointingHandCursor);
        hide();
    }

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton) {
            emit clicked();
        }
        event->accept();
    }
};

} // namespace kordana
