#include "features/assistant/AssistantSheet.h"

#include "analysis/AnalysisText.h"
#include "features/assistant/AssistantNotes.h"
#include "features/assistant/AssistantTally.h"
#include "lang/AssistantTexts.h"
#include "lang/CaptionTables.h"
#include "monitor/OperatingPoint.h"

#include <array>
#include <string>
#include <string_view>

namespace kordana {

namespace {

constexpr std::array<std::string_view, kMapPageCount> kMapNames{
    "Ign 1", "Ign 2", "Ign 3", "Jet 1A", "Jet 2A", "Jet 3A", "Jet 1B", "Jet 2B", "Jet 3B"};

std::uint32_t samplesOf(const analysis::AnalysisResult& result, std::size_t page,
                        std::size_t cell) {
    return page < analysis::kFirstJetPage ? result.ignition[page][cell].samples
                                          : result.fuelMap(page)[cell].samples;
}

SheetTable mapTable(const ParameterImage& image, const analysis::AnalysisResult& result,
                    const analysis::Proposal& proposal, std::size_t page,
                    std::string_view titlePattern) {
    SheetTable table;
    table.title = assistantText(titlePattern).arg(assistantText(kMapNames[page])).toStdString();
    table.header.push_back("TPS \\ RPM");
    for (std::size_t c = 0; c < layout::kMapCols; ++c) {
        table.header.push_back(std::to_string(image[layout::mapRpm(page) + c] * 50u));
    }
    std::array<std::string, analysis::kCellCount> cells{};
    for (std::size_t cell = 0; cell < analysis::kCellCount; ++cell) {
        if (const std::uint32_t samples = samplesOf(result, page, cell); samples > 0) {
            cells[cell] = std::to_string(samples);
        }
    }
    for (const analysis::CellChange& change : proposal.changes) {
        if (change.page == page) {
            cells[change.row * layout::kMapCols + change.column] +=
                ": " +
                changeText(static_cast<int>(page), change.before, change.after).toStdString();
        }
    }
    for (std::size_t r = 0; r < layout::kMapRows; ++r) {
        SheetRow row{std::to_string(kThrottleRows[r]) + "%", {}, {}};
        for (std::size_t c = 0; c < layout::kMapCols; ++c) {
            row.cells.push_back(cells[r * layout::kMapCols + c]);
        }
        table.rows.push_back(std::move(row));
    }
    return table;
}

bool anySample(const analysis::AnalysisResult& result, std::size_t page) {
    for (std::size_t cell = 0; cell < analysis::kCellCount; ++cell) {
        if (samplesOf(result, page, cell) > 0) {
            return true;
        }
    }
    return false;
}

std::string captionText(std::string_view control, std::uint8_t languageIndex) {
    return std::string(captionForControl(control, languageIndex).value_or(control));
}

} // namespace

std::vector<SheetBlock> assistantSheetBlocks(const ParameterImage& image,
                                             const analysis::AnalysisResult& result,
                                             const analysis::Proposal& proposal,
                                             std::uint8_t languageIndex) {
    std::vector<SheetBlock> blocks;
    if (result.fuelTally.samples == 0 && result.ignitionTally.samples == 0) {
        return blocks;
    }
    SheetBlock heading;
    heading.kind = SheetBlock::Kind::Heading;
    heading.heading = captionText("FormAssistant", languageIndex);
    heading.newPage = true;
    blocks.push_back(heading);
    SheetBlock tally;
    tally.table.title = captionText("GroupBoxAssistSource", languageIndex);
    const AssistantTexts texts = assistantTextsFor(languageIndex);
    const analysis::TallyWords words = tallyWordsFor(languageIndex);
    tally.table.rows.push_back(
        {std::string(texts.fuel), {analysis::tallyText(result.fuelTally, words)}, {}});
    tally.table.rows.push_back(
        {std::string(texts.knock), {analysis::tallyText(result.ignitionTally, words)}, {}});
    blocks.push_back(tally);
    for (std::size_t page = 0; page < kMapPageCount; ++page) {
        if (anySample(result, page)) {
            SheetBlock map;
            map.table = mapTable(image, result, proposal, page, texts.mapTable);
            blocks.push_back(std::move(map));
        }
    }
    return blocks;
}

} // namespace kordana
