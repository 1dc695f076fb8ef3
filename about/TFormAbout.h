#pragma once

#include <QDialog>

#include <cstdint>

class QLabel;

namespace kordana {

/// The modal about box: the product logo, the build date and time, and an "OK" text that
/// closes it. One instance lives as long as the main window; its title follows the language
/// each time it is shown.
class TFormAbout : public QDialog {
    Q_OBJECT

public:
    /// Builds the box with its build labels, centred on the screen once; `parent` owns it.
    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* LabelDate = nullptr;
    QLabel* LabelTime = nullptr;
    QLabel* LabelExit = nullptr;
    /// The program's version, small, beside the build date and time.
    QLabel* LabelProgramVersion = nullptr;

    /// The build date as "Mmm dd yyyy" (day padded with a blank) and time as "hh:mm:ss".
    static QString buildDate();
    static QString buildTime();
    /// The title for a language index: English, German, French, Czech.
    static QString titleFor(std::uint8_t languageIndex);
    /// The version line for a language index, e.g. "Version 0.9.0".
    static QString versionFor(std::uint8_t languageIndex);

    /// The language the title follows from the next time the box becomes active.
    void setLanguageIndex(std::uint8_t index) { m_languageIndex = index; }

public slots:
    /// Closes the box (clicking LabelExit); the modal call that showed it returns.
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void FormCreate();
    /// Sets the title from the language, each time the box is shown or activated.
    void FormActivate();

    std::uint8_t m_languageIndex = 0;
};

} // namespace kordana
