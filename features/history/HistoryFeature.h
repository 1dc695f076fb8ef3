#pragma once

#include "shell/Feature.h"
#include "storage/SetHistory.h"

#include <QString>

#include <memory>
#include <optional>

namespace kordana {

class EarlierSetsDialog;
class Shell;

/// The history of replaced sets: keeps the set that New, Open, Read and a restore are about
/// to replace, and File > Earlier sets... lists them and restores one.
class HistoryFeature final : public Feature {
public:
    HistoryFeature();
    ~HistoryFeature() override;

    void install(Shell& shell) override;
    void applyLanguage(std::uint8_t index) override;

    /// Keeps the replaced sets in `folder` from now on (main passes SetHistory::defaultFolder());
    /// empty: none are kept, as until it is set.
    void setHistoryFolder(const QString& folder);
    /// The history of replaced sets, or null while none is kept.
    const SetHistory* history() const { return m_history.get(); }
    /// The dialog of File > Earlier sets..., made at install.
    EarlierSetsDialog* earlierSetsDialog() const { return m_dialog; }
    /// Loads the entry `entryPath`; when it applies, keeps the set it replaces as a "restore"
    /// entry, takes the entry over as one change with no file name and runs the commit tail.
    /// Shows the failure otherwise. True when applied.
    bool restoreEarlierSet(const QString& entryPath);
    /// File > Earlier sets...: shows the list of replaced sets (not modal).
    void MenuEarlierSetsClick();

private:
    void record(SetHistoryCause cause, const ParameterImage& replaced);
    void reload();

    Shell* m_shell = nullptr;
    std::unique_ptr<SetHistory> m_history;
    // A damaged stored set found before the folder was known, kept once it is.
    std::optional<ParameterImage> m_pendingDamaged;
    EarlierSetsDialog* m_dialog = nullptr;
};

} // namespace kordana
