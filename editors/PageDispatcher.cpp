#include "editors/PageDispatcher.h"

namespace kordana {

void PageDispatcher::setPage(int index, std::unique_ptr<EditorPage> page) {
    if (index >= 0 && index < kPageCount) {
        m_pages[static_cast<std::size_t>(index)] = std::move(page);
    }
}

EditorPage* PageDispatcher::page(int index) const {
    if (index < 0 || index >= kPageCount) {
        return nullptr;
    }
    return m_pages[static_cast<std::size_t>(index)].get();
}

void PageDispatcher::harvest(int index, EditSession& session) const {
    if (EditorPage* p = page(index)) {
        p->harvest(session);
    }
}

void PageDispatcher::refresh(int index, const EditSession& session) const {
    if (EditorPage* p = page(index)) {
        p->refresh(session);
    }
}

void PageDispatcher::markOperatingPoint(int index, const ParameterImage& image,
                                        const MonitorLiveValues& live,
                                        const MapMark& mapMark) const {
    if (EditorPage* p = page(index)) {
        p->markOperatingPoint(image, live, mapMark);
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
