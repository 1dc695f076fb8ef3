#include "session/UndoHistory.h"

#include <utility>

namespace kordana {

UndoStep UndoStep::between(const ParameterImage& before, bool extMonBefore,
                           const ParameterImage& after, bool extMonAfter, std::size_t first) {
    UndoStep step;
    std::size_t i = first;
    while (i < kImageSize) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < kImageSize && before[end] != after[end]) {
            ++end;
        }
        const std::size_t length = end - i;
        step.m_runs.push_back(static_cast<std::uint8_t>(i >> 8));
        step.m_runs.push_back(static_cast<std::uint8_t>(i & 0xFF));
        step.m_runs.push_back(static_cast<std::uint8_t>(length >> 8));
        step.m_runs.push_back(static_cast<std::uint8_t>(length & 0xFF));
        step.m_runs.insert(step.m_runs.end(), before.bytes.begin() + static_cast<std::ptrdiff_t>(i),
                           before.bytes.begin() + static_cast<std::ptrdiff_t>(end));
        i = end;
    }
    step.m_runs.shrink_to_fit();
    step.m_extMonChanged = extMonBefore != extMonAfter;
    step.m_extMonHeld = extMonBefore;
    return step;
}

void UndoStep::cross(ParameterImage& image, bool& extMon) {
    std::size_t at = 0;
    while (at + 4 <= m_runs.size()) {
        const std::size_t start = (std::size_t{m_runs[at]} << 8) | m_runs[at + 1];
        const std::size_t length = (std::size_t{m_runs[at + 2]} << 8) | m_runs[at + 3];
        at += 4;
        for (std::size_t k = 0; k < length && start + k < kImageSize && at + k < m_runs.size();
             ++k) {
            std::swap(image[start + k], m_runs[at + k]);
        }
        at += length;
    }
    if (m_extMonChanged) {
        std::swap(extMon, m_extMonHeld);
    }
}

void UndoHistory::record(UndoStep step) {
    if (step.empty() || m_capacity == 0) {
        return;
    }
    m_redo.clear();
    m_undo.push_back(std::move(step));
    while (m_undo.size() > m_capacity) {
        m_undo.pop_front();
    }
}

UndoStep* UndoHistory::takeUndo() {
    if (m_undo.empty()) {
        return nullptr;
    }
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    return &m_redo.back();
}

UndoStep* UndoHistory::takeRedo() {
    if (m_redo.empty()) {
        return nullptr;
    }
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    return &m_undo.back();
}

void UndoHistory::clear() {
    m_undo.clear();
    m_redo.clear();
}

std::size_t UndoHistory::memoryUsed() const {
    std::size_t total = sizeof(*this) + m_redo.capacity() * sizeof(UndoStep);
    for (const UndoStep& step : m_undo) {
        total += step.memoryUsed();
    }
    for (const UndoStep& step : m_redo) {
        total += step.memoryUsed() - sizeof(UndoStep);
    }
    return total;
}

} // namespace kordana
