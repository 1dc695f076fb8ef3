#include "session/EditSession.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnReader.h"
#include "params/ImageLayout.h"
#include "session/MapCoupling.h"

#include <algorithm>
#include <utility>

namespace kordana {

namespace {

std::bitset<kImageSize> differing(const ParameterImage& before, const ParameterImage& after) {
    std::bitset<kImageSize> bits;
    for (std::size_t i = 0; i < kImageSize; ++i) {
        bits[i] = before.bytes[i] != after.bytes[i];
    }
    return bits;
}

// The bytes a map page's harvest stores: its breakpoint row and its 150 cells.
bool inMapOf(int page, std::size_t index) {
    const auto p = static_cast<std::size_t>(page);
    const std::size_t rpm = layout::mapRpm(p);
    const std::size_t cells = layout::mapCells(p);
    return (index >= rpm && index < rpm + layout::kMapCols) ||
           (index >= cells && index < cells + layout::kMapRows * layout::kMapCols);
}

} // namespace

// Every command ends here: the pass (unless the command keeps the set consistent by itself),
// the ChangeSet against the state the previous command left, the undo step, and the listener.
template <typename Change>
ChangeSet EditSession::command(ChangeCause cause, Pass pass, Change&& change, Record record) {
    const AllFlags flagsBefore = m_allFlags;
    const bool extMonBefore = m_extMon;
    change();

    ChangeSet changes;
    changes.cause = cause;
    if (pass == Pass::Run) {
        const ParameterImage unrepaired = m_image;
        kordana::runConsistencyPass(m_image);
        changes.repaired = differing(unrepaired, m_image);
    }
    changes.bytes = differing(m_reported, m_image);
    // Measured from the state the previous command left, like the ChangeSet, so the blocks of
    // a unit read that the link wrote in between belong to the pass that reports them.
    if (record == Record::Step && m_groupDepth == 0 && changes.bytes.any()) {
        UndoStep step =
            UndoStep::between(m_reported, extMonBefore, m_image, m_extMon, kUndoFirstByte);
        if (step.changesBytes()) {
            m_history.record(std::move(step));
        }
    }
    m_reported = m_image;
    changes.extMon = m_extMon != extMonBefore;
    for (std::size_t p = 0; p < kMapPageCount; ++p) {
        changes.allFlags[p] = m_allFlags[p] != flagsBefore[p];
    }
    if (changes.any() && m_listener) {
        m_listener(changes);
    }
    return changes;
}

ChangeSet EditSession::applyHarvest(int page, std::span<const ByteWrite> writes) {
    return command(ChangeCause::UserEdit, Pass::Run, [&] {
        // The window's master pages harvest nothing but their own map, so limiting the rule
        // to those bytes changes nothing there and keeps a stray write from reaching a
        // "sibling" 15 or 150 bytes further on.
        const bool master = coupling::isMaster(page);
        for (const ByteWrite& write : writes) {
            if (write.index >= kImageSize) {
                continue;
            }
            const std::uint8_t before = m_image[write.index];
            m_image[write.index] = write.value;
            if (master && inMapOf(page, write.index)) {
                coupling::applyHarvestRule(m_image, page, write.index, before, write.value);
            }
        }
    });
}

ChangeSet EditSession::setAllFlag(int page, bool set) {
    return command(ChangeCause::UserEdit, Pass::Skip, [&] {
        if (coupling::isMapPage(page)) {
            m_allFlags[static_cast<std::size_t>(page)] = set ? 1 : 0;
        }
    });
}

ChangeSet EditSession::setExtMon(bool on) {
    return command(ChangeCause::UserEdit, Pass::Skip, [&] { m_extMon = on; });
}

ChangeSet EditSession::stepColumn(int page, std::size_t column, int direction) {
    return command(ChangeCause::UserEdit, Pass::Run,
                   [&] { coupling::stepColumn(m_image, page, column, direction); });
}

ChangeSet EditSession::stepMap(int page, bool wholeMap, std::size_t row, std::size_t column,
                               int direction) {
    return command(ChangeCause::Tool, Pass::Run,
                   [&] { bulk::stepMap(m_image, page, wholeMap, row, column, direction); });
}

ChangeSet EditSession::shapeBlock(int page, const mapblock::CellBlock& block,
                                  mapblock::Shape shape) {
    return command(ChangeCause::UserEdit, Pass::Run,
                   [&] { mapblock::shape(m_image, page, block, shape); });
}

ChangeSet EditSession::editBlock(int page, const mapblock::CellBlock& block,
                                 const mapblock::BlockEdit& edit) {
    return command(ChangeCause::UserEdit, Pass::Run,
                   [&] { mapblock::edit(m_image, page, block, edit); });
}

ChangeSet EditSession::pasteBlock(int page, std::size_t row, std::size_t column,
                                  const mapblock::ValueRows& values) {
    return command(ChangeCause::UserEdit, Pass::Run,
                   [&] { mapblock::paste(m_image, page, row, column, values); });
}

ChangeSet EditSession::applyCellProposal(std::span<const MapCellWrite> cells,
                                         const std::optional<mapblock::CellBlock>& block) {
    return command(ChangeCause::Tool, Pass::Run, [&] {
        for (const MapCellWrite& cell : cells) {
            const bool inside =
                !block || (cell.row >= block->top && cell.row <= block->bottom &&
                           cell.column >= block->left && cell.column <= block->right);
            if (inside && coupling::isMapPage(cell.page) && cell.row < layout::kMapRows &&
                cell.column < layout::kMapCols) {
                m_image[layout::mapCell(static_cast<std::size_t>(cell.page), cell.row,
                                        cell.column)] = cell.value;
            }
        }
    });
}

ChangeSet EditSession::stepCurve(bulk::Curve curve, bool wholeCurve, std::size_t point,
                                 int direction) {
    return command(ChangeCause::Tool, Pass::Run,
                   [&] { bulk::stepCurve(m_image, curve, wholeCurve, point, direction); });
}

std::optional<ChangeSet> EditSession::calibrateTps0(std::uint16_t millivolts) {
    const std::optional<std::uint8_t> stored = bulk::tps0Byte(millivolts);
    if (!stored) {
        return std::nullopt;
    }
    return command(ChangeCause::Tool, Pass::Run, [&] { m_image[layout::kTps] = *stored; });
}

std::optional<ChangeSet> EditSession::calibrateTps100(std::uint16_t millivolts) {
    const std::optional<std::uint8_t> stored = bulk::tps100Byte(millivolts);
    if (!stored) {
        return std::nullopt;
    }
    return command(ChangeCause::Tool, Pass::Run, [&] { m_image[layout::kTps + 1] = *stored; });
}

// The mode commands run no consistency pass, as the window's menu commands never did. Nothing
// is lost by that: every map of a triple has the bounds of its kind, so copying a master's
// breakpoints or cells into its siblings keeps a repaired image repaired, and every other
// command leaves the image repaired.
ChangeSet EditSession::setCouplingMode(int group, std::uint8_t mode) {
    return command(ChangeCause::UserEdit, Pass::Skip, [&] {
        if (group != coupling::kIgnitionGroup && group != coupling::kInjectionGroup) {
            return;
        }
        m_image[layout::kMode + static_cast<std::size_t>(group)] = mode;
        if (mode != coupling::kSeparate) {
            coupling::copyBreakpoints(m_image, group);
        }
        if (mode == coupling::kSame) {
            coupling::copyCells(m_image, group);
        }
    });
}

ChangeSet EditSession::newDefaultSet() {
    return command(ChangeCause::File, Pass::Run, [&] { applyDefaultSet(m_image); });
}

ChangeSet EditSession::setPreset(std::uint8_t preset) {
    if (preset >= kPresetCount) {
        return {};
    }
    return command(ChangeCause::File, Pass::Run, [&] { m_image[layout::kBike] = preset; });
}

ChangeSet EditSession::applyFileRead(const IgnReadResult& result) {
    if (!result.applicable()) {
        return {};
    }
    return command(ChangeCause::File, Pass::Run,
                   [&] { IgnReader::apply(result, m_image, m_extMon); });
}

ChangeSet EditSession::applyUnitRead(const ParameterImage& unit) {
    // The header arrives on its own (the unit's block 0); a read brings the rest at once.
    return command(ChangeCause::UnitRead, Pass::Run, [&] {
        std::copy(unit.bytes.begin() + kBlockSize, unit.bytes.end(),
                  m_image.bytes.begin() + kBlockSize);
    });
}

ChangeSet EditSession::restore(const ParameterImage& image, const AllFlags& flags) {
    return command(ChangeCause::File, Pass::Run, [&] {
        m_image = image;
        m_allFlags = flags;
    });
}

ChangeSet EditSession::runConsistencyPass() {
    return command(ChangeCause::UnitRead, Pass::Run, [] {});
}

// Every kept state was left by a command, after its pass, so putting one back needs no pass.
ChangeSet EditSession::undo() {
    UndoStep* step = m_groupDepth == 0 ? m_history.takeUndo() : nullptr;
    if (step == nullptr) {
        return {};
    }
    return command(
        ChangeCause::Undo, Pass::Skip, [&] { step->cross(m_image, m_extMon); }, Record::No);
}

ChangeSet EditSession::redo() {
    UndoStep* step = m_groupDepth == 0 ? m_history.takeRedo() : nullptr;
    if (step == nullptr) {
        return {};
    }
    return command(
        ChangeCause::Undo, Pass::Skip, [&] { step->cross(m_image, m_extMon); }, Record::No);
}

EditSession::StepGroup::StepGroup(EditSession& session) : m_session(session) {
    if (m_session.m_groupDepth++ == 0) {
        m_session.m_groupStart = m_session.m_reported;
        m_session.m_groupStartExtMon = m_session.m_extMon;
    }
}

EditSession::StepGroup::~StepGroup() {
    EditSession& s = m_session;
    if (--s.m_groupDepth == 0) {
        UndoStep step = UndoStep::between(s.m_groupStart, s.m_groupStartExtMon, s.m_reported,
                                          s.m_extMon, kUndoFirstByte);
        if (step.changesBytes()) {
            s.m_history.record(std::move(step));
        }
    }
}

bool EditSession::programmingAfterChangeDue(bool boxChecked) {
    return m_programAfterChange.check(boxChecked, m_image);
}

} // namespace kordana
