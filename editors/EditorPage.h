#pragma once

#include "params/ParameterImage.h"

#include <vector>

class QWidget;

namespace kordana {

class EditSession;
struct MonitorLiveValues;

/// One editor page of PageControl1, as the window's page dispatcher sees it. Controls are views
/// of the session's image: a refresh rewrites them, a harvest stores them back as one command.
class EditorPage {
public:
    virtual ~EditorPage() = default;

    /// The page's tab sheet in PageControl1.
    virtual QWidget* sheet() const = 0;
    /// Rewrites the page's controls from the session (signals blocked, no handler runs).
    virtual void refresh(const EditSession& session) = 0;
    /// Stores the page's controls into the session as one harvest command.
    virtual void harvest(EditSession& session) = 0;
    /// Marks where the engine runs; the last step of every tick while the page is active.
    virtual void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live) {
        (void)image;
        (void)live;
    }
    /// The editing widgets the print view hides while this page is printed.
    virtual std::vector<QWidget*> printViewWidgets() const { return {}; }
    /// The Minus (-1) or Plus (+1) bulk tool of this page; false when the page has none.
    virtual bool runBulkTool(EditSession& session, int direction) {
        (void)session;
        (void)direction;
        return false;
    }
};

} // namespace kordana
