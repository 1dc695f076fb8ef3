#pragma once

#include "FormFixture.h"

#include "link/LinkProtocol.h"
#include "tools/unit-sim/UnitSimProcess.h"

#include <QTest>
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

    /// Ticks the window until the link is idle again; the unit answers in real time on its
    /// pty, so each tick also lets the event loop move bytes (capped, never a fixed sleep).
    void runToIdle(TFormHlav& form, int maxTicks = 400) {
        for (int i = 0; i < maxTicks; ++i) {
            form.Timer1Timer();
            if (form.link().mode() == LinkMode::Idle) {
                return;
            }
            QTest::qWait(3);
        }
        ADD_FAILURE() << "link still busy";
    }

    UnitSimProcess m_unit;
};

} // namespace kordana::testing
