#pragma once

#include "lang/MessageTexts.h"
#include "link/LinkEvents.h"

#include <string>

namespace kordana {

/// The status-line text of `message` in the language of `texts`, with " OK" appended when
/// `ok`; the window and kordana-cli show the same words.
std::string linkMessageText(LinkMessage message, bool ok, const MessageTexts& texts);

} // namespace kordana
