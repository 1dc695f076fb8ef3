#pragma once

#include <QObject>

class QSocketNotifier;

namespace kordana {

/// Turns SIGTERM, SIGINT and SIGHUP into a Qt signal on the UI thread (self-pipe), so the
/// window can close in order instead of dying mid-write.
class SignalBridge : public QObject {
    Q_OBJECT

public:
    explicit SignalBridge(QObject* parent = nullptr);
    ~SignalBridge() override;

signals:
    void terminationRequested();

private:
    QSocketNotifier* m_notifier = nullptr;
};

} // namespace kordana
