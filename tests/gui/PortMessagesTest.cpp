// A port that does not open: the specified box over the window (never before it), with the
// device and the reason under it and in the status bar.
#include "FormFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/serial/SerialPort.h"

#include <QAction>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QStatusBar>

namespace kordana {
namespace {

using PortMessages = testing::FormFixture;

TEST_F(PortMessages, AtStartTheWindowComesFirstAndTheBoxThen) {
    writeSettings("[PORTS]\nCOM1=" + noDevice() + "\n");
    std::vector<bool> windowShownAtBox;
    auto desktop = std::make_unique<testing::TestDesktop>(messages, nextAnswer);
    desktop->onMessage = [&](QWidget* parent) {
        windowShownAtBox.push_back(parent != nullptr && parent->window()->isVisible());
    };
    desktop->detailLog = &messageDetails;
    m_form = std::make_unique<TFormHlav>(QStringList{}, m_configDir, std::move(desktop));
    TFormHlav& f = *m_form;
    f.FormCreate();
    EXPECT_TRUE(messages.empty()) << "no box before the window";
    const QString device = QString::fromStdString(noDevice());
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(),
              "Com opening error! " + device + ": not present");

    f.show();
    EXPECT_TRUE(messages.empty()) << "nor while it is only being shown";
    QCoreApplication::sendPostedEvents(&f, QEvent::MetaCall);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Com opening error!");
    ASSERT_EQ(windowShownAtBox.size(), 1u);
    EXPECT_TRUE(windowShownAtBox[0]);
    ASSERT_EQ(messageDetails.size(), 1u);
    EXPECT_EQ(messageDetails[0].details, device + ": not present");
    EXPECT_EQ(childNamed<QLabel>(f, "LabelConnection")->text(),
              "COM1 " + device + "  |  port not open");

    // Later, with the window up, a failing port shows its box at once.
    f.action("MenuCom2")->trigger();
    EXPECT_EQ(messages.size(), 2u);
}

TEST_F(PortMessages, AFileThisUserMayNotOpenIsAPermissionDenialWithTheDialoutHint) {
    // COM2 leads to a file without read or write permission for anyone.
    const QString locked = m_dir.path() + "/ttyLocked";
    {
        QFile file(locked);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(QFile::setPermissions(locked, {}));
    writeSettings("[PORTS]\nCOM1=" + noDevice() + "\nCOM2=" + locked.toStdString() + "\n");
    TFormHlav& f = createForm();
    // The tests may run as root, whom no permission stops: the check answers from the file's
    // permission bits, as the system does for any other user.
    f.feature<UnitFeature>()->serialPort().setAccessCheck([](const QString& device) {
        const auto wanted = QFileDevice::ReadOwner | QFileDevice::WriteOwner;
        return (QFileInfo(device).permissions() & wanted) == wanted;
    });
    messages.clear();
    messageDetails.clear();
    f.action("MenuCom2")->trigger();

    const QString reason = locked + ": permission denied (add the user to the dialout group)";
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Com opening error!");
    ASSERT_EQ(messageDetails.size(), 1u);
    EXPECT_EQ(messageDetails[0].details, reason);
    EXPECT_EQ(childNamed<QStatusBar>(f, "StatusBar1")->currentMessage(),
              "Com opening error! " + reason);
    EXPECT_EQ(childNamed<QLabel>(f, "LabelConnection")->text(),
              "COM2 " + locked + "  |  port not open");
    EXPECT_EQ(f.feature<UnitFeature>()->serialPort().openFailure(),
              SerialPort::OpenFailure::PermissionDenied);
}

} // namespace
} // namespace kordana
