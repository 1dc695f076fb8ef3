// The technician's markers in a monitor log: the marker column a recording writes, the marked
// rows read back, and older logs without the column.
#include "monitor/LogMarkers.h"
#include "monitor/MonitorCsv.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

TEST(LogMarkers, TheMarkedRowsAndTheirNumbers) {
    struct Case {
        const char* name;
        std::string_view text;
        std::vector<LogMarker> markers;
    } const cases[] = {
        {"numbered",
         "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,marker\n"
         "T,0,1000,0,0\nT,1,1000,0,1\nT,2,1000,0,0\nT,3,1000,0,2\nT,4,1000,0,\nT,5,1000,0,3\n",
         {{1, 1}, {3, 2}, {5, 3}}},
        {"no marker set",
         "timestamp,elapsed_s,engine_speed_rpm,throttle_pct,marker\nT,0,1,2,0\n",
         {}},
        {"an older log",
         "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\nT,0,1,2\nT,1,1,2\n",
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const MonitorLogRead read = parseMonitorLog(c.text);
        ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
        EXPECT_EQ(markerRows(*read.log), c.markers);
    }
}

TEST(LogMarkers, TheRecordingWritesTheMarkerLast) {
    const std::string header = markedLogHeader();
    EXPECT_EQ(header.substr(0, 36), "timestamp,elapsed_s,engine_speed_rpm");
    EXPECT_EQ(header.substr(header.size() - 14), ",test_8,marker");
    MonitorFrame frame;
    frame.testValue[7] = 9;
    const std::string row = markedLogRow("T", 1500, frame, 4);
    EXPECT_EQ(row.substr(0, 8), "T,1.500,");
    EXPECT_EQ(row.substr(row.size() - 4), ",9,4");
    const MonitorLogRead read =
        parseMonitorLog(header + "\n" + markedLogRow("T", 0, frame, 0) + "\n" + row + "\n");
    ASSERT_TRUE(read.log) << monitorLogErrorText(read.error, 0);
    EXPECT_EQ(markerRows(*read.log), (std::vector<LogMarker>{{1, 4}}));
}

} // namespace
} // namespace kordana
