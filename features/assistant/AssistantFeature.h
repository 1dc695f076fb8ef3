#pragma once

#include "analysis/Analysis.h"
#include "analysis/Proposal.h"
#include "shell/Feature.h"

#include <QStringList>

#include <functional>
#include <memory>

namespace kordana {

class AssistantWindow;
struct MonitorFrame;

/// Tools > Tuning assistant...: fuel corrections from the lambda input and ignition retards
/// from the knock of each cylinder, analysed from monitor logs or live frames as they arrive,
/// shown over the map pages and accepted as one undoable step.
class AssistantFeature final : public Feature {
public:
    AssistantFeature();
    ~AssistantFeature() override;

    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void applyLanguage(std::uint8_t index) override;

    /// Opens the assistant's window.
    void MenuTuningAssistantClick();
    AssistantWindow* window() const { return m_window; }

    /// Reads the monitor log `path` and adds its rows as one run; false (said on the status
    /// line) when the log cannot be read.
    bool addLog(const QString& path);
    /// Accepts every proposed change, or those inside the map grid's selected block, as one
    /// step; the analysis then starts a new pass (samples of the old cells describe them no
    /// longer).
    void acceptAll();
    void acceptSelection();
    /// Locks (or unlocks) the selected cells of the shown map against proposals; unlocking
    /// without a selection unlocks the whole map.
    void lockSelection();
    void unlockSelection();
    /// Forgets every sample and log: a new pass against the set as it stands.
    void reset();

    const analysis::AnalysisResult& result() const;
    const analysis::Proposal& proposal() const { return m_proposal; }

    /// Where live frames take their time from, in seconds (default: a clock started with the
    /// pass).
    void setClock(std::function<double()> clock) { m_clock = std::move(clock); }

private:
    void subscribe();
    void connectWindow();
    void addFrame(const MonitorFrame& frame);
    void update();
    void showNotes();
    void accept(bool selectionOnly);
    void lock(bool on);

    Shell* m_shell = nullptr;
    AssistantWindow* m_window = nullptr;
    std::unique_ptr<analysis::Analyzer> m_analyzer;
    analysis::Proposal m_proposal;
    analysis::CellLocks m_locks{};
    QStringList m_logs;
    std::function<double()> m_clock;
    double m_passStart = 0;
    bool m_dirty = false;
};

} // namespace kordana
