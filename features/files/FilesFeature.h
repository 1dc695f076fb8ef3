#pragma once

#include "params/IgnReader.h"
#include "params/ParameterImage.h"
#include "session/SetStanding.h"
#include "shell/Feature.h"

#include <QString>

class QLabel;

namespace kordana {

/// The set's files: New (and the motor-and-fuel preset that runs it), Open and Save, the
/// offer to save the set when the settings cannot be written at close, and where the set
/// stands against the last file and the unit (`LabelSetState` in the status bar).
class FilesFeature final : public Feature {
public:
    void install(Shell& shell) override;
    void loadSettings(const IniFile& settings) override;
    void saveSettings(IniFile& settings) const override;
    void started() override;
    void settingsNotWritten(const QString& path, const QString& reason) override;

    void MenuNewClick();
    void MenuOpenClick();
    void MenuSaveClick();
    /// The user chose preset `index` in ComboBoxBike: BIKE := index, then New.
    void ComboBoxBikeChange(int index);

    /// Open after its dialog: loads `path`; when the file carries the right version and was
    /// read to its end, takes it over, hides the status line and runs the commit tail; shows
    /// the failure otherwise. A file that lacks keys is applied too (their bytes keep their
    /// values); the status line then names them and the set counts as changed. True when the
    /// file was applied.
    bool openParameterFile(const QString& path);
    /// Save after its dialog: harvest, consistency pass, refresh, then writes `path`
    /// atomically; on any failure shows "Open file error!" and changes neither the file nor
    /// the remembered path. True when the file was written.
    bool saveParameterFile(const QString& path);
    /// Where the set stands against the last file and the unit, in `LabelSetState`, and
    /// whether Undo and Redo have a step; run after every command and link event.
    void ShowWhereSetStands();
    /// The remembered file and unit sets the status bar compares with.
    const SetStanding& setStanding() const { return m_standing; }

private:
    void installCommands();
    void subscribe();
    void newAfterQuestion(const ParameterImage& replaced);
    void rememberLastFile();
    void showIncompleteFile(const IgnReadResult& read);
    void showFileError(const QString& reason);
    /// The file the set comes from now, and where the next file dialog starts.
    void fileChosen(const QString& absolutePath);

    Shell* m_shell = nullptr;
    SetStanding m_standing;
    QLabel* m_setFile = nullptr;
    QLabel* m_setState = nullptr;
};

} // namespace kordana
