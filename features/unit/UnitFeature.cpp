// The link to the unit: Read / Verify / Program / Compare, programming after change, the
// link's tick, and what the link reports.
#include "features/unit/UnitFeature.h"

#include "editors/MapGrid.h"
#include "features/unit/AssignDeviceDialog.h"
#include "features/unit/CompareWindow.h"
#include "features/unit/ConnectionField.h"
#include "link/LinkMessageText.h"
#include "link/LinkProtocol.h"
#include "link/serial/PortWatch.h"
#include "link/serial/SerialPort.h"
#include "params/ParameterDiff.h"
#include "session/EditSession.h"
#include "settings/IniFile.h"
#include "shell/EventHub.h"
#include "shell/Shell.h"
#include "shell/StatusLine.h"

#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTimer>

namespace kordana {

namespace {
// The unit header (0..99) identifies the unit and is never compared.
constexpr std::size_t kFirstParameterByte = 100;
} // namespace

/// Puts what the link reports on the window: the run's progress on the status line, the rest
/// into the session and, through the hub, to the features.
class UnitFeature::Events final : public LinkEvents {
public:
    explicit Events(UnitFeature& unit) : m_unit(unit) {}

    void statusLine(LinkMessage message, bool ok, StatusColour colour) override {
        const MessageTexts& texts = shell().texts();
        std::string text = linkMessageText(message, ok, texts);
        // A run cut off between blocks leaves the unit with a mixture of two sets.
        if (message == LinkMessage::ProgramError && !ok) {
            text += " " + texts.TextPartlyProgrammed;
        }
        shell().statusLine().showStatus(QString::fromStdString(text), colour == StatusColour::Red);
        // A verify that passed (alone, or ending a read or a programming run) means the unit
        // holds the parameter bytes the run sent; any failure leaves them unknown.
        if (ok && message == LinkMessage::Verify) {
            emit shell().hub().unitHoldsSet(m_unit.m_link->runImage());
            // The verify pass that ends a programming run, full or quick.
            if (m_unit.m_link->runKind() == LinkMode::Program) {
                emit shell().hub().unitProgrammed(m_unit.m_link->runImage());
            }
        } else if (colour == StatusColour::Red) {
            emit shell().hub().unitSetUnknown();
        }
    }
    void statusVisible(bool visible) override { shell().statusLine().setStatusVisible(visible); }
    void gaugeProgress(int progress) override { shell().statusLine().setProgress(progress); }
    void gaugeVisible(bool visible) override { shell().statusLine().setGaugeVisible(visible); }
    void noConnection(bool shown) override {
        shell().statusLine().setNoConnection(shown);
        m_unit.showConnection(static_cast<int>(shown ? LinkState::NoAnswer : LinkState::Connected));
        // A silent unit may be unplugged and another one plugged in.
        if (shown) {
            m_unit.forgetUnit();
            emit shell().hub().unitSilent();
        }
    }
    void unmatchedUnit() override {
        emit shell().hub().unitSetUnknown();
        // Shown once the tick has finished, so the modal loop never runs inside the protocol.
        QTimer::singleShot(0, &shell().mainWindow(), [shell = &shell()] {
            shell->showMessage(shell->texts().TextUnmatchedUnit);
        });
    }
    void imageChanged() override {
        // A read that got all its blocks: before the pass repairs anything, the image holds
        // exactly what the unit sent.
        const bool readWhole = m_unit.m_link->mode() == LinkMode::Read;
        if (readWhole) {
            m_unit.m_readHeld = shell().session().image();
            emit shell().hub().unitHoldsSet(shell().session().image());
        }
        shell().ConsistencyPass();
        shell().PageRefresh();
        if (readWhole) {
            emit shell().hub().unitSetRead();
        }
    }
    void headerDecoded(const UnitHeaderTexts& header) override {
        m_unit.m_connection->facts().header = header;
        m_unit.showConnection();
        emit shell().hub().unitHeaderDecoded(header);
    }
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override {
        shell().ShowMonitorFrame(frame);
    }
    void compareRead(const ParameterImage& unitSet) override {
        // The compare has just read what the unit holds.
        emit shell().hub().unitHoldsSet(unitSet);
        m_unit.showComparison(unitSet, true);
    }
    // A silent unit sent nothing to compare; only a unit that answered differently is listed.
    void verifyFailed(const ParameterImage& unitSet) override {
        if (!m_unit.showReadRepairs(unitSet)) {
            m_unit.showComparison(unitSet, false);
        }
    }
    void fastLinkSwitchedOff() override {
        m_unit.m_fastLink->setChecked(false);
        showLinkNote(shell().texts().TextFastLinkOff);
    }
    void fastMonitorFellBack() override { showLinkNote(shell().texts().TextFastMonitorOff); }
    void noSavingReported() override { showLinkNote(shell().texts().TextNoSaving); }

private:
    Shell& shell() { return *m_unit.m_shell; }
    // The link's own notes stand on the status line until its next message, and are held
    // and hidden as any status is.
    void showLinkNote(const std::string& text) {
        shell().statusLine().showStatus(QString::fromStdString(text), false);
        m_unit.m_link->holdWindowStatus();
    }

