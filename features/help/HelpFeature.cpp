#include "features/help/HelpFeature.h"

#include "about/TFormAbout.h"
#include "shell/Shell.h"

#include <QAction>
#include <QFileInfo>
#include <QUrl>

namespace kordana {

void HelpFeature::install(Shell& shell) {
    m_shell = &shell;
    // One about box for the window's life, centred once when it is made; it opens again where
    // the user left it.
    m_about = new TFormAbout(&shell.mainWindow());
    if (QAction* item = shell.addMenuItem({"MenuContens", "&Contents...", "F1"})) {
        QObject::connect(item, &QAction::triggered, m_about, [this] { MenuContensClick(); });
    }
    if (QAction* item = shell.addMenuItem({"MenuAbout", "&About..."})) {
        QObject::connect(item, &QAction::triggered, m_about, [this] { MenuAboutClick(); });
    }
}

QString HelpFeature::helpDocumentPath() const {
    const QString name = QString::fromStdString(m_shell->texts().TextHelpFile);
    const QString dir = m_shell->desktop().programDir();
    // Beside the program in a build; an installed program finds it in its document folder.
    const QString installed = dir + "/../share/doc/kordana";
    if (!QFileInfo(dir + "/" + name).isFile() && QFileInfo(installed + "/" + name).isFile()) {
        return installed + "/" + name;
    }
    return dir + "/" + name;
}

void HelpFeature::MenuContensClick() {
    const QString path = helpDocumentPath();
    if (!QFileInfo(path).isFile() || !m_shell->desktop().openDocument(QUrl::fromLocalFile(path))) {
        m_shell->showMessage(m_shell->texts().TextHelpOpenError);
    }
}

void HelpFeature::MenuAboutClick() {
    m_about->setLanguageIndex(m_shell->languageIndex());
    m_about->exec();
}

} // namespace kordana
