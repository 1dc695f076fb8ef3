#pragma once

#include "MapFixture.h"

#include "params/ConsistencyPass.h"
#include "params/DefaultSet.h"
#include "params/IgnWriter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <string>
#include <vector>

namespace kordana::testing {

/// A shown main window whose file dialogs answer from `chosenPath` and record the path they
/// were started at, and whose help document opener records what it was asked to open.
class CommandFixture : public MapFixture {
protected:
    TFormHlav& openCommandForm() {
        TFormHlav& form = openForm();
        messages.clear(); // the port of the fixture never opens
        desktop().openDialog = [this](const QString& start) {
            dialogStarts.push_back(start);
            ++openDialogs;
            return chosenPath;
        };
        desktop().saveDialog = [this](const QString& start) {
            dialogStarts.push_back(start);
            ++saveDialogs;
            return chosenPath;
        };
        desktop().documentOpener = [this](const QUrl& url) {
            openedDocuments.push_back(url);
            return documentOpens;
        };
        return form;
    }

    /// A key press on the window, as the user presses a shortcut.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        // Shortcuts reach only an active window; a closed dialog may have left none active.
        if (!form().isActiveWindow()) {
            form().activateWindow();
            ASSERT_TRUE(QTest::qWaitForWindowActive(&form()));
        }
        QTest::keyClick(&form(), key, modifiers);
    }

    QString path(const QString& name) const { return m_dir.path() + "/" + name; }

    void writeText(const QString& file, const std::string& text) {
        ASSERT_TRUE(writeFileAtomically(file, text));
    }

    /// The image that New gives for `preset`, starting from `before`.
    static ParameterImage defaultsFor(ParameterImage before, std::uint8_t preset) {
        before[layout::kBike] = preset;
        applyDefaultSet(before);
        runConsistencyPass(before);
        return before;
    }

    /// Makes TabSheet_Ruzne the active page as the user does.
    QComboBox* showPresetChoice() {
        clickTab(12);
        EXPECT_EQ(form().activePageIndex(), 12);
        return childNamed<QComboBox>(form(), "ComboBoxBike");
    }

    /// Chooses preset `index` in the combo box's open list with a click, as the user does.
    void choosePreset(int index) {
        QComboBox* combo = childNamed<QComboBox>(form(), "ComboBoxBike");
        combo->showPopup();
        QAbstractItemView* list = combo->view();
        const QRect item = list->visualRect(list->model()->index(index, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, item.center());
    }

    QString chosenPath;
    std::vector<QString> dialogStarts;
    int openDialogs = 0;
    int saveDialogs = 0;
    std::vector<QUrl> openedDocuments;
    bool documentOpens = true;
};

} // namespace kordana::testing

/// Readable QString values in test failure messages.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
