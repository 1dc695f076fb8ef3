#pragma once

#include "params/ParameterImage.h"

#include <cstddef>
#include <cstdint>
#include <deque>
#include <vector>

namespace kordana {

/// What one command changed in the image (from a first byte on) and in the Extended Monitor
/// state, kept as runs of changed bytes holding the values on the other side of the step: the
/// old values while the step waits to be undone, the new ones while it waits to be redone. A
/// one-cell edit costs a few bytes, a whole new set about one byte per byte it changed.
class UndoStep {
public:
    /// The step from `before` to `after` over the image bytes from `first` on.
    static UndoStep between(const ParameterImage& before, bool extMonBefore,
                            const ParameterImage& after, bool extMonAfter, std::size_t first);

    /// True when the step changes nothing.
    bool empty() const { return m_runs.empty() && !m_extMonChanged; }
    /// True when the step changes at least one image byte.
    bool changesBytes() const { return !m_runs.empty(); }
    /// Crosses the step: exchanges the values it holds with those of `image` and `extMon`. Run
    /// on the state after the step it undoes it; run again, it redoes it.
    void cross(ParameterImage& image, bool& extMon);
    /// Heap and object bytes this step occupies.
    std::size_t memoryUsed() const { return sizeof(*this) + m_runs.capacity(); }

private:
    // Each run: start (2 bytes, high byte first), length (2 bytes), then the held values.
    std::vector<std::uint8_t> m_runs;
    bool m_extMonChanged = false;
    bool m_extMonHeld = false;
};

/// The undo and redo sides of the session: at most `capacity` steps, the oldest dropped first.
/// Recording a step clears the redo side.
class UndoHistory {
public:
    static constexpr std::size_t kDefaultCapacity = 500;

    explicit UndoHistory(std::size_t capacity = kDefaultCapacity) : m_capacity(capacity) {}

    /// Adds a step on the undo side (an empty step is not kept) and clears the redo side.
    void record(UndoStep step);
    /// Moves the newest undo step to the redo side and returns it; null when there is none.
    UndoStep* takeUndo();
    /// Moves the newest redo step back to the undo side and returns it; null when there is none.
    UndoStep* takeRedo();
    /// Forgets both sides.
    void clear();

    std::size_t undoCount() const { return m_undo.size(); }
    std::size_t redoCount() const { return m_redo.size(); }
    /// Bytes the kept steps occupy (their objects and their runs).
    std::size_t memoryUsed() const;

private:
    std::size_t m_capacity;
    std::deque<UndoStep> m_undo;
    std::vector<UndoStep> m_redo;
};

} // namespace kordana
