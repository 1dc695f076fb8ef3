// Proposals from hand-computed analyses of the test set (AnalysisTestSet.h): fuel from wideband
// medians and narrowband steps, rounding and clamping, minimum samples, banks, locks, and the
// ignition retard per cylinder and for coupled maps.
#include "AnalysisTestSet.h"

#include "analysis/Proposal.h"
#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <tuple>
#include <vector>

namespace kordana::analysis {
namespace {

using test::hold;
using test::testSet;
using test::wideMv;

// page -> (before, after) of the changes of cell (row, column).
using CellChanges = std::map<unsigned, std::pair<unsigned, unsigned>>;

CellChanges changesAt(const Proposal& proposal, unsigned row, unsigned column) {
    CellChanges changes;
    for (const CellChange& c : proposal.changes) {
        if (c.row == row && c.column == column) {
            changes[c.page] = {c.before, c.after};
        }
    }
    return changes;
}

CellChanges allPages(unsigned first, unsigned last, unsigned before, unsigned after) {
    CellChanges changes;
    for (unsigned p = first; p <= last; ++p) {
        changes[p] = {before, after};
    }
    return changes;
}

AnalysisSettings wideband() {
    AnalysisSettings settings;
    settings.sensor = SensorModel::Wideband;
    settings.delayMs = 0;
    return settings;
}

Proposal proposalFor(const ParameterImage& image, const std::vector<AnalysisSample>& samples,
                     const AnalysisSettings& settings, const CellLocks& locks = {}) {
    const std::vector<std::vector<AnalysisSample>> runs{samples};
    return propose(image, analyze(image, settings, runs), settings, locks);
}

TEST(ProposalMath, MedianOfOddAndEvenCounts) {
    EXPECT_EQ(medianRatio(std::vector<double>{}), std::nullopt);
    EXPECT_EQ(medianRatio(std::vector<double>{1.2}), 1.2);
    EXPECT_EQ(medianRatio(std::vector<double>{1.3, 0.9, 1.1}), 1.1);
    EXPECT_NEAR(medianRatio(std::vector<double>{1.4, 1.0, 0.5, 1.2}).value_or(0), 1.1, 1e-12);
}

TEST(ProposalMath, FuelIsRoundedToTheByteAndKeptWithinAuthorityAndRange) {
    struct Case {
        unsigned stored;
        double factor;
        double authority;
        unsigned expected;
    };
    const Case cases[] = {
        {100, 1.10, 15, 110}, {100, 1.034, 15, 103}, {100, 1.036, 15, 104}, {37, 1.10, 15, 41},
        {100, 1.30, 15, 115}, {100, 0.70, 15, 85},   {10, 1.20, 15, 11},    {10, 0.80, 15, 9},
        {240, 1.10, 15, 250}, {0, 1.50, 15, 0},      {100, 1.10, 0, 100},   {200, 1.15, 15, 230},
        {100, 0.97, 2, 98},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.stored) + " x " + std::to_string(c.factor));
        EXPECT_EQ(proposedFuel(static_cast<std::uint8_t>(c.stored), c.factor, c.authority),
                  c.expected);
    }
}

TEST(ProposalMath, RetardStepsWithTheEventsUpToTheMaximum) {
    AnalysisSettings settings;
    const std::pair<unsigned, unsigned> cases[] = {{0, 0}, {1, 0}, {2, 1}, {3, 1},
                                                   {5, 2}, {6, 3}, {9, 3}, {40, 3}};
    for (const auto& [events, retard] : cases) {
        EXPECT_EQ(proposedRetard(settings, events), retard) << events;
    }
    settings.retardStepDeg = 2;
    settings.maxRetardDeg = 5;
    settings.knockEvents = 3;
    EXPECT_EQ(proposedRetard(settings, 6), 4u);
    EXPECT_EQ(proposedRetard(settings, 9), 5u);
}

TEST(ProposalFuel, AKnownLeanCellGetsItsRatioOnEveryInjectionMap) {
    // 9 used samples at lambda 1.10 against 1.00: 100 x 1.10 = 110.
    const Proposal p = proposalFor(testSet(), hold(10, 3000, 30, wideMv(1.10)), wideband());
    EXPECT_EQ(changesAt(p, 5, 4), allPages(3, 8, 100, 110));
    EXPECT_EQ(p.changes.size(), 6u);
    EXPECT_EQ(p.changes.front().samples, 9u);
}

