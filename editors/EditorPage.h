#pragma once

#include "params/ParameterImage.h"

#include <functional>

class QWidget;

namespace kordana {

class EditSession;
struct MapMark;
struct MonitorLiveValues;
struct OperatingPoint;

/// What the bulk tools read besides the session, handed over by the window at the moment a tool
/// runs: where the engine runs, the live values, and the commit tail every tool ends with.
struct BulkToolInput {
    const OperatingPoint& point;
    const MonitorLiveValues& live;
    std::function<void()> commitTail;
};

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
    /// `mapMark` is the map cursor of the active page, computed once for the tick (the default
    /// mark on a page that is no map page).
    virtual void markOperatingPoint(const ParameterImage& image, const MonitorLiveValues& live,
                                    const MapMark& mapMark) {
        (void)image;
        (void)live;
        (void)mapMark;
    }
    /// The Tools menu's Minus (-1) or Plus (+1) on this page: runs the page's tools, each ending
    /// with `input.commitTail`. False when nothing ran (no tool, or the tool had nothing to do).
    virtual bool runBulkTool(EditSession& session, int direction, const BulkToolInput& input) {
        (void)session;
        (void)direction;
        (void)input;
        return false;
    }
};

} // namespace kordana
