#pragma once

#include <QIcon>

namespace kordana {

/// The pictures of the glyph buttons of the tool bar.
enum class ToolBarGlyph { New, Open, Save, Print, Marker };

/// The icon of `glyph`, painted at several sizes so that it stays sharp on any screen.
QIcon toolBarGlyph(ToolBarGlyph glyph);

} // namespace kordana
