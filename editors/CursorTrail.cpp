#include "editors/CursorTrail.h"

#include <algorithm>

namespace kordana {

namespace {
constexpr double kNewestStrength = 0.75;
constexpr double kOldestStrength = 0.15;
} // namespace

bool CursorTrail::visit(Cell cell) {
    if (!m_cells.empty() && m_cells.front() == cell) {
        return false;
    }
    if (const auto seen = std::ranges::find(m_cells, cell); seen != m_cells.end()) {
        m_cells.erase(seen);
    } else if (m_cells.size() == kLength) {
        m_cells.pop_back();
    }
    m_cells.insert(m_cells.begin(), cell);
    return true;
}

std::optional<std::size_t> CursorTrail::ageOf(Cell cell) const {
    const auto found = std::ranges::find(m_cells, cell);
    if (found == m_cells.end()) {
        return std::nullopt;
    }
    return static_cast<std::size_t>(found - m_cells.begin());
}

double CursorTrail::strength(std::size_t age) {
    const double step = (kNewestStrength - kOldestStrength) / static_cast<double>(kLength - 1);
    const auto clamped = std::min(age, kLength - 1);
    return kNewestStrength - step * static_cast<double>(clamped);
}

} // namespace kordana
