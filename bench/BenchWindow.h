#pragma once

#include "app/TFormHlav.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QPagedPaintDevice>
#include <QTemporaryDir>
#include <QTimer>

namespace kordana {

/// A desktop whose message boxes answer OK at once and whose dialogs are cancelled.
class QuietDesktop final : public DesktopServices {
public:
    Answer messageBox(QWidget*, const QString&, Buttons) override { return Answer::Ok; }
    QString parameterFileName(QWidget*, const QString&, bool) override { return {}; }
    QString pdfFileName(QWidget*, const QString&) override { return {}; }
    QString logFileName(QWidget*, const QString&) override { return {}; }
    QString csvFileName(QWidget*, const QString&) override { return {}; }
    std::unique_ptr<QPagedPaintDevice> defaultPrinter() override { return nullptr; }
    bool openDocument(const QUrl&) override { return false; }
    QString programDir() const override { return {}; }
};

/// The child of the window called `name`.
template <class T>
T* childNamed(const QWidget& window, const char* name) {
    return window.findChild<T*>(name);
}

/// One window for all window benchmarks, in a configuration folder of its own whose ports lead
/// nowhere. It is never destroyed: it would outlive the application object as a static.
inline TFormHlav& benchWindow() {
    static QTemporaryDir dir;
    static TFormHlav* form = [] {
        const QString config = dir.path() + "/kordana";
        QDir().mkpath(config);
        const std::string none = (dir.path() + "/no-such-tty").toStdString();
        writeFileAtomically(config + "/Kordana_R_2006.ini", "[PORTS]\nCOM1=" + none + "\n");
        auto* made = new TFormHlav(QStringList{}, config, std::make_unique<QuietDesktop>());
        made->FormCreate();
        childNamed<QTimer>(*made, "Timer1")->stop();
        made->show();
        QApplication::processEvents();
        return made;
    }();
    return *form;
}

} // namespace kordana
