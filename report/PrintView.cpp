#include "report/PrintView.h"

#include "editors/UpDownEdit.h"

#include <QTabWidget>
#include <QWidget>

#include <algorithm>
#include <ranges>

namespace kordana {

bool PrintView::seen(const QWidget* widget) const {
    return std::ranges::any_of(m_widgets,
                               [widget](const WidgetState& s) { return s.widget == widget; });
}

void PrintView::hide(QWidget* widget) {
    if (widget == nullptr) {
        return;
    }
    auto* field = qobject_cast<UpDownEdit*>(widget);
    // A widget hidden twice (the no-connection label goes before the rest) is restored to
    // what it was before the first time.
    if (!seen(widget)) {
        m_widgets.push_back({widget, field != nullptr ? Change::Arrows : Change::Hidden,
                             field != nullptr ? field->arrowsVisible() : !widget->isHidden()});
    }
    if (field != nullptr) {
        field->setArrowsVisible(false);
    } else {
        widget->hide();
    }
}

void PrintView::hideOtherTabs(QTabWidget& tabs, int keep) {
    for (int i = 0; i < tabs.count(); ++i) {
        if (i != keep) {
            m_tabs.push_back({&tabs, i, tabs.isTabVisible(i)});
            tabs.setTabVisible(i, false);
        }
    }
}

void PrintView::whiteBackground(QWidget& window) {
    m_backgrounds.push_back({&window, window.palette(), window.testAttribute(Qt::WA_SetPalette)});
    QPalette white = window.palette();
    white.setColor(QPalette::Window, Qt::white);
    window.setPalette(white);
}

void PrintView::restore() {
    // Backwards, so a widget touched twice ends as it was first found.
    for (auto& state : std::views::reverse(m_tabs)) {
        if (state.tabs != nullptr) {
            state.tabs->setTabVisible(state.index, state.wasVisible);
        }
    }
    for (auto& state : std::views::reverse(m_widgets)) {
        if (state.widget == nullptr) {
            continue;
        }
        if (state.change == Change::Arrows) {
            static_cast<UpDownEdit*>(state.widget.data())->setArrowsVisible(state.wasShown);
        } else {
            state.widget->setVisible(state.wasShown);
        }
    }
    for (auto& state : std::views::reverse(m_backgrounds)) {
        if (state.window != nullptr) {
            // A window that only inherited its palette goes back to inheriting it.
            state.window->setPalette(state.ownPalette ? state.palette : QPalette());
        }
    }
    m_tabs.clear();
    m_widgets.clear();
    m_backgrounds.clear();
}

} // namespace kordana
