// The program closes in order on SIGTERM, SIGINT and SIGHUP: settings and image cache are
// written as on Exit, also while the start-up's "Com opening error!" box is open.
#include "settings/AtomicFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace kordana {
namespace {

QString programPath() {
    const QByteArray dir = qgetenv("KORDANA_BIN_DIR");
    if (!dir.isEmpty()) {
        return QString::fromLocal8Bit(dir) + "/kordana";
    }
    return QFileInfo("/proc/self/exe").symLinkTarget().section('/', 0, -2) + "/kordana";
}

/// True once the process catches `sig` (its handler is installed), read from /proc.
bool catches(qint64 pid, int sig) {
    QFile status(QString("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) {
        return false;
    }
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("SigCgt:")) {
            bool ok = false;
            const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
            return ok && (mask & (1ull << (sig - 1))) != 0;
        }
    }
    return false;
}

class ProgramSignal : public ::testing::TestWithParam<int> {};

TEST_P(ProgramSignal, ClosesInOrderAndSavesSettingsAndCache) {
    QTemporaryDir config;
    ASSERT_TRUE(QDir().mkpath(config.path() + "/kordana"));
    ASSERT_TRUE(
        writeFileAtomically(config.path() + "/kordana/Kordana_R_2006.ini",
                            "[PORTS]\nCOM1=" + config.path().toStdString() + "/none\nCOM2=x\n"));
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", config.path());
    env.insert("QT_QPA_PLATFORM", "offscreen");
    program.setProcessEnvironment(env);
    program.start(programPath(), {});
    ASSERT_TRUE(program.waitForStarted(10000));
    // Wait (bounded) until the program has installed its handlers, then signal it.
    for (int i = 0; i < 1000 && !catches(program.processId(), GetParam()); ++i) {
        program.waitForFinished(10);
    }
    ASSERT_TRUE(catches(program.processId(), GetParam()));
    ::kill(static_cast<pid_t>(program.processId()), GetParam());
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    const auto ini = readWholeFile(config.path() + "/kordana/Kordana_R_2006.ini");
    ASSERT_TRUE(ini.has_value());
    EXPECT_NE(ini->find("PageControl1->ActivePageIndex=0"), std::string::npos);
    EXPECT_NE(ini->find("COM2="), std::string::npos); // unknown keys survive
    const auto cache = readWholeFile(config.path() + "/kordana/_Kordana_R_2006.ini");
    ASSERT_TRUE(cache.has_value());
    EXPECT_GT(cache->size(), 12000u);
}

INSTANTIATE_TEST_SUITE_P(Signals, ProgramSignal, ::testing::Values(SIGTERM, SIGINT, SIGHUP));

} // namespace
} // namespace kordana
