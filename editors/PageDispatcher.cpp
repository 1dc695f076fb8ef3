#include "editors/PageDispatcher.h"

namespace kordana {

void PageDispatcher::registerPage(int index, PageSpec spec) {
    if (index >= 0 && index < kPageCount) {
        m_pages[static_cast<std::size_t>(index)] = std::move(spec);
    }
}

void PageDispatcher::addFields(int index, std::vector<Field> fields) {
    if (index < 0 || index >= kPageCount) {
        return;
    }
    auto& spec = m_pages[static_cast<std::size_t>(index)];
    if (!spec) {
        spec.emplace();
    }
    spec->fields.insert(spec->fields.end(), fields.begin(), fields.end());
}

bool PageDispatcher::hasPage(int index) const {
    return page(index) != nullptr;
}

const PageSpec* PageDispatcher::page(int index) const {
    if (index < 0 || index >= kPageCount) {
        return nullptr;
    }
    const auto& spec = m_pages[static_cast<std::size_t>(index)];
    return spec ? &*spec : nullptr;
}

void PageDispatcher::harvest(int index, ParameterImage& image) const {
    const PageSpec* spec = page(index);
    if (spec == nullptr || (spec->canHarvest && !spec->canHarvest())) {
        return;
    }
    harvestFields(spec->fields, image, spec->onStore);
    if (spec->afterHarvest) {
        spec->afterHarvest(image);
    }
}

void PageDispatcher::refresh(int index, const ParameterImage& image) const {
    const PageSpec* spec = page(index);
    if (spec == nullptr) {
        return;
    }
    if (spec->beforeRefresh) {
        spec->beforeRefresh();
    }
    refreshFields(spec->fields, image);
    if (spec->afterRefresh) {
        spec->afterRefresh(image);
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
