#pragma once

#include "editors/EditorPage.h"
#include "params/ParameterImage.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstddef>
#include <memory>
#include <vector>

namespace kordana {

class EditSession;
struct MonitorLiveValues;

/// The fourteen editor pages by index (0..13), reached only through the EditorPage interface.
/// Holds no image: the callers pass the one editing session.
class PageDispatcher {
public:
    static constexpr int kPageCount = 14;

    /// Takes page `index`; out-of-range indices are ignored.
    void setPage(int index, std::unique_ptr<EditorPage> page);
    /// Page `index`, or nullptr.
    EditorPage* page(int index) const;

    /// Stores the controls of page `index` into the session.
    void harvest(int index, EditSession& session) const;
    /// Rewrites the controls of page `index` from the session.
    void refresh(int index, const EditSession& session) const;
    /// Marks the operating point on page `index`.
    void markOperatingPoint(int index, const ParameterImage& image, const MonitorLiveValues& live,
                            const MapMark& mapMark) const;

    /// `widget` is shown exactly while image byte `imageIndex` is not 0 (the servo frame).
    void addVisibilityRule(QWidget* widget, std::size_t imageIndex);
    /// Applies every visibility rule; run with the coupling indicators after each refresh.
    void applyVisibilityRules(const ParameterImage& image) const;

private:
    struct VisibilityRule {
        QPointer<QWidget> widget;
        std::size_t imageIndex = 0;
    };

    std::array<std::unique_ptr<EditorPage>, kPageCount> m_pages;
    std::vector<VisibilityRule> m_visibilityRules;
};

} // namespace kordana
