#include "tools/cli/CliLine.h"

#include "link/LinkProtocol.h"
#include "link/serial/SerialPort.h"
#include "tools/cli/CliTickLoop.h"

namespace kordana {

namespace {

class SerialLine : public CliLine {
public:
    Port& port() override { return m_port; }
    bool usable() const override { return m_port.isOpen(); }
    std::string failure() const override {
        if (m_port.errorString().isEmpty()) {
            return {};
        }
        return m_port.device().toStdString() + ": " + m_port.errorString().toStdString();
    }
    // Replies are also taken in as they arrive; on the tick pace the link leaves them for the
    // tick.
    int runTicks(LinkProtocol& link, const AfterTick& afterTick) override {
        m_port.setReadyReadHandler([&link] { link.replyArrived(); });
        const int exitCode = runTickLoop(link, afterTick);
        m_port.setReadyReadHandler({});
        return exitCode;
    }

    SerialPort& serial() { return m_port; }

private:
    SerialPort m_port;
};

} // namespace

CliLineOpener serialLineOpener() {
    return [](const QString& device, std::string& why) -> std::unique_ptr<CliLine> {
        auto line = std::make_unique<SerialLine>();
        if (!line->serial().open(device)) {
            why = line->serial().errorString().toStdString();
            return nullptr;
        }
        return line;
    };
}

} // namespace kordana
