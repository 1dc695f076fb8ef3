// What the frame does for its features: the status line, the harvest before an export, the
// set taken over from a file.
#include "app/TFormHlav.h"

#include "app/StatusLine.h"
#include "link/LinkProtocol.h"

namespace kordana {

void TFormHlav::harvestShownPage() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
}

void TFormHlav::showStatus(const QString& text, bool red) {
    m_statusLine->showStatus(text, red);
    m_statusLine->setStatusVisible(true);
    // Held and then hidden like any status, and replaced by the link's next message.
    m_link->holdWindowStatus();
}

} // namespace kordana
