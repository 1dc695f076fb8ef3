// An unplugged unit and its return: the window notices the lost port, tries the same device
// once a second without a word, and says when the port is back, against the simulated unit on
// a real pseudo-terminal reached through a link the test points at each new pty.
#include "UnitWindowFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/serial/PortWatch.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>

namespace kordana {
namespace {

class PortReconnect : public testing::UnitWindowFixture {
protected:
    // COM1 is a symbolic link to the simulator's pty, as /dev/serial/by-id is to a USB adapter.
    TFormHlav& startBehindLink() {
        EXPECT_TRUE(m_unit.start()) << m_unit.error();
        m_link = m_dir.path() + "/unit-tty";
        pointLinkAtUnit();
        writeSettings("[PORTS]\nCOM1=" + m_link.toStdString() + "\n[FORM_HLAV]\nComPort=1\n");
        TFormHlav& form = createForm();
        childNamed<QTimer>(form, "Timer1")->stop(); // the test ticks by hand
        return form;
    }

    // The unit pulled off the line: its pty goes, and with it the link to it, as a USB
    // adapter's by-id link does. A link left behind could lead to another program's pty that
    // took the freed number.
    void unplug() {
        m_unit.kill();
        QFile::remove(m_link);
    }

    void pointLinkAtUnit() {
        QFile::remove(m_link);
        ASSERT_TRUE(QFile::link(QString::fromStdString(m_unit.devicePath()), m_link));
    }

    // Ticks until the status line shows `text`. Between ticks the port's events are taken (an
    // error arrives through the event loop), waiting as a tick would only for a lost port's
    // error to arrive; a port being reopened needs no wait.
    static int ticksUntilStatus(TFormHlav& form, const QString& text, int maxTicks) {
        for (int i = 1; i <= maxTicks; ++i) {
            if (form.feature<UnitFeature>()->serialPort().isOpen()) {
                awaitUnit(form);
            } else {
                QCoreApplication::processEvents();
            }
            form.Timer1Timer();
            if (status(form) == text) {
                return i;
            }
        }
        return -1;
    }

    static QString status(TFormHlav& form) {
        return childNamed<QLabel>(form, "LabelHlaseni")->text();
    }

    QString m_link;
};

TEST_F(PortReconnect, UnpluggedUnitIsReportedLostAndReconnectedWhenItReturns) {
    TFormHlav& form = startBehindLink();
    ASSERT_TRUE(messages.empty());
    ASSERT_TRUE(form.feature<UnitFeature>()->serialPort().isOpen());

    unplug();
    ASSERT_GT(ticksUntilStatus(form, "Com port lost!", 40), 0);
    EXPECT_TRUE(childNamed<QLabel>(form, "LabelHlaseni")->isVisible());
    EXPECT_EQ(childNamed<QLabel>(form, "LabelHlaseni")->palette().color(QPalette::Window),
              QColor(Qt::red));

    // While the device is away the tries fail silently: no message box, the text stays.
    for (int i = 0; i < 3 * PortWatch::kRetryTicks; ++i) {
        form.Timer1Timer();
    }
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(status(form), "Com port lost!");
    EXPECT_FALSE(form.feature<UnitFeature>()->serialPort().isOpen());

    ASSERT_TRUE(m_unit.start()) << m_unit.error(); // plugged in again: a new pty, same path
    pointLinkAtUnit();
    const int ticks = ticksUntilStatus(form, "Com port reconnected", 2 * PortWatch::kRetryTicks);
    EXPECT_GT(ticks, 0);
    EXPECT_LE(ticks, PortWatch::kRetryTicks); // within a second of 55 ms ticks
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(form.feature<UnitFeature>()->serialPort().isOpen());

    // The reopened port carries a whole programming run.
    form.action("MenuProgram")->trigger();
    runToIdle(form);
    EXPECT_EQ(status(form), "Program device: OK");
}

TEST_F(PortReconnect, LostAndReconnectedInTheWindowsLanguage) {
    TFormHlav& form = startBehindLink();
    form.action("MenuCzech")->trigger();
    unplug();
    EXPECT_GT(ticksUntilStatus(form, "Port Com ztracen!", 40), 0);
    ASSERT_TRUE(m_unit.start()) << m_unit.error();
    pointLinkAtUnit();
    EXPECT_GT(ticksUntilStatus(form, "Port Com znovu připojen", 2 * PortWatch::kRetryTicks), 0);
}

TEST_F(PortReconnect, AnotherComPickedWhileLostEndsTheTries) {
    TFormHlav& form = startBehindLink();
    unplug();
    ASSERT_GT(ticksUntilStatus(form, "Com port lost!", 40), 0);
    writeSettings("");                  // the window keeps its own copy of the settings
    form.action("MenuCom2")->trigger(); // a device that does not exist
    ASSERT_EQ(messages.size(), 1u);
    ASSERT_TRUE(m_unit.start()) << m_unit.error();
    pointLinkAtUnit();
    for (int i = 0; i < 2 * PortWatch::kRetryTicks; ++i) {
        form.Timer1Timer();
    }
    EXPECT_FALSE(form.feature<UnitFeature>()
                     ->serialPort()
                     .isOpen()); // COM1's device was not taken back behind its back
    EXPECT_NE(status(form), "Com port reconnected");
}

} // namespace
} // namespace kordana
