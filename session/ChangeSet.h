#pragma once

#include "params/ImageLayout.h"
#include "params/ParameterImage.h"

#include <bitset>

namespace kordana {

/// Why the set changed. A user's commit (typing, a click, a column step, a block command, a
/// coupling mode) is the only cause that may start a programming run.
enum class ChangeCause { UserEdit, Tool, File, UnitRead, Undo };

/// What one EditSession command changed, measured against the state the previous command left
/// behind (so bytes the link wrote in between count too). Handed to the change listener and
/// returned by every command.
struct ChangeSet {
    /// Image bytes whose value differs afterwards, the consistency pass's repairs included.
    std::bitset<kImageSize> bytes;
    /// Image bytes the consistency pass of this command rewrote. A repair that puts a byte back
    /// to its previous value is listed here but not in `bytes`.
    std::bitset<kImageSize> repaired;
    /// The Extended Monitor state changed.
    bool extMon = false;
    /// Map pages (0..8) whose All flag changed.
    std::bitset<kMapPageCount> allFlags;
    /// What kind of command made the change: the bulk tools are Tool; New, a preset, Open and
    /// the restored cache File; a unit read and the pass after the link wrote UnitRead.
    ChangeCause cause = ChangeCause::UserEdit;

    /// True when a coupling mode byte (MODE[0] or MODE[1]) changed: tabs and indicators follow.
    bool couplingMode() const { return bytes[layout::kMode] || bytes[layout::kMode + 1]; }
    /// True when anything the session holds changed.
    bool any() const { return bytes.any() || extMon || allFlags.any(); }
};

} // namespace kordana
