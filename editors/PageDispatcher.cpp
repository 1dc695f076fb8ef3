#include "editors/PageDispatcher.h"

namespace kordana {

void PageDispatcher::registerPage(int index, PageSpec pageSpec) {
    if (index >= 0 && index < kPageCount) {
        m_pages[static_cast<std::size_t>(index)] = std::move(pageSpec);
    }
}

void PageDispatcher::addFields(int index, std::vector<Field> fields) {
    if (index < 0 || index >= kPageCount) {
        return;
    }
    auto& pageSpec = m_pages[static_cast<std::size_t>(index)];
    if (!pageSpec) {
        pageSpec.emplace();
    }
    pageSpec->fields.insert(pageSpec->fields.end(), fields.begin(), fields.end());
}

bool PageDispatcher::hasPage(int index) const {
    return page(index) != nullptr;
}

const PageSpec* PageDispatcher::page(int index) const {
    if (index < 0 || index >= kPageCount) {
        return nullptr;
    }
    const auto& pageSpec = m_pages[static_cast<std::size_t>(index)];
    return pageSpec ? &*pageSpec : nullptr;
}

void PageDispatcher::harvest(int index, ParameterImage& image) const {
    const PageSpec* pageSpec = page(index);
    if (pageSpec == nullptr || (pageSpec->canHarvest && !pageSpec->canHarvest())) {
        return;
    }
    harvestFields(pageSpec->fields, image, pageSpec->onStore);
    if (pageSpec->afterHarvest) {
        pageSpec->afterHarvest(image);
    }
}

void PageDispatcher::refresh(int index, const ParameterImage& image) const {
    const PageSpec* pageSpec = page(index);
    if (pageSpec == nullptr) {
        return;
    }
    if (pageSpec->beforeRefresh) {
        pageSpec->beforeRefresh();
    }
    refreshFields(pageSpec->fields, image);
    if (pageSpec->afterRefresh) {
        pageSpec->afterRefresh(image);
    }
}

void PageDispatcher::addVisibilityRule(QWidget* widget, std::size_t imageIndex) {
    m_visibilityRules.push_back({widget, imageIndex});
}

void PageDispatcher::applyVisibilityRules(const ParameterImage& image) const {
    for (const VisibilityRule& rule : m_visibilityRules) {
        if (rule.widget != nullptr && rule.imageIndex < kImageSize) {
            rule.widget->setVisible(image[rule.imageIndex] != 0);
        }
    }
}

} // namespace kordana
