#pragma once

class QTabWidget;

namespace kordana {

/// Puts what every page sheet from `first` on holds into a scroll area filling the sheet, so
/// that a window smaller than a page scrolls it instead of cutting it off. The sheet stays the
/// tab's page and keeps its objectName; its controls keep their places, only one level
/// deeper. A page that is one scroll area already is left as it is.
void putPagesInScrollAreas(QTabWidget& pages, int first);

} // namespace kordana
