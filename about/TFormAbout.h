#pragma once

#include <QDialog>

class QLabel;

namespace kordana {

/// The modal about box: the product name, the build date and time, and an "OK" text that
/// closes it.
class TFormAbout : public QDialog {
    Q_OBJECT

public:
    /// Builds the box with its build labels, centred on the screen; `parent` owns it.
    explicit TFormAbout(QWidget* parent = nullptr);

    QLabel* LabelDate = nullptr;
    QLabel* LabelTime = nullptr;
    QLabel* LabelExit = nullptr;

    /// The build date as "Mmm dd yyyy" (day padded with a blank) and time as "hh:mm:ss".
    static QString buildDate();
    static QString buildTime();

public slots:
    /// Closes the box (clicking LabelExit); the modal call that showed it returns.
    void Button1Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
};

} // namespace kordana
