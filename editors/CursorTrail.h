#pragma once

#include <cstddef>
#include <optional>
#include <vector>

namespace kordana {

/// Where the engine has been on one map: the last kLength distinct cells the operating point
/// visited, newest first. The newest is the cell the cursor marks now; a cell visited again
/// moves to the front instead of standing twice.
class CursorTrail {
public:
    static constexpr std::size_t kLength = 20;

    struct Cell {
        int row = 0;
        int column = 0;
        friend bool operator==(const Cell&, const Cell&) = default;
    };

    /// The operating point is at `cell`. False when it already was the newest (nothing moved).
    bool visit(Cell cell);
    void clear() { m_cells.clear(); }

    /// The cells, newest first (at most kLength).
    const std::vector<Cell>& cells() const { return m_cells; }
    /// 0 for the newest cell .. kLength - 1 for the oldest; nothing when `cell` is not on it.
    std::optional<std::size_t> ageOf(Cell cell) const;

    /// How strongly a mark of age `age` shows over the cell's own colour: 0.75 for the newest
    /// falling evenly to 0.15 for the oldest, so the order of visit reads as a fade.
    static double strength(std::size_t age);

private:
    std::vector<Cell> m_cells;
};

} // namespace kordana
