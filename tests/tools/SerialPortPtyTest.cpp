#include "link/serial/SerialPort.h"

#include "link/Frame.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <sys/stat.h>

#include <vector>

namespace kordana {
namespace {

using Data = std::array<std::uint8_t, kFrameDataSize>;

QCoreApplication& application() {
    static int argc = 1;
    static char name[] = "tests_tools";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

// Runs the event loop until `enough` says so, for at most `rounds` turns of about 5 ms each
// (a wall-clock cap guards against a loop that never wakes).
template <typename Enough>
bool pumpUntil(Enough enough, int rounds = 400) {
    QTimer wake;
    wake.start(5);
    QElapsedTimer cap;
    cap.start();
    for (int i = 0; i < rounds && cap.elapsed() < 10000; ++i) {
        if (enough()) {
            return true;
        }
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return enough();
}

// Sends one frame and returns the reply, or nothing if none came within the rounds.
std::optional<Frame> ask(SerialPort& port, const Frame& request, int rounds = 400) {
    if (!port.write(request)) {
        return std::nullopt;
    }
    if (!pumpUntil([&port] { return port.bytesWaiting() >= kFrameSize; }, rounds)) {
        return std::nullopt;
    }
    Frame reply{};
    EXPECT_EQ(port.read(reply), kFrameSize);
    return reply;
}

Data pattern(std::uint8_t seed) {
    Data data{};
    for (std::size_t i = 0; i < data.size(); ++i) {
        data[i] = static_cast<std::uint8_t>(seed * 31 + i);
    }
    return data;
}

Data dataOf(const Frame& frame) {
    Data data{};
    std::copy_n(frame.begin() + 1, kFrameDataSize, data.begin());
    return data;
}

class SerialPortPty : public ::testing::Test {
protected:
    void SetUp() override { application(); }

    void startUnit(const std::vector<std::string>& args = {}) {
        ASSERT_TRUE(m_unit.start(args)) << m_unit.error();
        ASSERT_TRUE(m_port.open(QString::fromStdString(m_unit.devicePath())))
            << m_port.errorString().toStdString();
    }

    UnitSimProcess m_unit;
    SerialPort m_port;
};

TEST_F(SerialPortPty, ProgramReadAndMonitorOverAPseudoTerminal) {
    startUnit();
    for (std::uint8_t n = 1; n < 20; ++n) {
        const auto echo = ask(m_port, makeFrame(n, pattern(n)));
        ASSERT_TRUE(echo) << "block " << int{n};
        EXPECT_TRUE(frameIntact(*echo));
        EXPECT_EQ((*echo)[0], 0x80 + n);
        EXPECT_EQ(dataOf(*echo), pattern(n));
    }
    for (std::uint8_t n = 1; n < 20; ++n) {
        const auto read = ask(m_port, makeFrame(static_cast<std::uint8_t>(0x40 + n)));
        ASSERT_TRUE(read);
        EXPECT_EQ((*read)[0], 0xC0 + n);
        EXPECT_EQ(dataOf(*read), pattern(n));
    }
    const auto header = ask(m_port, makeFrame(0x40));
    ASSERT_TRUE(header);
    EXPECT_EQ((*header)[1 + 10], 51);
    const auto monitor = ask(m_port, makeFrame(kCmdMonitor));
    ASSERT_TRUE(monitor);
    EXPECT_TRUE(frameIntact(*monitor));
    EXPECT_EQ((*monitor)[0], 0xB0);
    EXPECT_EQ((*monitor)[62], 51);
}

TEST_F(SerialPortPty, TheDeviceKeepsWorkingAcrossCloseAndReopen) {
    startUnit();
    ASSERT_TRUE(ask(m_port, makeFrame(0x03, pattern(3))));
    m_port.close();
    EXPECT_FALSE(m_port.isOpen());
    EXPECT_FALSE(m_port.write(makeFrame(kCmdMonitor)));
    pumpUntil([] { return false; }, 4);
    ASSERT_TRUE(m_port.open(QString::fromStdString(m_unit.devicePath())));
    const auto read = ask(m_port, makeFrame(0x43));
    ASSERT_TRUE(read);
    EXPECT_EQ(dataOf(*read), pattern(3));
}

TEST_F(SerialPortPty, FaultOptionsReachTheServedUnit) {
    startUnit({"--read-protect", "--layout-version", "50", "--bad-echo", "2"});
    const auto header = ask(m_port, makeFrame(0x40));
    ASSERT_TRUE(header);
    EXPECT_EQ((*header)[1 + 9], 0);
    EXPECT_EQ((*header)[1 + 10], 50);
    const auto echo = ask(m_port, makeFrame(0x02, pattern(2)));
    ASSERT_TRUE(echo);
    EXPECT_TRUE(frameIntact(*echo));
    EXPECT_NE(dataOf(*echo), pattern(2));
}

TEST_F(SerialPortPty, ADelayedUnitAnswersLateButWhole) {
    startUnit({"--delay", "120"});
    QElapsedTimer sent;
    sent.start();
    const auto reply = ask(m_port, makeFrame(0x44));
    ASSERT_TRUE(reply);
    EXPECT_GE(sent.elapsed(), 110); // the unit holds the reply back; no upper bound asserted
    EXPECT_TRUE(frameIntact(*reply));
    EXPECT_EQ((*reply)[0], 0xC4);
}

TEST_F(SerialPortPty, ASilentUnitNeverAnswers) {
    startUnit({"--silent"});
    EXPECT_FALSE(ask(m_port, makeFrame(kCmdMonitor), 40));
    EXPECT_EQ(m_port.bytesWaiting(), 0u);
}

TEST_F(SerialPortPty, AVanishedDeviceClosesThePortQuietly) {
    startUnit();
    ASSERT_TRUE(ask(m_port, makeFrame(kCmdMonitor)));
    m_unit.kill();
    // The first write after the far end went may still be queued; the port then notices the
    // hang-up and shuts itself.
    m_port.write(makeFrame(kCmdMonitor));
    EXPECT_TRUE(pumpUntil([this] { return !m_port.isOpen(); }));
    EXPECT_FALSE(m_port.errorString().isEmpty());
    EXPECT_EQ(m_port.bytesWaiting(), 0u);
    EXPECT_FALSE(m_port.write(makeFrame(kCmdMonitor)));
    std::array<std::uint8_t, kFrameSize> buffer{};
    EXPECT_EQ(m_port.read(buffer), 0u);
    EXPECT_FALSE(pumpUntil([this] { return m_port.bytesWaiting() > 0; }, 20));
}

TEST_F(SerialPortPty, AStalledDeviceDropsWritesInsteadOfBlocking) {
    startUnit();
    ::kill(m_unit.pid(), SIGSTOP);
    bool refused = false;
    for (int i = 0; i < 4000 && !refused; ++i) {
        refused = !m_port.write(makeFrame(kCmdMonitor));
        QCoreApplication::processEvents();
    }
    EXPECT_TRUE(refused);
    EXPECT_TRUE(m_port.isOpen());
    ::kill(m_unit.pid(), SIGCONT);
}

TEST(SerialPortOpen, AMissingDeviceFailsAndEveryLaterCallDoesNothing) {
    application();
    SerialPort port;
    EXPECT_FALSE(port.open("/dev/kordana-no-such-device"));
    EXPECT_FALSE(port.errorString().isEmpty());
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(port.bytesWaiting(), 0u);
    EXPECT_FALSE(port.write(makeFrame(kCmdMonitor)));
    std::array<std::uint8_t, 4> buffer{};
    EXPECT_EQ(port.read(buffer), 0u);
    port.close();
}

TEST(UnitSimProgram, MakesAndRemovesItsLinkAndStopsOnRequest) {
    const std::string link = ::testing::TempDir() + "kordana-sim-link-" + std::to_string(getpid());
    UnitSimProcess unit;
    ASSERT_TRUE(unit.start({"--link", link})) << unit.error();
    std::string target(256, '\0');
    const ssize_t n = readlink(link.c_str(), target.data(), target.size());
    ASSERT_GT(n, 0);
    target.resize(static_cast<std::size_t>(n));
    EXPECT_EQ(target, unit.devicePath());
    EXPECT_EQ(unit.stop(), 0);
    struct stat st {};
    EXPECT_NE(lstat(link.c_str(), &st), 0);
}

TEST(UnitSimProgram, EndsWhenTheWatchedProcessEnds) {
    UnitSimProcess watched;
    // Any long-lived process will do as the one to watch: a silent simulator.
    ASSERT_TRUE(watched.start({"--silent"})) << watched.error();
    UnitSimProcess unit;
    ASSERT_TRUE(unit.start({"--ppid", std::to_string(watched.pid())})) << unit.error();
    EXPECT_TRUE(unit.running());
    watched.kill();
    bool ended = false;
    for (int i = 0; i < 300 && !ended; ++i) { // the program checks about every 200 ms
        ended = !unit.running();
        if (!ended) {
            poll(nullptr, 0, 10);
        }
    }
    EXPECT_TRUE(ended);
}

TEST(UnitSimProgram, RefusesBadOptions) {
    UnitSimProcess unit;
    EXPECT_FALSE(unit.start({"--drop", "300"}));
    EXPECT_FALSE(unit.error().empty());
}

} // namespace
} // namespace kordana