    UnitFeature& m_unit;
};

UnitFeature::UnitFeature() = default;
UnitFeature::~UnitFeature() = default;

void UnitFeature::install(Shell& shell) {
    m_shell = &shell;
    m_port = std::make_unique<SerialPort>();
    m_events = std::make_unique<Events>(*this);
    // The link writes the unit's header and the blocks of a read straight into the image and
    // then reports imageChanged(), whose consistency pass records the change in the session.
    m_link = std::make_unique<LinkProtocol>(shell.session().imageForLink(), *m_port, *m_events);
    m_portWatch = std::make_unique<PortWatch>(*m_port);
    // On the fast link a reply is taken in as soon as it is there; on the tick pace the link
    // leaves it for the tick.
    m_port->setReadyReadHandler([this] {
        m_link->replyArrived();
        tellBusy();
    });
    installCommands();
    buildPortMenu();
    m_compareWindow = new CompareWindow(&shell.mainWindow());
    m_compareWindow->setTakeHandler(
        [this](const std::vector<ParameterDifference>& chosen) { takeUnitValues(chosen); });
    m_assignDevice = new AssignDeviceDialog(&shell.mainWindow());
    QObject::connect(m_assignDevice, &AssignDeviceDialog::assigned, m_assignDevice,
                     [this](int comNumber, const QString& path) { assignDevice(comNumber, path); });

    m_connection = std::make_unique<ConnectionField>(&shell.mainWindow());
    shell.addStatusBarWidget(m_connection->label());
    EventHub& hub = shell.hub();
    QObject* context = m_compareWindow;
    QObject::connect(&hub, &EventHub::monitorFrameDecoded, context,
                     [this](const MonitorFrame& frame) {
                         m_connection->facts().programmings = frame.programmingCount;
                         showConnection();
                     });
    QObject::connect(&hub, &EventHub::tick, context, [this] {
        m_link->tick();
        tellBusy();
        watchPort();
    });
    QObject::connect(&hub, &EventHub::setChanged, context,
                     [this](const ChangeSet&, ChangeCause cause) { followComparison(cause); });
    QObject::connect(&hub, &EventHub::committed, context,
                     [this] { ProgrammingAfterChangeCheck(); });
    QObject::connect(&hub, &EventHub::statusHeld, context, [this] { m_link->holdWindowStatus(); });
    QObject::connect(&hub, &EventHub::statusHideRequested, context,
                     [this] { m_link->hideStatus(); });
    QObject::connect(&hub, &EventHub::printingChanged, context, [this](bool on) {
        m_link->setPrinting(on);
        if (on) {
            m_link->holdWindowStatus();
        }
    });
}

void UnitFeature::installCommands() {
    const struct {
        MenuItemSpec item;
        const char* button;
        const char* buttonCaption;
        void (UnitFeature::*handler)();
    } commands[] = {
        {{"MenuRead", "&Read", "F7"}, "ButtonRead", "&Read", &UnitFeature::MenuReadClick},
        {{"MenuVerify", "&Verify", "F8"}, "ButtonVerify", "&Verify", &UnitFeature::MenuVerifyClick},
        {{"MenuProgram", "&Program", "F9"},
         "ButtonProgram",
         "&Program",
         &UnitFeature::MenuProgramClick},
        {{"MenuCompare", "Co&mpare with unit"}, nullptr, nullptr, &UnitFeature::MenuCompareClick},
    };
    for (const auto& command : commands) {
        QAction* item = m_shell->addMenuItem(command.item);
        const auto run = [this, handler = command.handler] { (this->*handler)(); };
        QObject::connect(item, &QAction::triggered, item, run);
        if (command.button != nullptr) {
            QAbstractButton* button =
                m_shell->addToolButton({command.button, command.buttonCaption});
            QObject::connect(button, &QAbstractButton::clicked, button, run);
        }
    }
    m_progHned = new QCheckBox("Programming after change", &m_shell->mainWindow());
    m_progHned->setObjectName("CheckBoxProgHned");
    m_shell->addToolBarRowWidget(m_progHned);
}

void UnitFeature::MenuReadClick() {
    // The link writes each block into the image as it arrives and a failed read keeps what it
    // got, so the set is kept before the first block can land. A Read that replaces a running
    // read would keep a half-read mixture; the set before that read is kept already.
    if (m_link->mode() != LinkMode::Read) {
        emit m_shell->hub().aboutToReplaceSet(SetHistoryCause::Read, m_shell->session().image());
    }
    clearComparison();
    m_link->startRead();
    tellBusy();
    m_shell->hub().nameSetFile(QString());
}

void UnitFeature::MenuVerifyClick() {
    m_readHeld.reset();
    m_shell->harvestShownPage();
    m_link->startVerify();
    tellBusy();
}

void UnitFeature::MenuProgramClick() {
    m_shell->harvestShownPage();
    StartProgramming();
}

void UnitFeature::StartProgramming() {
    clearComparison();
    m_link->startProgram();
    tellBusy();
}

void UnitFeature::tellBusy() {
    m_shell->hub().setUnitBusy(m_link->mode() != LinkMode::Idle);
}

// The set being edited is compared as it stands: no harvest, so nothing starts a programming
// run and the set is not changed by comparing it.
void UnitFeature::MenuCompareClick() {
    clearComparison();
    m_link->startCompare();
    tellBusy();
}

void UnitFeature::ProgrammingAfterChangeCheck() {
    if (!m_shell->session().programmingAfterChangeDue(m_progHned->isChecked())) {
        return;
    }
    ++m_programmingAfterChangeStarts;
    if (!m_link->quickProgramming()) {
        StartProgramming();
        return;
    }
    // Quick: the changed blocks only, or after the running run (or the unit's saving).
    clearComparison();
    m_link->programAfterChange();
    tellBusy();
}

void UnitFeature::showComparison(const ParameterImage& unitSet, bool fromCompareRead) {
    const auto differences = diffParameterSets(DiffSide{m_shell->session().image(), std::nullopt},
                                               DiffSide{unitSet, std::nullopt});
    if (differences.empty() && !fromCompareRead) {
        return;
    }
    m_comparedUnit = unitSet;
    m_shell->mapGrid().setOutlinedCells(differingMapCells(differences));
    m_compareWindow->showDifferences(differences, !fromCompareRead);
}

bool UnitFeature::showReadRepairs(const ParameterImage& unitSet) {
    if (!m_readHeld) {
        return false;
    }
    const ParameterImage& set = m_shell->session().image();
    bool repaired = false;
    for (std::size_t i = kFirstParameterByte; i < kImageSize; ++i) {
        if (set[i] != unitSet[i]) {
            if (unitSet[i] != (*m_readHeld)[i]) {
                return false;
            }
            repaired = true;
        }
    }
    if (!repaired) {
        return false;
    }
    const auto repairs =
        diffParameterSets(DiffSide{set, std::nullopt}, DiffSide{*m_readHeld, std::nullopt});
    QString text = QString::fromStdString(m_shell->texts().TextReadRepaired);
    text.replace("%1", QString::number(repairs.size()));
    m_comparedUnit.reset();
    m_shell->mapGrid().setOutlinedCells(differingMapCells(repairs));
    m_compareWindow->showRepairs(repairs, text.toStdString());
    return true;
}

void UnitFeature::clearComparison() {
    m_readHeld.reset();
    m_comparedUnit.reset();
    m_shell->mapGrid().setOutlinedCells({});
}

void UnitFeature::followComparison(ChangeCause cause) {
    // A read of the unit clears the comparison itself; a new, opened or restored set no longer
    // has anything to do with what the unit was compared with.
    if (cause == ChangeCause::UnitRead) {
        return;
    }
    if (!m_comparedUnit || cause == ChangeCause::File) {
        m_comparedUnit.reset();
        m_shell->mapGrid().setOutlinedCells({});
        return;
    }
    const auto differences = diffParameterSets(DiffSide{m_shell->session().image(), std::nullopt},
                                               DiffSide{*m_comparedUnit, std::nullopt});
    m_shell->mapGrid().setOutlinedCells(differingMapCells(differences));
    m_compareWindow->updateDifferences(differences);
}

void UnitFeature::takeUnitValues(const std::vector<ParameterDifference>& chosen) {
    if (!m_comparedUnit) {
        return;
    }
    std::vector<ByteWrite> writes;
    for (const ParameterDifference& d : chosen) {
        if (d.imageIndex < kImageSize) {
            writes.push_back(ByteWrite{d.imageIndex, (*m_comparedUnit)[d.imageIndex]});
        }
    }
    // No map page: the unit's bytes are taken as they are, with no coupling rule.
    m_shell->session().applyHarvest(-1, writes);
    m_shell->CommitTail();
}

void UnitFeature::showConnection(std::optional<int> state) {
    ConnectionFacts& facts = m_connection->facts();
    if (state) {
        facts.state = static_cast<LinkState>(*state);
        // A unit that does not answer may be another one when it does.
        if (facts.state != LinkState::Connected) {
            facts.header.reset();
            facts.programmings.reset();
        }
    }
    m_connection->show(m_shell->texts());
}

void UnitFeature::forgetUnit() {
    emit m_shell->hub().unitSetUnknown();
    m_shell->mapGrid().clearTrail();
}

} // namespace kordana
