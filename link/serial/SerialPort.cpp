#include "link/serial/SerialPort.h"

#include <QFile>
#include <QFileInfo>
#include <QMetaObject>
#include <QSerialPort>

#include <unistd.h>

namespace kordana {

SerialPort::SerialPort() = default;

SerialPort::~SerialPort() {
    if (m_port) {
        QObject::disconnect(m_port.get(), nullptr, nullptr, nullptr);
        m_port->close();
    }
}

bool SerialPort::open(const QString& device) {
    close();
    ++m_generation;
    m_device = device;
    m_error.clear();
    m_failed = false;
    m_lost = false;
    auto port = std::make_unique<QSerialPort>();
    port->setPortName(device);
    port->setBaudRate(QSerialPort::Baud57600);
    port->setDataBits(QSerialPort::Data8);
    port->setParity(QSerialPort::NoParity);
    port->setStopBits(QSerialPort::OneStop);
    port->setFlowControl(QSerialPort::NoFlowControl);
    // QSerialPort opens exclusively (TIOCEXCL and a lock file) on its own.
    m_openFailure = OpenFailure::None;
    if (!port->open(QIODevice::ReadWrite)) {
        m_error = port->errorString();
        const QByteArray path = QFile::encodeName(device);
        const bool accessible =
            m_accessCheck ? m_accessCheck(device) : ::access(path.constData(), R_OK | W_OK) == 0;
        m_openFailure = classifyOpenFailure(QFileInfo::exists(device), accessible,
                                            port->error() == QSerialPort::PermissionError);
        return false;
    }
    port->clear(QSerialPort::AllDirections);
    QObject::connect(port.get(), &QSerialPort::errorOccurred, port.get(),
                     [this](QSerialPort::SerialPortError error) { onError(error); });
    QObject::connect(port.get(), &QSerialPort::readyRead, port.get(), [this] {
        if (m_onReadyRead) {
            m_onReadyRead();
        }
    });
    m_port = std::move(port);
    return true;
}

SerialPort::OpenFailure SerialPort::classifyOpenFailure(bool exists, bool accessible,
                                                        bool permissionError) {
    if (!exists) {
        return OpenFailure::NotPresent;
    }
    if (!accessible) {
        return OpenFailure::PermissionDenied;
    }
    // Allowed to use it and still refused: another program has it open.
    return permissionError ? OpenFailure::Busy : OpenFailure::Other;
}

void SerialPort::close() {
    m_lost = false;
    closeDevice();
}

void SerialPort::closeDevice() {
    if (!m_port) {
        return;
    }
    // Deleted on the event loop: close() may run inside one of the port's own signals.
    QSerialPort* port = m_port.release();
    QObject::disconnect(port, nullptr, nullptr, nullptr);
    if (port->isOpen()) {
        port->clear(QSerialPort::AllDirections);
        port->close();
    }
    port->deleteLater();
}

bool SerialPort::isOpen() const {
    return m_port && !m_failed && m_port->isOpen();
}

std::size_t SerialPort::bytesWaiting() {
    if (!isOpen()) {
        return 0;
    }
    return static_cast<std::size_t>(m_port->bytesAvailable());
}

std::size_t SerialPort::read(std::span<std::uint8_t> buffer) {
    if (!isOpen() || buffer.empty()) {
        return 0;
    }
    const qint64 n =
        m_port->read(reinterpret_cast<char*>(buffer.data()), static_cast<qint64>(buffer.size()));
    return n > 0 ? static_cast<std::size_t>(n) : 0;
}

bool SerialPort::write(std::span<const std::uint8_t> bytes) {
    if (!isOpen()) {
        return false;
    }
    const auto queued = static_cast<std::size_t>(m_port->bytesToWrite());
    if (queued + bytes.size() > kMaxQueuedWrite) {
        return false;
    }
    const qint64 n = m_port->write(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qint64>(bytes.size()));
    if (n < 0) {
        onError(QSerialPort::WriteError); // the system refused the bytes: the device is gone
    }
    return n == static_cast<qint64>(bytes.size());
}

void SerialPort::onError(int error) {
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::DeviceNotFoundError:
    case QSerialPort::PermissionError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        break;
    default:
        return; // timeouts and the like leave the device usable
    }
    if (m_failed) {
        return;
    }
    // The device is gone (a USB adapter pulled out, the far end of a pty closed): stop using it
    // at once and close it on the next turn of the event loop, outside QSerialPort's handler.
    m_failed = true;
    m_lost = true;
    m_error = QStringLiteral("The device is no longer available");
    const unsigned generation = m_generation;
    QMetaObject::invokeMethod(
        m_port.get(),
        [this, generation] {
            if (generation == m_generation) {
                closeDevice();
            }
        },
        Qt::QueuedConnection);
}

} // namespace kordana
