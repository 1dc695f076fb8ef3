// The window's event hub: a monitor frame is decoded once for every listener, the tick and the
// page refresh reach the features, a replayed row stands in for the unit until the replay ends,
// and a commit reaches them as one set change with its cause.
#include "MapFixture.h"

#include "monitor/MonitorFrame.h"
#include "shell/EventHub.h"

#include <QTimer>

namespace kordana {
namespace {

using EventHubWindow = testing::FormFixture;
using EventHubEdit = testing::MapFixture;

Frame engineFrame(std::uint16_t rpm) {
    MonitorFrame frame{};
    frame.command = 0xB0;
    frame.engineSpeed = rpm;
    frame.throttleOpening = 40;
    frame.coolantByte = 180;
    frame.airByte = 125;
    frame.version = 51;
    return encodeMonitorFrame(frame);
}

TEST_F(EventHubWindow, AFrameIsDecodedOnceAndADamagedOneNotAtAll) {
    TFormHlav& f = createForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    std::vector<int> decoded;
    QObject::connect(&f.hub(), &EventHub::monitorFrameDecoded, &f,
                     [&](const MonitorFrame& frame) { decoded.push_back(frame.engineSpeed); });

    const std::uint64_t decodesBefore = monitorFrameDecodeCount();
    f.ShowMonitorFrame(engineFrame(3210));
    Frame damaged = engineFrame(4000);
    damaged[kFrameSize - 1] ^= 0x5A; // the check byte no longer matches
    f.ShowMonitorFrame(damaged);
    f.Timer1Timer(); // the panel, the cursor and the features use what was decoded
    EXPECT_EQ(monitorFrameDecodeCount() - decodesBefore, 2u) << "each frame decoded once";

    EXPECT_EQ(decoded, std::vector<int>{3210});
    EXPECT_EQ(f.liveValues().engineSpeed, 3210);
}

TEST_F(EventHubWindow, AReplayedRowHoldsWhileTheUnitSpeaksUntilTheReplayEnds) {
    TFormHlav& f = createForm();
    childNamed<QTimer>(f, "Timer1")->stop();
    int ticks = 0;
    std::vector<int> pages;
    QObject::connect(&f.hub(), &EventHub::tick, &f, [&] { ++ticks; });
    QObject::connect(&f.hub(), &EventHub::pageShown, &f, [&](int page) { pages.push_back(page); });
    f.ShowMonitorFrame(engineFrame(2000));

    MonitorLiveValues row;
    row.engineSpeed = 5500;
    f.hub().publishReplay(row);
    f.Timer1Timer();
    EXPECT_EQ(f.hub().liveValues().engineSpeed, 5500);
    EXPECT_EQ(f.liveValues().engineSpeed, 2000) << "the unit's own values stay apart";

    f.ShowMonitorFrame(engineFrame(2500));
    EXPECT_EQ(f.hub().liveValues().engineSpeed, 5500) << "a frame keeps the replayed row";
    EXPECT_EQ(f.hub().unitValues().engineSpeed, 2500);
    f.hub().endReplay();
    EXPECT_EQ(f.hub().liveValues().engineSpeed, 2500);
    f.PageRefresh();
    EXPECT_EQ(ticks, 1);
    EXPECT_EQ(pages, std::vector<int>{f.activePageIndex()});
}

TEST_F(EventHubEdit, OneEnterInACellIsOneUserEditOfThatByte) {
    openForm();
    form().session().runConsistencyPass(); // reports the fixture's mode bytes
    struct Heard {
        std::bitset<kImageSize> bytes;
        ChangeCause cause;
    };
    std::vector<Heard> heard;
    QObject::connect(&form().hub(), &EventHub::setChanged, &form(),
                     [&](const ChangeSet& changes, ChangeCause cause) {
                         heard.push_back({changes.bytes, cause});
                     });

    typeAndEnter(cell(4, 4), "60");

    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].cause, ChangeCause::UserEdit);
    std::bitset<kImageSize> cellByte;
    cellByte[layout::mapCell(0, 4, 4)] = true;
    EXPECT_EQ(heard[0].bytes, cellByte);
}

} // namespace
} // namespace kordana