TEST(ProposalFuel, TheMedianIgnoresOutliers) {
    // Lambdas (after the first sample, which has no history): 1.05 x 5, 1.45 x 2, 0.60 x 2.
    std::vector<AnalysisSample> samples = hold(10, 3000, 30, wideMv(1.05));
    samples[2].live.lambdaMv = wideMv(1.45);
    samples[3].live.lambdaMv = wideMv(1.45);
    samples[6].live.lambdaMv = wideMv(0.60);
    samples[7].live.lambdaMv = wideMv(0.60);
    const Proposal p = proposalFor(testSet(), samples, wideband());
    EXPECT_EQ(changesAt(p, 5, 4), allPages(3, 8, 100, 105));
}

TEST(ProposalFuel, RichAndLeanAreClampedByTheAuthority) {
    AnalysisSettings settings = wideband();
    const Proposal lean = proposalFor(testSet(), hold(10, 3000, 30, wideMv(1.40)), settings);
    EXPECT_EQ(changesAt(lean, 5, 4), allPages(3, 8, 100, 115));
    settings.authorityPct = 5;
    const Proposal rich = proposalFor(testSet(), hold(10, 3000, 30, wideMv(0.80)), settings);
    EXPECT_EQ(changesAt(rich, 5, 4), allPages(3, 8, 100, 95));
}

TEST(ProposalFuel, OnlyCellsWithTheMinimumSamplesAreProposed) {
    // n samples give n - 1 used ones.
    EXPECT_TRUE(proposalFor(testSet(), hold(8, 3000, 30, wideMv(1.1)), wideband()).changes.empty());
    EXPECT_EQ(proposalFor(testSet(), hold(9, 3000, 30, wideMv(1.1)), wideband()).changes.size(),
              6u);
    AnalysisSettings settings = wideband();
    settings.minSamples = 3;
    EXPECT_EQ(proposalFor(testSet(), hold(4, 3000, 30, wideMv(1.1)), settings).changes.size(), 6u);
}

TEST(ProposalFuel, NarrowbandStepsTowardTheTargetVoltage) {
    AnalysisSettings settings;
    settings.delayMs = 0;
    const std::tuple<std::uint16_t, unsigned> cases[] = {{700, 98}, {200, 102}, {450, 100}};
    for (const auto& [mv, after] : cases) {
        SCOPED_TRACE(mv);
        const Proposal p = proposalFor(testSet(), hold(10, 3000, 30, mv), settings);
        EXPECT_EQ(changesAt(p, 5, 4), after == 100 ? CellChanges{} : allPages(3, 8, 100, after));
    }
    // A row's own target and step: against 600 mV at 30 % (row 5), 500 mV is lean.
    settings.targetMv[5] = 600;
    settings.narrowStepPct = 5;
    const Proposal p = proposalFor(testSet(), hold(10, 3000, 30, 500), settings);
    EXPECT_EQ(changesAt(p, 5, 4), allPages(3, 8, 100, 105));
}

TEST(ProposalFuel, TheChosenBanksAloneChange) {
    AnalysisSettings settings = wideband();
    settings.banks = Banks::A;
    EXPECT_EQ(changesAt(proposalFor(testSet(), hold(10, 3000, 30, wideMv(1.1)), settings), 5, 4),
              allPages(3, 5, 100, 110));
    settings.banks = Banks::B;
    EXPECT_EQ(changesAt(proposalFor(testSet(), hold(10, 3000, 30, wideMv(1.1)), settings), 5, 4),
              allPages(6, 8, 100, 110));
}

TEST(ProposalFuel, TheSameRatioKeepsTheBankSplit) {
    ParameterImage image = testSet();
    for (std::size_t page = 6; page < 9; ++page) {
        image[layout::mapCell(page, 5, 4)] = 50;
    }
    const CellChanges changes =
        changesAt(proposalFor(image, hold(10, 3000, 30, wideMv(1.1)), wideband()), 5, 4);
    CellChanges expected = allPages(3, 5, 100, 110);
    expected.merge(allPages(6, 8, 50, 55));
    EXPECT_EQ(changes, expected);
}

TEST(ProposalLocks, ALockedCellIsNeverProposed) {
    CellLocks locks{};
    locks[4][15 * 5 + 4] = true;
    locks[0][15 * 5 + 4] = true;
    std::vector<AnalysisSample> samples = hold(10, 3000, 30, wideMv(1.1));
    for (AnalysisSample& s : samples) {
        s.knockAlarm = {true, true, true};
    }
    CellChanges expected = allPages(1, 2, 30, 27);
    expected.merge(allPages(3, 8, 100, 110));
    expected.erase(4);
    EXPECT_EQ(changesAt(proposalFor(testSet(), samples, wideband(), locks), 5, 4), expected);
}

