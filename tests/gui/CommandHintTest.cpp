// The commands added to the established menus show their hints in the status bar, in the
// window's language, as the established commands do.
#include "FormFixture.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

#include <map>
#include <set>
#include <string>

namespace kordana {
namespace {

using CommandHint = testing::FormFixture;

QAction* command(const TFormHlav& form, const char* name) {
    if (QAction* item = form.action(name)) {
        return item;
    }
    const auto* menu = form.findChild<QMenu*>(name);
    return menu != nullptr ? menu->menuAction() : nullptr;
}

TEST_F(CommandHint, AddedCommandsShowTheirHintInEveryLanguage) {
    TFormHlav& form = createForm();
    auto* statusBar = childNamed<QStatusBar>(form, "StatusBar1");
    const char* const commands[] = {"MenuEdit",
                                    "MenuUndo",
                                    "MenuRedo",
                                    "MenuInterpolateRows",
                                    "MenuInterpolateColumns",
                                    "MenuInterpolateCorners",
                                    "MenuSmooth",
                                    "MenuEditSelection",
                                    "MenuCopyCells",
                                    "MenuPasteCells",
                                    "MenuView",
                                    "MenuHeatMap",
                                    "MenuCursorTrail",
                                    "MenuMap3D",
                                    "MenuLog",
                                    "MenuRecordLog",
                                    "MenuOpenLog",
                                    "MenuEarlierSets",
                                    "MenuCompare",
                                    "MenuTuneSheet",
                                    "MenuPrintPdf",
                                    "MenuAssignDevice"};
    const char* const languages[] = {"MenuEnglish", "MenuGerman", "MenuFrench", "MenuCzech"};
    std::map<std::string, std::set<QString>> hints; // one text per language
    for (const char* language : languages) {
        form.action(language)->trigger();
        for (const char* name : commands) {
            SCOPED_TRACE(std::string(name) + " in " + language);
            QAction* item = command(form, name);
            ASSERT_NE(item, nullptr);
            EXPECT_FALSE(item->statusTip().isEmpty());
            statusBar->clearMessage();
            item->showStatusText(&form); // as hovering the item does
            EXPECT_EQ(statusBar->currentMessage(), item->statusTip());
            hints[name].insert(item->statusTip());
        }
    }
    for (const char* name : commands) {
        EXPECT_EQ(hints[name].size(), 4u) << name << ": four languages, four texts";
    }
    // Two of them as written.
    form.action("MenuEnglish")->trigger();
    EXPECT_EQ(form.action("MenuUndo")->statusTip(), "Undo the last change of parameters");
    form.action("MenuGerman")->trigger();
    EXPECT_EQ(form.action("MenuPrintPdf")->statusTip(), "Kenndaten in eine PDF-Datei drucken");
}

} // namespace
} // namespace kordana
