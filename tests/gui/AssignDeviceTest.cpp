// Com > Assign serial device... with a list of devices of the test's own, the hints of the
// "Com n" items, and the stable paths found in a folder of links.
#include "FormFixture.h"

#include "features/unit/AssignDeviceDialog.h"
#include "features/unit/UnitFeature.h"
#include "link/serial/SerialDevices.h"
#include "settings/IniFile.h"

#include <QAction>
#include <QFile>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>

namespace kordana {
namespace {

const QString kStable = "/dev/serial/by-id/usb-Acme_Cables_Serial_Lead_A1B2C3-if00-port0";

class AssignDevice : public testing::FormFixture {
protected:
    TFormHlav& form() {
        TFormHlav& f = createForm();
        // Not in location order, USB adapters mixed in with a built-in port.
        f.feature<UnitFeature>()->setSerialDeviceLister([this] {
            return std::vector<SerialDevice>{
                {"/dev/ttyS0", "", "", "", false, ""},
                {"/dev/ttyUSB1", "Acme Cables", "Serial Lead", "A1B2C3", true, kStable},
                {missing(), "Probe Works", "Bench Probe", "77", true, ""},
            };
        });
        return f;
    }
    QString missing() const { return m_dir.path() + "/ttyACM9"; }
    static QStringList row(const QTreeWidget* list, int i) {
        QStringList texts;
        for (int c = 0; c < list->columnCount(); ++c) {
            texts << list->topLevelItem(i)->text(c);
        }
        return texts;
    }
    /// Picks row `i` and COM number `com` in the open dialog, then OK.
    static void assign(AssignDeviceDialog& dialog, int i, int com) {
        dialog.list()->setCurrentItem(dialog.list()->topLevelItem(i));
        dialog.comNumber()->setValue(com);
        QTest::mouseClick(dialog.okButton(), Qt::LeftButton);
    }
};

TEST_F(AssignDevice, ListsUsbAdaptersFirstWithTheirStablePath) {
    TFormHlav& f = form();
    f.action("MenuAssignDevice")->trigger();
    AssignDeviceDialog& dialog = *f.feature<UnitFeature>()->assignDeviceDialog();
    ASSERT_TRUE(dialog.isVisible());
    const QTreeWidget* list = dialog.list();
    ASSERT_EQ(list->topLevelItemCount(), 3);
    EXPECT_EQ(row(list, 0),
              (QStringList{"/dev/ttyUSB1", "Acme Cables", "Serial Lead", "A1B2C3", kStable}));
    EXPECT_EQ(row(list, 1), (QStringList{missing(), "Probe Works", "Bench Probe", "77", ""}));
    EXPECT_EQ(row(list, 2), (QStringList{"/dev/ttyS0", "", "", "", ""}));
    EXPECT_EQ(dialog.comNumber()->value(), 1); // the port in use
    EXPECT_EQ(dialog.comNumber()->minimum(), 1);
    EXPECT_EQ(dialog.comNumber()->maximum(), 20);
}

TEST_F(AssignDevice, OkKeepsTheDeviceForItsComNumberAndTheHintSaysSo) {
    TFormHlav& f = form();
    EXPECT_EQ(f.action("MenuCom4")->statusTip(), "Opens /dev/ttyS3"); // the default rule
    EXPECT_EQ(f.action("MenuCom1")->statusTip(), "Opens " + QString::fromStdString(noDevice()));

    f.action("MenuAssignDevice")->trigger();
    assign(*f.feature<UnitFeature>()->assignDeviceDialog(), 0, 4);
    EXPECT_FALSE(f.feature<UnitFeature>()->assignDeviceDialog()->isVisible());
    // The stable path, not /dev/ttyUSB1, which may change on re-plugging.
    EXPECT_EQ(f.action("MenuCom4")->statusTip(), "Opens " + kStable);
    EXPECT_EQ(f.action("MenuCom4")->text(), "Com 4");

    // A device without a stable path is kept by its location.
    f.action("MenuAssignDevice")->trigger();
    assign(*f.feature<UnitFeature>()->assignDeviceDialog(), 1, 7);
    f.action("MenuGerman")->trigger();
    EXPECT_EQ(f.action("MenuCom7")->statusTip(), "Öffnet " + missing());
    EXPECT_EQ(f.action("MenuCom7")->text(), "Com 7");

    closeForm();
    const IniFile ini = IniFile::parse(readFile("Kordana_R_2006.ini"));
    EXPECT_EQ(ini.value("PORTS", "COM4"), kStable.toStdString());
    EXPECT_EQ(ini.value("PORTS", "COM7"), missing().toStdString());
    EXPECT_EQ(ini.value("PORTS", "COM1"), noDevice()); // the others as they were
}

TEST_F(AssignDevice, TheComPortInUseOpensAgainOnItsNewDevice) {
    TFormHlav& f = form();
    const std::size_t shown = messages.size();
    f.action("MenuAssignDevice")->trigger();
    assign(*f.feature<UnitFeature>()->assignDeviceDialog(), 0,
           2); // not the port in use: nothing opens
    EXPECT_EQ(messages.size(), shown);
    f.action("MenuAssignDevice")->trigger();
    assign(*f.feature<UnitFeature>()->assignDeviceDialog(), 1,
           1); // a device that is not there: the open fails
    ASSERT_EQ(messages.size(), shown + 1);
    EXPECT_EQ(messages.back(), "Com opening error!");
    EXPECT_TRUE(f.action("MenuCom1")->isChecked());
}

TEST(SerialDevicesTest, StablePathIsTheLinkThatResolvesToTheDevice) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString root = dir.path();
    for (const char* name : {"/ttyFAKE0", "/ttyFAKE1"}) {
        QFile device(root + name);
        ASSERT_TRUE(device.open(QIODevice::WriteOnly));
    }
    QDir().mkpath(root + "/by-id");
    QDir().mkpath(root + "/by-path");
    // Relative links, one through another link, as udev makes them.
    ASSERT_TRUE(QFile::link("../ttyFAKE0", root + "/by-path/pci-0000:00:14.0-usb-0:2:1.0"));
    ASSERT_TRUE(QFile::link("../by-path/pci-0000:00:14.0-usb-0:2:1.0",
                            root + "/by-id/usb-Acme_Cables_Serial_Lead_A1B2C3-if00-port0"));
    ASSERT_TRUE(QFile::link("../nothing-here", root + "/by-id/usb-Gone_Away_1-if00-port0"));

    std::vector<SerialDevice> devices{{root + "/ttyFAKE1", "", "", "", true, ""},
                                      {root + "/ttyFAKE0", "", "", "", true, ""}};
    attachStablePaths(devices, root + "/by-id");
    EXPECT_EQ(devices[0].stablePath, "");
    EXPECT_EQ(devices[1].stablePath, root + "/by-id/usb-Acme_Cables_Serial_Lead_A1B2C3-if00-port0");
}

} // namespace
} // namespace kordana