TEST(ProposalLocks, InOneEqualsTwoEqualsThreeTheMastersLockHoldsItsSiblings) {
    ParameterImage image = testSet();
    image[layout::kMode + 1] = coupling::kSame;
    CellLocks locks{};
    locks[3][15 * 5 + 4] = true;
    EXPECT_EQ(
        changesAt(proposalFor(image, hold(10, 3000, 30, wideMv(1.1)), wideband(), locks), 5, 4),
        allPages(6, 8, 100, 110));
}

// Ten samples at 3000 rpm, 30 %: cylinder 1 knocks in 2 of them, cylinder 2 in 5, cylinder 3
// in none; the first sample (no history) knocks on every cylinder and is not counted.
std::vector<AnalysisSample> knocking() {
    std::vector<AnalysisSample> samples = hold(10, 3000, 30, wideMv(1.0));
    samples[0].knockAlarm = {true, true, true};
    for (const std::size_t i : {2u, 5u}) {
        samples[i].knockAlarm[0] = true;
    }
    for (const std::size_t i : {1u, 3u, 4u, 7u, 9u}) {
        samples[i].knockAlarm[1] = true;
    }
    return samples;
}

TEST(ProposalIgnition, EachCylinderIsRetardedByItsOwnKnock) {
    const Proposal p = proposalFor(testSet(), knocking(), wideband());
    EXPECT_EQ(changesAt(p, 5, 4), (CellChanges{{0, {30, 29}}, {1, {30, 28}}}));
    EXPECT_TRUE(p.clean[2][15 * 5 + 4]);
    EXPECT_FALSE(p.clean[0][15 * 5 + 4]);
    EXPECT_EQ(p.clean[2].count(), 1u);
}

TEST(ProposalIgnition, CoupledOneEqualsTwoEqualsThreeTakesTheLargestRetard) {
    ParameterImage image = testSet();
    image[layout::kMode] = coupling::kSame;
    const Proposal p = proposalFor(image, knocking(), wideband());
    EXPECT_EQ(changesAt(p, 5, 4), allPages(0, 2, 30, 28));
}

TEST(ProposalIgnition, NeverBelowZeroAndNeverAnAdvance) {
    ParameterImage image = testSet();
    image[layout::mapCell(1, 5, 4)] = 1;
    std::vector<AnalysisSample> samples = knocking();
    // A wide sweep besides, knocking now and then on every cylinder.
    for (std::size_t i = 0; i < 400; ++i) {
        AnalysisSample s = test::sample(2.0 + 0.125 * static_cast<double>(i),
                                        static_cast<std::uint16_t>(1000 + 20 * i),
                                        static_cast<std::uint8_t>(i % 100), wideMv(1.0));
        s.knockAlarm = {i % 3 == 0, i % 4 == 0, i % 5 == 0};
        samples.push_back(s);
    }
    const Proposal p = proposalFor(image, samples, wideband());
    EXPECT_EQ(changesAt(p, 5, 4)[1], std::make_pair(1u, 0u));
    for (const CellChange& c : p.changes) {
        if (c.page < 3) {
            EXPECT_LT(c.after, c.before);
            EXPECT_LE(c.before - c.after, 3);
        }
    }
}

TEST(ProposalApply, AppliedWritesEveryChangedCell) {
    const Proposal p = proposalFor(testSet(), knocking(), wideband());
    const ParameterImage after = applied(testSet(), p);
    EXPECT_EQ(after[layout::mapCell(0, 5, 4)], 29);
    EXPECT_EQ(after[layout::mapCell(1, 5, 4)], 28);
    EXPECT_EQ(after[layout::mapCell(2, 5, 4)], 30);
    EXPECT_EQ(after[layout::mapCell(0, 5, 5)], 30);
}

TEST(ProposalApply, TheSessionAcceptsItAsOneStep) {
    EditSession session;
    session.restore(testSet(), AllFlags{});
    session.clearUndoHistory();
    const Proposal p = proposalFor(testSet(), hold(10, 3000, 30, wideMv(1.1)), wideband());
    const std::vector<MapCellWrite> writes = cellWrites(p);
    session.applyCellProposal(writes);
    EXPECT_EQ(session.image()[layout::mapCell(4, 5, 4)], 110);
    EXPECT_EQ(session.image()[layout::mapCell(8, 5, 4)], 110);
    session.undo();
    EXPECT_EQ(session.image()[layout::mapCell(4, 5, 4)], 100);
    EXPECT_FALSE(session.canUndo());
}

} // namespace
} // namespace kordana::analysis
