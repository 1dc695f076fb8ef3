// The status bar's connection field: the port and its device, the link's state, the unit's
// identity and programming count; and why a port did not open.
#include "UnitWindowFixture.h"

#include "features/unit/ConnectionField.h"
#include "lang/MessageTexts.h"

#include <QAction>
#include <QLabel>

#include <csignal>

namespace kordana {
namespace {

TEST(ConnectionText, SaysThePortTheStateAndWhileConnectedTheUnit) {
    const MessageTexts english = messageTextsFor(0);
    const MessageTexts german = messageTextsFor(1);
    const UnitHeaderTexts header{"KRD07 ", " 7. 5.2006", "09:05"};
    const struct {
        ConnectionFacts facts;
        const MessageTexts* texts;
        const char* shown;
    } cases[] = {
        {{1, "/dev/ttyUSB0", LinkState::NotOpen, {}, {}},
         &english,
         "COM1 /dev/ttyUSB0  |  port not open"},
        {{3, "/dev/ttyS2", LinkState::Closed, {}, {}}, &english, "COM3 /dev/ttyS2  |  closed"},
        {{1, "/dev/ttyUSB0", LinkState::NoAnswer, header, 27},
         &english,
         "COM1 /dev/ttyUSB0  |  no answer"},
        {{1, "/dev/ttyUSB0", LinkState::Connected, header, 27},
         &english,
         "COM1 /dev/ttyUSB0  |  connected  |  KRD07  7. 5.2006  |  programmings: 27"},
        {{1, "/dev/ttyUSB0", LinkState::Connected, {}, {}},
         &german,
         "COM1 /dev/ttyUSB0  |  verbunden"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(connectionText(c.facts, *c.texts), c.shown);
    }
}

TEST(PortOpenFailure, NamesTheDeviceAndTheReason) {
    using Failure = SerialPort::OpenFailure;
    const MessageTexts english = messageTextsFor(0);
    const struct {
        bool exists;
        bool accessible;
        bool permissionError;
        Failure failure;
        const char* detail;
    } cases[] = {
        {false, false, false, Failure::NotPresent, "/dev/ttyUSB0: not present"},
        {true, false, true, Failure::PermissionDenied,
         "/dev/ttyUSB0: permission denied (add the user to the dialout group)"},
        {true, true, true, Failure::Busy, "/dev/ttyUSB0: in use by another program"},
        {true, true, false, Failure::Other, "/dev/ttyUSB0"},
    };
    for (const auto& c : cases) {
        const Failure failure =
            SerialPort::classifyOpenFailure(c.exists, c.accessible, c.permissionError);
        EXPECT_EQ(failure, c.failure);
        EXPECT_EQ(portOpenFailureText("/dev/ttyUSB0", static_cast<int>(failure), english),
                  c.detail);
    }
}

using ConnectionField = testing::UnitWindowFixture;

TEST_F(ConnectionField, FollowsTheUnitThroughOpenReadAndAnotherPort) {
    // COM1 the simulated unit, COM2 a device that is not there.
    ASSERT_TRUE(m_unit.start()) << m_unit.error();
    writeSettings("[PORTS]\nCOM1=" + m_unit.devicePath() + "\nCOM2=" + noDevice() +
                  "\n[FORM_HLAV]\nComPort=1\n");
    TFormHlav& f = createForm();
    childNamed<QTimer>(f, "Timer1")->stop(); // ticked by hand
    auto* field = childNamed<QLabel>(f, "LabelConnection");
    const QString port = "COM1 " + QString::fromStdString(m_unit.devicePath());
    EXPECT_EQ(field->text(), port + "  |  no answer");

    f.action("MenuRead")->trigger();
    runToIdle(f);
    for (int i = 0; i < 12; ++i) { // a monitor exchange every sixth idle tick
        f.Timer1Timer();
        awaitUnit(f);
    }
    EXPECT_TRUE(field->text().startsWith(port + "  |  connected  |  "))
        << field->text().toStdString();
    EXPECT_TRUE(field->text().contains("  |  programmings: ")) << field->text().toStdString();

    // COM2 leads to no device: the specified box, the device and the reason with it.
    messages.clear();
    messageDetails.clear();
    f.action("MenuCom2")->trigger();
    EXPECT_EQ(field->text(), "COM2 " + QString::fromStdString(noDevice()) + "  |  port not open");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Com opening error!");
    ASSERT_EQ(messageDetails.size(), 1u);
    EXPECT_EQ(messageDetails[0].details, QString::fromStdString(noDevice()) + ": not present");
}

TEST_F(ConnectionField, SaysNoAnswerWhileTheUnitIsSilentAndConnectedAfterReopening) {
    TFormHlav& f = startWithUnit();
    auto* field = childNamed<QLabel>(f, "LabelConnection");
    const QString port = "COM1 " + QString::fromStdString(m_unit.devicePath());
    const auto tickUntil = [&](const QString& prefix, bool awaitReplies) {
        for (int i = 0; i < 120 && !field->text().startsWith(prefix); ++i) {
            f.Timer1Timer();
            if (awaitReplies) {
                awaitUnit(f);
            }
        }
        return field->text().startsWith(prefix);
    };
    EXPECT_EQ(field->text(), port + "  |  no answer"); // opened, nothing heard yet
    EXPECT_TRUE(tickUntil(port + "  |  connected", true)) << field->text().toStdString();

    // The unit stops answering (stopped, its line still there): the link gives up on it.
    ASSERT_EQ(::kill(m_unit.pid(), SIGSTOP), 0);
    EXPECT_TRUE(tickUntil(port + "  |  no answer", false)) << field->text().toStdString();
    EXPECT_EQ(field->text(), port + "  |  no answer");
    ASSERT_EQ(::kill(m_unit.pid(), SIGCONT), 0);

    // Opened again from the Com menu: no answer until the unit is heard, then connected.
    f.action("MenuCom1")->trigger();
    EXPECT_EQ(field->text(), port + "  |  no answer");
    EXPECT_TRUE(tickUntil(port + "  |  connected", true)) << field->text().toStdString();
}

} // namespace
} // namespace kordana
