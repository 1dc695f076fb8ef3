// The link to the unit: serial port, Read / Verify / Program, the main timer tick, and what
// the link reports.
#include "app/TFormHlav.h"

#include "app/CompareWindow.h"
#include "app/StatusLine.h"
#include "editors/MapGrid.h"
#include "editors/RuznePage.h"
#include "link/LinkEvents.h"
#include "link/LinkMessageText.h"
#include "link/LinkProtocol.h"
#include "link/serial/ComPortName.h"
#include "link/serial/PortWatch.h"
#include "link/serial/SerialPort.h"

#include <QAction>
#include <QMenu>
#include <QTimer>

namespace kordana {

/// Puts what the link reports on the window: the run's progress on the status line, the rest
/// into the session, the Various page and the monitor.
class TFormHlav::LinkEventsAdapter final : public LinkEvents {
public:
    explicit LinkEventsAdapter(TFormHlav& form) : m_form(form) {}

    void statusLine(LinkMessage message, bool ok, StatusColour colour) override {
        std::string text = linkMessageText(message, ok, m_form.m_texts);
        // A run cut off between blocks leaves the unit with a mixture of two sets.
        if (message == LinkMessage::ProgramError && !ok) {
            text += " " + m_form.m_texts.TextPartlyProgrammed;
        }
        m_form.m_statusLine->showStatus(QString::fromStdString(text), colour == StatusColour::Red);
        m_form.unitStatus(message, ok, colour);
    }
    void statusVisible(bool visible) override { m_form.m_statusLine->setStatusVisible(visible); }
    void gaugeProgress(int progress) override { m_form.m_statusLine->setProgress(progress); }
    void gaugeVisible(bool visible) override { m_form.m_statusLine->setGaugeVisible(visible); }
    void noConnection(bool shown) override {
        m_form.m_statusLine->setNoConnection(shown);
        // A silent unit may be unplugged and another one plugged in.
        if (shown) {
            m_form.m_standing.forgetUnit();
            m_form.m_mapGrid->clearTrail();
            m_form.ShowWhereSetStands();
            emit m_form.m_hub.unitSilent();
        }
    }
    void unmatchedUnit() override {
        m_form.m_standing.forgetUnit();
        // Shown once the tick has finished, so the modal loop never runs inside the protocol.
        QTimer::singleShot(
            0, &m_form, [form = &m_form] { form->showMessage(form->m_texts.TextUnmatchedUnit); });
    }
    void imageChanged() override {
        // A read that got all its blocks: before the pass repairs anything, the image holds
        // exactly what the unit sent.
        if (m_form.m_link->mode() == LinkMode::Read) {
            m_form.m_standing.unitHolds(m_form.m_session.image());
        }
        m_form.ConsistencyPass();
        m_form.PageRefresh();
    }
    void headerDecoded(const UnitHeaderTexts& header) override {
        m_form.m_ruzne->setUnitHeader(header);
    }
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override {
        m_form.ShowMonitorFrame(frame);
    }
    void compareRead(const ParameterImage& unitSet) override {
        // The compare has just read what the unit holds.
        m_form.m_standing.unitHolds(unitSet);
        m_form.ShowWhereSetStands();
        m_form.showComparison(unitSet, true);
    }
    // A silent unit sent nothing to compare; only a unit that answered differently is listed.
    void verifyFailed(const ParameterImage& unitSet) override {
        m_form.showComparison(unitSet, false);
    }

private:
    TFormHlav& m_form;
};

TFormHlav::~TFormHlav() = default;

void TFormHlav::createLink() {
    m_port = std::make_unique<SerialPort>();
    m_linkEvents = std::make_unique<LinkEventsAdapter>(*this);
    // The link writes the unit's header and the blocks of a read straight into the image and
    // then reports imageChanged(), whose consistency pass records the change in the session.
    m_link = std::make_unique<LinkProtocol>(m_session.imageForLink(), *m_port, *m_linkEvents);
    m_portWatch = std::make_unique<PortWatch>(*m_port);
}

void TFormHlav::watchPort() {
    const PortWatchEvent event = m_portWatch->tick();
    if (event == PortWatchEvent::None) {
        return;
    }
    const bool lost = event == PortWatchEvent::Lost;
    m_statusLine->showStatus(
        QString::fromStdString(lost ? m_texts.TextPortLost : m_texts.TextPortReconnected), lost);
    m_statusLine->setStatusVisible(true);
    if (!lost) {
        // The device may now lead to another unit: its set and its trail are not known.
        m_standing.forgetUnit();
        m_mapGrid->clearTrail();
        ShowWhereSetStands();
    }
}

QString TFormHlav::comPortDevice() const {
    return comDevice(m_comPortIndex + 1);
}

void TFormHlav::OpenComPort() {
    if (!m_port->open(comPortDevice())) {
        showMessage(m_texts.TextComOpenError);
    }
    const auto items = comPortItems();
    for (int i = 0; i < items.size(); ++i) {
        items[i]->setChecked(i == m_comPortIndex);
    }
}

void TFormHlav::CloseComPort() {
    m_port->close();
}

void TFormHlav::MenuCom1Click() {
    const int index = comPortItems().indexOf(qobject_cast<QAction*>(sender()));
    if (index < 0) {
        return;
    }
    m_comPortIndex = static_cast<std::uint8_t>(index);
    ReopenComPort();
}

void TFormHlav::ReopenComPort() {
    // A log holds one unit's frames, the set's standing and the trail one unit's: the port
    // may now lead to another unit.
    emit m_hub.unitReplaced();
    CloseComPort();
    OpenComPort();
    m_standing.forgetUnit();
    m_mapGrid->clearTrail();
    ShowWhereSetStands();
}

void TFormHlav::MenuReadClick() {
    // The link writes each block into the image as it arrives and a failed read keeps what it
    // got, so the set is kept before the first block can land. A Read that replaces a running
    // read would keep a half-read mixture; the set before that read is kept already.
    if (m_link->mode() != LinkMode::Read) {
        emit m_hub.aboutToReplaceSet(SetHistoryCause::Read, m_session.image());
    }
    clearComparison();
    m_link->startRead();
    setFileName(QString());
}

void TFormHlav::MenuVerifyClick() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    m_link->startVerify();
}

