// Switching the user interface between the four languages.
#include "features/language/LanguageFeature.h"

#include "lang/CaptionTables.h"
#include "lang/CommandHints.h"
#include "lang/HintTables.h"
#include "lang/ItemListTables.h"
#include "lang/Language.h"
#include "shell/QtText.h"
#include "shell/Shell.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>

namespace kordana {

namespace {

bool isToolBarControl(const QObject* object) {
    for (const QObject* p = object; p != nullptr; p = p->parent()) {
        if (p->objectName() == "GroupBoxToolBar") {
            return true;
        }
    }
    return false;
}

// A button or label that no layout places keeps the width it was given for its first caption
// (its first show sizes it to that caption, once); a longer caption of another language widens
// it so that nothing is clipped. A word-wrapping label takes more lines instead.
void widenForCaption(QWidget& control) {
    const QWidget* parent = control.parentWidget();
    const auto* label = qobject_cast<const QLabel*>(&control);
    if (parent == nullptr || parent->layout() != nullptr ||
        (label != nullptr && label->wordWrap())) {
        return;
    }
    const QSize wanted = control.sizeHint();
    if (control.width() < wanted.width()) {
        // A control never sized by hand takes the height its caption needs, as at its first show.
        control.resize(wanted.width(),
                       control.testAttribute(Qt::WA_Resized) ? control.height() : wanted.height());
    }
}

// Puts a caption on every control named `name` of the window, whatever kind it is.
void setCaption(QWidget& window, QTabWidget& tabs, const QString& name, const QString& text) {
    if (name == window.objectName()) {
        window.setWindowTitle(text);
        return;
    }
    for (QObject* object : window.findChildren<QObject*>(name)) {
        if (auto* act = qobject_cast<QAction*>(object)) {
            act->setText(text);
        } else if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->menuAction()->setText(text);
        } else if (auto* widget = qobject_cast<QWidget*>(object);
                   widget != nullptr && widget->isWindow()) {
            widget->setWindowTitle(text);
        } else if (const int tab = tabs.indexOf(qobject_cast<QWidget*>(object)); tab >= 0) {
            tabs.setTabText(tab, text);
        } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
            group->setTitle(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(object)) {
            button->setText(text);
            widenForCaption(*button);
        } else if (auto* label = qobject_cast<QLabel*>(object)) {
            label->setText(text);
            widenForCaption(*label);
        } else if (auto* dialog = qobject_cast<QDialog*>(object)) {
            dialog->setWindowTitle(text);
        }
    }
}

void setItems(QWidget& window, const QString& name, const QStringList& items) {
    for (QObject* object : window.findChildren<QObject*>(name)) {
        if (auto* combo = qobject_cast<QComboBox*>(object)) {
            // Replacing the list clears the selection; the page refresh selects again, and a
            // window's own choice (no page refreshes it) keeps its index.
            const QSignalBlocker block(combo);
            const int chosen = combo->currentIndex();
            combo->clear();
            combo->addItems(items);
            combo->setCurrentIndex(chosen < items.size() ? chosen : -1);
        } else if (auto* tree = qobject_cast<QTreeWidget*>(object)) {
            tree->setHeaderLabels(items);
        } else if (auto* group = qobject_cast<QGroupBox*>(object)) {
            const auto buttons = group->findChildren<QRadioButton*>();
            for (int i = 0; i < buttons.size() && i < items.size(); ++i) {
                buttons[i]->setText(items[i]);
            }
        }
    }
}

void setHint(QWidget& window, const QString& name, const QString& hint) {
    // The parts view into `text`, which must outlive them.
    const std::string text = hint.toStdString();
    const auto parts = splitHint(text);
    const QString shortPart = toQString(parts.shortPart);
    const QString longPart = toQString(parts.longPart);
    for (QObject* object : window.findChildren<QObject*>(name)) {
        if (auto* act = qobject_cast<QAction*>(object)) {
            act->setStatusTip(longPart);
        } else if (auto* menu = qobject_cast<QMenu*>(object)) {
            menu->menuAction()->setStatusTip(longPart);
        } else if (auto* widget = qobject_cast<QWidget*>(object)) {
            widget->setStatusTip(longPart);
            // Only the tool bar's controls show tooltips.
            widget->setToolTip(isToolBarControl(widget) ? shortPart : QString());
        }
    }
}

} // namespace

void LanguageFeature::install(Shell& shell) {
    m_shell = &shell;
    const struct {
        MenuItemSpec item;
        void (LanguageFeature::*handler)();
    } items[] = {{{"MenuEnglish", "&English"}, &LanguageFeature::MenuEnglishClick},
                 {{"MenuGerman", "&German"}, &LanguageFeature::MenuGermanClick},
                 {{"MenuCzech", "&Czech"}, &LanguageFeature::MenuCzechClick},
                 {{"MenuFrench", "&French"}, &LanguageFeature::MenuFrenchClick}};
    for (const auto& entry : items) {
        QAction* item = shell.addMenuItem(entry.item);
        QObject::connect(item, &QAction::triggered, item,
                         [this, handler = entry.handler] { (this->*handler)(); });
    }
    shell.mainWindow().findChild<QAction*>("MenuCzech")->setVisible(false);
}

void LanguageFeature::applyLanguage(std::uint8_t index) {
    QWidget& window = m_shell->mainWindow();
    QTabWidget& pages = m_shell->pageControl();
    for (std::size_t i = 0; i < kLanguageMenuItems.size(); ++i) {
        if (QAction* item = window.findChild<QAction*>(toQString(kLanguageMenuItems[i]))) {
            item->setChecked(i == index);
        }
    }
    for (const CaptionRow& row : captionTable()) {
        for (std::string_view control : row.controls) {
            setCaption(window, pages, toQString(control), toQString(textFor(row, index)));
        }
    }
    for (const ItemListRow& row : itemListTable()) {
        QStringList items;
        for (std::string_view item : itemsFor(row, index)) {
            items << toQString(item);
        }
        for (std::string_view control : row.controls) {
            setItems(window, toQString(control), items);
        }
    }
    for (const FormHint& formHint : formHints()) {
        for (std::string_view control : formHint.controls) {
            setHint(window, toQString(control), toQString(formHint.hint));
        }
    }
    for (const std::span<const HintRow> table : {hintTable(), commandHintTable()}) {
        for (const HintRow& row : table) {
            for (std::string_view control : row.controls) {
                setHint(window, toQString(control), toQString(textFor(row, index)));
            }
        }
    }
}

void LanguageFeature::selectLanguage(std::uint8_t index) {
    m_shell->setLanguage(index);
    m_shell->PageRefresh();
}

void LanguageFeature::MenuEnglishClick() {
    selectLanguage(kLanguageEnglish);
}
void LanguageFeature::MenuGermanClick() {
    selectLanguage(kLanguageGerman);
}
void LanguageFeature::MenuFrenchClick() {
    selectLanguage(kLanguageFrench);
}
void LanguageFeature::MenuCzechClick() {
    selectLanguage(kLanguageCzech);
}

} // namespace kordana
