#pragma once

#include <QPalette>
#include <QPointer>

#include <vector>

class QTabWidget;
class QWidget;

namespace kordana {

/// The print view of a window: editing widgets hidden, other tabs hidden, a white background.
/// Each widget is remembered as it was the first time the view touched it, and restore() puts
/// each back as it was, whatever had hidden or shown it (a locked grid, a coupling mode, a
/// visibility rule).
class PrintView {
public:
    /// Hides `widget`; an up-down field keeps its number and loses only its arrows. Null is
    /// ignored (a window without that control).
    void hide(QWidget* widget);
    /// Hides every tab of `tabs` but the one at `keep`.
    void hideOtherTabs(QTabWidget& tabs, int keep);
    /// Gives `window` and every child that inherits its palette a white background.
    void whiteBackground(QWidget& window);
    /// Restores every widget, tab and background the view changed, and forgets them.
    void restore();

private:
    enum class Change { Hidden, Arrows };
    struct WidgetState {
        QPointer<QWidget> widget;
        Change change;
        bool wasShown;
    };
    struct TabState {
        QPointer<QTabWidget> tabs;
        int index;
        bool wasVisible;
    };
    struct BackgroundState {
        QPointer<QWidget> window;
        QPalette palette;
        bool ownPalette;
    };

    bool seen(const QWidget* widget) const;

    std::vector<WidgetState> m_widgets;
    std::vector<TabState> m_tabs;
    std::vector<BackgroundState> m_backgrounds;
};

} // namespace kordana
