#pragma once

#include "app/TFormHlav.h"
#include "settings/AtomicFile.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTimer>

namespace kordana {

/// One window for all window benchmarks, in a configuration folder of its own whose ports lead
/// nowhere. It is never destroyed: it would outlive the application object as a static.
inline TFormHlav& benchWindow() {
    static QTemporaryDir dir;
    static TFormHlav* form = [] {
        const QString config = dir.path() + "/kordana";
        QDir().mkpath(config);
        const std::string none = (dir.path() + "/no-such-tty").toStdString();
        writeFileAtomically(config + "/Kordana_R_2006.ini", "[PORTS]\nCOM1=" + none + "\n");
        auto* made = new TFormHlav(QStringList{}, config);
        made->messageBox = [](TFormHlav&, const QString&, TFormHlav::Buttons) {
            return TFormHlav::Answer::Ok;
        };
        made->FormCreate();
        made->Timer1->stop();
        made->show();
        QApplication::processEvents();
        return made;
    }();
    return *form;
}

} // namespace kordana
