#pragma once

#include "FormFixture.h"

#include "features/unit/UnitFeature.h"
#include "link/LinkProtocol.h"
#include "link/serial/SerialPort.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>

#include <string>
#include <vector>

namespace kordana::testing {

/// A window whose COM1 is the simulated unit on a real pseudo-terminal, ticked by hand.
class UnitWindowFixture : public FormFixture {
protected:
    /// Starts the simulator with `simArgs` and a window whose COM1 is the simulator's pty.
    TFormHlav& startWithUnit(const std::vector<std::string>& simArgs = {}) {
        EXPECT_TRUE(m_unit.start(simArgs)) << m_unit.error();
        writeSettings("[PORTS]\nCOM1=" + m_unit.devicePath() + "\n[FORM_HLAV]\nComPort=1\n");
        TFormHlav& form = createForm();
        childNamed<QTimer>(form, "Timer1")->stop(); // the test ticks by hand
        return form;
    }

    /// Ticks the window until the link is idle again.
    void runToIdle(TFormHlav& form, int maxTicks = 400) {
        for (int i = 0; i < maxTicks; ++i) {
            form.Timer1Timer();
            if (form.feature<UnitFeature>()->link().mode() == LinkMode::Idle) {
                return;
            }
            awaitUnit(form);
        }
        ADD_FAILURE() << "link still busy";
    }

    /// The unit answers in real time on its pty: waits until its bytes are there, at most one
    /// tick period as the window's timer would, so a slow machine never makes the link miss a
    /// reply that a real tick would have seen, and a fast one never waits longer than needed.
    static void awaitUnit(TFormHlav& form) {
        QElapsedTimer clock;
        clock.start();
        QTimer wake; // ends the wait below when nothing else happens
        wake.start(kTickMs);
        while (form.feature<UnitFeature>()->serialPort().bytesWaiting() == 0 &&
               clock.elapsed() < kTickMs) {
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        }
    }

    static constexpr int kTickMs = 55;

    UnitSimProcess m_unit;
};

} // namespace kordana::testing
