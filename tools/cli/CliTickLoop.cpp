#include "tools/cli/CliTickLoop.h"

#include "link/LinkProtocol.h"

#include <QEventLoop>
#include <QTimer>

namespace kordana {

int runTickLoop(LinkProtocol& link, const std::function<std::optional<int>()>& afterTick) {
    int exitCode = 0;
    QEventLoop loop;
    QTimer timer;
    timer.setTimerType(Qt::PreciseTimer);
    timer.setInterval(kCliTickMs);
    QObject::connect(&timer, &QTimer::timeout, &loop, [&] {
        link.tick();
        if (const auto code = afterTick()) {
            exitCode = *code;
            timer.stop();
            loop.quit();
        }
    });
    timer.start();
    loop.exec();
    return exitCode;
}

} // namespace kordana
