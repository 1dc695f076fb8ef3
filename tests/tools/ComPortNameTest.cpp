#include "link/serial/ComPortName.h"

#include <gtest/gtest.h>

#include <map>

namespace kordana {
namespace {

TEST(ComPortName, ParsesComNamesOnly) {
    const std::map<QString, std::optional<int>> cases = {{"COM1", 1},
                                                         {"com20", 20},
                                                         {"Com7", 7},
                                                         {"COM255", 255},
                                                         {"COM0", std::nullopt},
                                                         {"COM256", std::nullopt},
                                                         {"COM", std::nullopt},
                                                         {"COM01", std::nullopt},
                                                         {"COM-1", std::nullopt},
                                                         {"COM1 ", std::nullopt},
                                                         {"COMx", std::nullopt},
                                                         {"/dev/ttyUSB0", std::nullopt},
                                                         {"", std::nullopt},
                                                         {"XCOM1", std::nullopt},
                                                         {"COM1000", std::nullopt}};
    for (const auto& [name, expected] : cases) {
        EXPECT_EQ(parseComName(name), expected) << name.toStdString();
        EXPECT_EQ(looksLikeComName(name), expected.has_value()) << name.toStdString();
    }
}

TEST(ComPortName, ResolvesThroughThePortsSectionThenTheTtySConvention) {
    const std::map<QString, QString> ports = {
        {"COM1", "/tmp/ttyKORDANA"}, {"COM3", "  /dev/ttyUSB0 "}, {"COM4", ""}};
    const PortsLookup lookup = [&ports](const QString& key) {
        const auto it = ports.find(key);
        return it == ports.end() ? QString() : it->second;
    };
    EXPECT_EQ(resolveComPort(1, lookup), "/tmp/ttyKORDANA");
    EXPECT_EQ(resolveComPort(2, lookup), "/dev/ttyS1");
    EXPECT_EQ(resolveComPort(3, lookup), "/dev/ttyUSB0");
    EXPECT_EQ(resolveComPort(4, lookup), "/dev/ttyS3"); // an empty value counts as missing
    EXPECT_EQ(resolveComPort(20, lookup), "/dev/ttyS19");
    EXPECT_EQ(resolveComPort(20, nullptr), "/dev/ttyS19");
    EXPECT_TRUE(resolveComPort(0, lookup).isEmpty());
    EXPECT_TRUE(resolveComPort(256, lookup).isEmpty());

    EXPECT_EQ(resolvePortName("com1", lookup), "/tmp/ttyKORDANA");
    EXPECT_EQ(resolvePortName("/dev/pts/5", lookup), "/dev/pts/5");
}

} // namespace
} // namespace kordana
