#pragma once

#include "params/ParameterImage.h"
#include "session/BulkTools.h"
#include "session/ChangeSet.h"
#include "session/MapBlock.h"
#include "session/ProgramAfterChange.h"
#include "session/UndoHistory.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <utility>

namespace kordana {

struct IgnReadResult;

/// One byte a page harvest stores: the image index and the stored (already converted) value.
struct ByteWrite {
    std::size_t index = 0;
    std::uint8_t value = 0;
};

/// One map cell a tool proposes: map page 0..8, row 0..9, column 0..14 and the stored value.
struct MapCellWrite {
    int page = 0;
    std::size_t row = 0;
    std::size_t column = 0;
    std::uint8_t value = 0;
};

/// The parameter set being edited: the image, the nine map pages' All flags, the Extended
/// Monitor state and the programming-after-change shadow. Every change is a named command
/// that changes the set, runs the consistency pass when it changed the image in a way that may
/// need repair, and reports exactly what changed, both as its result and to the change
/// listener. Holds no widgets and no timers.
class EditSession {
public:
    using ChangeListener = std::function<void(const ChangeSet&)>;

    /// An all-zero image, All flags clear, Extended Monitor off: the state before start-up
    /// applies the default set and the image cache.
    EditSession() = default;

    /// Called after every command that changed something, once, with what it changed; the
    /// owner sets it (undo is the session's own and needs none). Empty: nobody
    /// is told.
    void setChangeListener(ChangeListener listener) { m_listener = std::move(listener); }

    const ParameterImage& image() const { return m_image; }
    const AllFlags& allFlags() const { return m_allFlags; }
    bool extMon() const { return m_extMon; }

    /// The image itself, for LinkProtocol only: it keeps a reference for its whole life and
    /// writes the unit header and the blocks of a read into it, then raises imageChanged().
    /// The owner answers that with runConsistencyPass(), whose ChangeSet includes the link's
    /// writes. Nothing else may write through it.
    ParameterImage& imageForLink() { return m_image; }

    // --- commands ------------------------------------------------------------------------
    /// A page harvest: stores `writes` in order (a later write of a byte wins). On a coupling
    /// master page (0, 3, 6) each stored byte of that page's map goes through the coupling
    /// harvest rule of the group's mode. Writes outside the image are skipped.
    ChangeSet applyHarvest(int page, std::span<const ByteWrite> writes);
    /// The All check box of map page `page` (0..8), stored as 1 or 0; other pages are ignored.
    /// Not an image byte, so no consistency pass.
    ChangeSet setAllFlag(int page, bool set);
    /// The Extended Monitor state. Not an image byte, so no consistency pass.
    ChangeSet setExtMon(bool on);
    /// Steps the ten cells of `column` (0..14) of map page `page` by one stored unit
    /// (direction -1 or +1), propagated to the siblings by the coupling mode.
    ChangeSet stepColumn(int page, std::size_t column, int direction);
    /// The map tool (Minus -1, Plus +1) on map page `page`: every cell when `wholeMap`, else
    /// the cell (`row`, `column`) of the operating point; propagated by the coupling mode.
    ChangeSet stepMap(int page, bool wholeMap, std::size_t row, std::size_t column, int direction);
    /// Interpolates or smooths `block` of map page `page` (session/MapBlock.h), propagated to
    /// the siblings of a master page by the coupling mode.
    ChangeSet shapeBlock(int page, const mapblock::CellBlock& block, mapblock::Shape shape);
    /// Sets, offsets or scales every cell of `block` of map page `page` in shown units, rounded
    /// to the map's step and clamped to its range; propagated by the coupling mode.
    ChangeSet editBlock(int page, const mapblock::CellBlock& block,
                        const mapblock::BlockEdit& edit);
    /// Writes pasted values (parsed by mapblock::parsePaste) into map page `page` with the
    /// first at (`row`, `column`), clipped at the map's edge; propagated by the coupling mode.
    ChangeSet pasteBlock(int page, std::size_t row, std::size_t column,
                         const mapblock::ValueRows& values);
    /// Accepts a tool's proposal for map cells (the tuning assistant's): every cell as given,
    /// on its own map and no other (the proposal holds each map it changes, the coupled ones
    /// included), or only the cells inside `block` (on every page) when one is given. Cells
    /// outside the maps are skipped. One step, with the consistency pass.
    ChangeSet applyCellProposal(std::span<const MapCellWrite> cells,
                                const std::optional<mapblock::CellBlock>& block = std::nullopt);
    /// The Position A, Position B or Servo tool: all 15 points when `wholeCurve`, else point
    /// `point` (0..14) of the operating point; each within its curve's limits.
    ChangeSet stepCurve(bulk::Curve curve, bool wholeCurve, std::size_t point, int direction);
    /// TPS 0 %: TPS[0] from the live throttle voltage (mV). Nothing at all (no command, no
    /// listener) when the voltage lies outside 300..2500 mV.
    std::optional<ChangeSet> calibrateTps0(std::uint16_t millivolts);
    /// TPS 100 %: TPS[1] from the live throttle voltage (mV). Nothing at all when the voltage
    /// lies outside 2500..4900 mV.
    std::optional<ChangeSet> calibrateTps100(std::uint16_t millivolts);
    /// The coupling mode command of `group` (0 ignition, 1 injection; others are ignored):
    /// MODE[group] := mode; any mode but Separate copies the master breakpoints into the
    /// siblings, 1 = 2 = 3 copies the master cells too. No consistency pass, as the menu
    /// commands never ran one (the copies keep a repaired image repaired).
    ChangeSet setCouplingMode(int group, std::uint8_t mode);
    /// The default set of the preset in BIKE (New).
    ChangeSet newDefaultSet();
    /// BIKE := `preset` (0..3; other values are ignored), nothing else: the preset choice
    /// before New is asked for.
    ChangeSet setPreset(std::uint8_t preset);
    /// Takes over the image and Extended Monitor state of a file read over image(); does
    /// nothing when the result is not applicable.
    ChangeSet applyFileRead(const IgnReadResult& result);
    /// Takes over the bytes 100..1999 of an image read from the unit; the header (0..99) stays.
    ChangeSet applyUnitRead(const ParameterImage& unit);
    /// Takes over a whole saved state: the image and All flags of the image cache at start-up.
    ChangeSet restore(const ParameterImage& image, const AllFlags& flags);
    /// The consistency pass alone (after the link wrote into the image).
    ChangeSet runConsistencyPass();

