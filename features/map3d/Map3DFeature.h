#pragma once

#include "shell/Feature.h"

#include <cstddef>

namespace kordana {

class MapSurfaceWindow;
class Shell;

/// View > View map in 3D: the active map (or the map page last shown) as a surface that
/// follows every refresh and the cursor while its window is open.
class Map3DFeature final : public Feature {
public:
    void install(Shell& shell) override;

    /// The surface window, made at install.
    MapSurfaceWindow* window() const { return m_window; }
    /// View > View map in 3D: shows the window over the map and its mark.
    void MenuMap3DClick();

private:
    std::size_t shownMap() const;
    void refresh();
    void mark();

    Shell* m_shell = nullptr;
    MapSurfaceWindow* m_window = nullptr;
    int m_lastMapPage = 0;
};

} // namespace kordana
