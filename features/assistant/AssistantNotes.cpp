#include "features/assistant/AssistantNotes.h"

#include "features/assistant/AssistantTally.h"
#include "lang/AssistantTexts.h"

#include <algorithm>
#include <cmath>

namespace kordana {

namespace {

const QColor kRicher(0, 70, 200);
const QColor kLeaner(200, 0, 0);
const QColor kClean(0, 120, 0);
const QColor kThin(110, 110, 110);

QString fuelTip(const analysis::FuelCell& cell, const analysis::AnalysisSettings& settings,
                const AssistantTexts& texts) {
    QString tip = assistantText(texts.tipSamples).arg(cell.samples);
    if (cell.samples == 0) {
        return tip;
    }
    if (settings.sensor == analysis::SensorModel::Wideband) {
        return tip + "\n" + assistantText(texts.tipMeanLambda).arg(cell.meanLambda(), 0, 'f', 3);
    }
    return tip + "\n" + assistantText(texts.tipMeanLambdaMv).arg(std::lround(cell.meanMv()));
}

QString knockTip(const analysis::KnockCell& cell, const AssistantTexts& texts) {
    QString tip = assistantText(texts.tipSamples).arg(cell.samples);
    if (cell.samples == 0) {
        return tip;
    }
    return tip + "\n" + assistantText(texts.tipKnockEvents).arg(cell.events) + "\n" +
           assistantText(texts.tipPeakKnock).arg(cell.peakMv) + "\n" +
           assistantText(texts.tipMeanKnock).arg(std::lround(cell.meanMv()));
}

struct CellFacts {
    std::uint32_t samples = 0;
    QString tip;
};

CellFacts factsOf(int page, std::size_t cell, const analysis::AnalysisResult& result,
                  const analysis::AnalysisSettings& settings, const AssistantTexts& texts) {
    if (page < static_cast<int>(analysis::kFirstJetPage)) {
        const analysis::KnockCell& knock = result.ignition[static_cast<std::size_t>(page)][cell];
        return {knock.samples, knockTip(knock, texts)};
    }
    const analysis::FuelCell& fuel = result.fuelMap(static_cast<std::size_t>(page))[cell];
    return {fuel.samples, fuelTip(fuel, settings, texts)};
}

} // namespace

QString changeText(int page, int before, int after) {
    if (page < static_cast<int>(analysis::kFirstJetPage)) {
        return QString("%1%2°").arg(after >= before ? "+" : "").arg(after - before);
    }
    const long percent =
        before == 0 ? 0 : std::lround(100.0 * (after - before) / static_cast<double>(before));
    return QString("%1%2 %").arg(percent >= 0 ? "+" : "").arg(percent);
}

std::vector<CellNote> assistantNotes(int page, const analysis::AnalysisResult& result,
                                     const analysis::Proposal& proposal,
                                     const analysis::AnalysisSettings& settings,
                                     const analysis::CellLocks& locks, std::uint8_t languageIndex) {
    std::vector<CellNote> notes;
    if (page < 0 || page >= static_cast<int>(kMapPageCount)) {
        return notes;
    }
    const auto at = static_cast<std::size_t>(page);
    const AssistantTexts texts = assistantTextsFor(languageIndex);
    for (std::size_t cell = 0; cell < analysis::kCellCount; ++cell) {
        const CellFacts facts = factsOf(page, cell, result, settings, texts);
        CellNote note{static_cast<int>(cell / layout::kMapCols),
                      static_cast<int>(cell % layout::kMapCols),
                      {},
                      {},
                      false,
                      facts.tip};
        if (locks[at][cell]) {
            note.corner = "L";
            note.colour = kThin;
        } else if (facts.samples > 0 && facts.samples < settings.minSamples) {
            note.hatched = true;
            note.colour = kThin;
        } else if (at < 3 && proposal.clean[at][cell]) {
            note.corner = "ok";
            note.colour = kClean;
        }
        if (facts.samples > 0 || locks[at][cell]) {
            notes.push_back(note);
        }
    }
    for (const analysis::CellChange& change : proposal.changes) {
        if (change.page != at) {
            continue;
        }
        const int row = change.row;
        const int column = change.column;
        auto found = std::find_if(notes.begin(), notes.end(), [&](const CellNote& note) {
            return note.row == row && note.column == column;
        });
        if (found == notes.end()) {
            found = notes.insert(notes.end(), CellNote{row, column, {}, {}, false, {}});
        }
        found->corner = changeText(page, change.before, change.after);
        found->colour = change.after > change.before ? kRicher : kLeaner;
        found->hatched = false;
    }
    return notes;
}

} // namespace kordana