    // --- undo -------------------------------------------------------------------------------
    // Every command above that changes an image byte from 100 on is one step; its header
    // bytes (0..99) are the connected unit's and never part of a step, so a step of nothing but
    // header bytes (the unit's header arriving) is none. The Extended Monitor state goes back
    // and forth with a step that changed it together with image bytes (a file read); the All
    // flags and a toggle of the Extended Monitor box alone are display choices, not steps.
    /// The first image byte a step covers.
    static constexpr std::size_t kUndoFirstByte = kBlockSize;
    /// Puts back the set as it was before the newest step; not a step itself. An empty
    /// ChangeSet when there is nothing to undo or a step group is open.
    ChangeSet undo();
    /// Puts the newest undone step back; not a step itself. Empty when there is nothing to redo.
    ChangeSet redo();
    bool canUndo() const { return m_history.undoCount() > 0; }
    bool canRedo() const { return m_history.redoCount() > 0; }
    /// Forgets every step (after start-up, whose defaults and cache are no step of the user).
    void clearUndoHistory() { m_history.clear(); }
    /// Steps on the undo and redo sides, and the bytes they occupy.
    const UndoHistory& undoHistory() const { return m_history; }

    /// Makes the commands run while it lives one step: a menu command that runs several (the
    /// Position tools, a preset choice followed by New). Groups may nest; the outermost counts.
    class StepGroup {
    public:
        explicit StepGroup(EditSession& session);
        ~StepGroup();
        StepGroup(const StepGroup&) = delete;
        StepGroup& operator=(const StepGroup&) = delete;

    private:
        EditSession& m_session;
    };

    /// The programming-after-change check with the box state `boxChecked`: true when a
    /// programming run should start. Run where the window runs its check: at the end of every
    /// commit tail and after the 1 = 2 = 3 mode commands.
    bool programmingAfterChangeDue(bool boxChecked);

private:
    enum class Pass { Run, Skip };
    enum class Record { Step, No };
    template <typename Change>
    ChangeSet command(ChangeCause cause, Pass pass, Change&& change, Record record = Record::Step);

    ParameterImage m_image;
    AllFlags m_allFlags{};
    bool m_extMon = false;
    // The image as the previous command left it: what the next ChangeSet is measured against.
    ParameterImage m_reported;
    ProgramAfterChange m_programAfterChange;
    ChangeListener m_listener;
    UndoHistory m_history;
    // An open step group: its depth and the set as it stood when the outermost one opened.
    int m_groupDepth = 0;
    ParameterImage m_groupStart;
    bool m_groupStartExtMon = false;
};

} // namespace kordana