void TFormHlav::MenuProgramClick() {
    PageHarvest();
    ConsistencyPass();
    PageRefresh();
    clearComparison();
    m_link->startProgram();
}

void TFormHlav::StartProgramming() {
    clearComparison();
    m_link->startProgram();
}

// The set being edited is compared as it stands: no harvest, so nothing starts a programming
// run and the set is not changed by comparing it.
void TFormHlav::MenuCompareClick() {
    clearComparison();
    m_link->startCompare();
}

void TFormHlav::showComparison(const ParameterImage& unitSet, bool fromCompareRead) {
    const auto differences = diffParameterSets(DiffSide{m_session.image(), std::nullopt},
                                               DiffSide{unitSet, std::nullopt});
    if (differences.empty() && !fromCompareRead) {
        return;
    }
    m_mapGrid->setOutlinedCells(differingMapCells(differences));
    m_compareWindow->showDifferences(differences, !fromCompareRead);
}

void TFormHlav::clearComparison() {
    m_mapGrid->setOutlinedCells({});
}

void TFormHlav::HideStatusLine() {
    m_link->hideStatus();
}

void TFormHlav::Timer1Timer() {
    m_link->tick();
    watchPort();
    MarkOperatingPoint();
    emit m_hub.tick();
}

void TFormHlav::MarkOperatingPoint() {
    const int page = activePageIndex();
    const MonitorLiveValues& live = m_hub.liveValues();
    const auto at = static_cast<std::size_t>(page);
    // The map cursor once per tick, for the tools, the grid and every feature.
    const MapMark mark = mapMark(m_session.image(), at, live);
    m_operatingPoint.follow(at, m_session.image(), live, mark);
    m_pages.markOperatingPoint(page, m_session.image(), live, mark);
    emit m_hub.cursorMarked(live, at < kMapPageCount ? page : -1, mark);
}

} // namespace kordana
