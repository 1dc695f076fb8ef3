#pragma once

#include "app/TFormHlav.h"
#include "link/LinkEvents.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>

#include <algorithm>

namespace kordana {

/// Puts what the link reports on the window.
class FormLinkEvents : public LinkEvents {
public:
    explicit FormLinkEvents(TFormHlav& form) : m_form(form) {}

    void statusLine(LinkMessage message, bool ok, StatusColour colour) override {
        QString text = QString::fromStdString(m_form.linkMessageText(message));
        if (ok) {
            text += " OK";
        }
        m_form.LabelHlaseni->setText(text);
        m_form.setStatusColour(colour == StatusColour::Red);
    }
    void statusVisible(bool visible) override { m_form.LabelHlaseni->setVisible(visible); }
    void gaugeProgress(int progress) override {
        m_form.CGauge->setValue(std::clamp(progress, 0, 19));
    }
    void gaugeVisible(bool visible) override { m_form.CGauge->setVisible(visible); }
    void noConnection(bool shown) override { m_form.LabelSpojeni->setVisible(shown); }
    void unmatchedUnit() override {
        // Shown once the tick has finished, so the modal loop never runs inside the protocol.
        QTimer::singleShot(0, &m_form, [form = &m_form] {
            form->messageBox(*form, QString::fromStdString(form->texts.TextUnmatchedUnit),
                             TFormHlav::Buttons::Ok);
        });
    }
    void imageChanged() override {
        m_form.ConsistencyPass();
        m_form.PageRefresh();
    }
    void headerDecoded(const UnitHeaderTexts& header) override { m_form.setUnitHeader(header); }
    void monitorFrame(std::span<const std::uint8_t, kFrameSize> frame) override {
        if (m_form.onMonitorFrame) {
            m_form.onMonitorFrame(frame);
        }
    }

private:
    TFormHlav& m_form;
};

} // namespace kordana
