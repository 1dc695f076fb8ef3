// The growing monitor log under a failing disk (an injected fault in the n-th write step).
#include "settings/AtomicFile.h"
#include "storage/MonitorLogFile.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace kordana {
namespace {

struct FaultGuard {
    ~FaultGuard() { fileWriteFault::failStep(0); }
};

TEST(MonitorLogFault, AFailedRowClosesTheLogAndKeepsTheRowsBefore) {
    QTemporaryDir dir;
    MonitorLogFile log;
    ASSERT_TRUE(log.openAt(dir.filePath("run.csv"), "time;rpm"));
    ASSERT_TRUE(log.append("0;1000"));
    FaultGuard guard;
    fileWriteFault::failStep(2);
    EXPECT_TRUE(log.append("1;1100"));
    EXPECT_FALSE(log.append("2;1200"));
    EXPECT_FALSE(log.isOpen());
    EXPECT_EQ(log.errorString(), QString("No space left on device"));
    EXPECT_FALSE(log.append("3;1300")) << "nothing is written after the failure";
    EXPECT_EQ(readWholeFile(dir.filePath("run.csv")), "time;rpm\n0;1000\n1;1100\n");
}

} // namespace
} // namespace kordana
