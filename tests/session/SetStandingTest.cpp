#include "session/SetStanding.h"

#include "params/ImageLayout.h"

#include <gtest/gtest.h>

namespace kordana {
namespace {

TEST(SetStanding, NothingKnownAtFirst) {
    const SetStanding standing;
    const ParameterImage image;
    EXPECT_EQ(standing.file(image, false), FileStanding::NotSaved);
    EXPECT_EQ(standing.unit(image), UnitStanding::Unknown);
}

TEST(SetStanding, FileComparesParameterBytesAndExtendedMonitor) {
    SetStanding standing;
    ParameterImage image;
    image[layout::kLimiter] = 180;
    standing.fileHolds(image, true);
    EXPECT_EQ(standing.file(image, true), FileStanding::Saved);
    EXPECT_EQ(standing.file(image, false), FileStanding::Changed);

    image[99] = 1; // the unit header is never a difference
    EXPECT_EQ(standing.file(image, true), FileStanding::Saved);
    image[1999] = 1;
    EXPECT_EQ(standing.file(image, true), FileStanding::Changed);
    image[1999] = 0;
    EXPECT_EQ(standing.file(image, true), FileStanding::Saved) << "changed back";

    standing.forgetFile();
    EXPECT_EQ(standing.file(image, true), FileStanding::Changed);
}

TEST(SetStanding, NotSavedUntilAFileIsNamed) {
    ParameterImage image;
    SetStanding named;
    named.forgetFile(); // an incomplete file was opened
    EXPECT_EQ(named.file(image, false), FileStanding::Changed);
    named.fileHolds(image, false);
    EXPECT_EQ(named.file(image, false), FileStanding::Saved);
    image[layout::kLimiter] = 1;
    EXPECT_EQ(named.file(image, false), FileStanding::Changed);
}

TEST(SetStanding, UnitComparesParameterBytes) {
    SetStanding standing;
    ParameterImage image;
    standing.unitHolds(image);
    EXPECT_EQ(standing.unit(image), UnitStanding::Same);
    image[0] = 7;
    EXPECT_EQ(standing.unit(image), UnitStanding::Same);
    image[100] = 7;
    EXPECT_EQ(standing.unit(image), UnitStanding::Differs);
    standing.forgetUnit();
    EXPECT_EQ(standing.unit(image), UnitStanding::Unknown);
}

} // namespace
} // namespace kordana
