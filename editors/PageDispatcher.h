#pragma once

#include "editors/FieldTable.h"
#include "params/ParameterImage.h"

#include <QPointer>
#include <QWidget>

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <vector>

namespace kordana {

/// What a page registers with the dispatcher. Most pages need only `fields`; the hooks are
/// for what a table cannot say (moving a shared grid, colouring a box, showing a frame).
struct PageSpec {
    /// Walked in order by the generic harvest and refresh.
    std::vector<Field> fields;
    /// When set and false, the harvest of this page stores nothing (its controls do not show it).
    std::function<bool()> canHarvest;
    /// Sees every image byte the harvest stores (the map coupling on master pages).
    StoreHook onStore;
    /// Runs after the fields were harvested.
    std::function<void(ParameterImage&)> afterHarvest;
    /// Runs before the fields are refreshed (e.g. put a shared grid on the page).
    std::function<void()> beforeRefresh;
    /// Runs after the fields were refreshed.
    std::function<void(const ParameterImage&)> afterRefresh;
};

/// Harvest and refresh of the page with a given index (0..13). Pages that registered nothing
/// are left alone. Holds no image; the caller passes the one parameter image.
class PageDispatcher {
public:
    static constexpr int kPageCount = 14;

    /// Registers (or replaces) the description of page `index`; out-of-range indices are ignored.
    void registerPage(int index, PageSpec pageSpec);
    /// Appends fields to page `index` (creating its description), for pages whose controls
    /// come from several builders; hooks already registered stay.
    void addFields(int index, std::vector<Field> fields);
    /// True when page `index` has a description.
    bool hasPage(int index) const;
    /// The description of page `index`, or nullptr.
    const PageSpec* page(int index) const;

    /// Copies the controls of page `index` into the image.
    void harvest(int index, ParameterImage& image) const;
    /// Copies the image into the controls of page `index`.
    void refresh(int index, const ParameterImage& image) const;

    /// `widget` is shown exactly while image byte `imageIndex` is not 0 (the servo frame).
    void addVisibilityRule(QWidget* widget, std::size_t imageIndex);
    /// Applies every visibility rule; run with the coupling indicators after each refresh.
    void applyVisibilityRules(const ParameterImage& image) const;

private:
    struct VisibilityRule {
        QPointer<QWidget> widget;
        std::size_t imageIndex = 0;
    };

    std::array<std::optional<PageSpec>, kPageCount> m_pages;
    std::vector<VisibilityRule> m_visibilityRules;
};

} // namespace kordana
