// Log > Open log... of a long log: the progress window with its Cancel button, and the refusal
// of a log holding more values than the window keeps in memory.
#include "FormFixture.h"

#include "features/log/LogFeature.h"

#include "features/language/LanguageFeature.h"
#include "features/log/LogWindow.h"
#include "monitor/MonitorLog.h"

#include <QAction>
#include <QLabel>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>

namespace kordana {
namespace {

class LogReadProgress : public testing::FormFixture {
protected:
    QString writeLog(const char* name, int rows) {
        std::string text = "timestamp,elapsed_s,engine_speed_rpm,throttle_pct\n";
        for (int r = 0; r < rows; ++r) {
            text += "t," + std::to_string(r) + ",900,5\n";
        }
        const QString path = m_dir.path() + "/" + name;
        EXPECT_TRUE(writeFileAtomically(path, text));
        return path;
    }

    // Opens `path` through the menu; while it is read, clicks Cancel in the progress window
    // once it shows and keeps what the window said.
    void openAndCancel(TFormHlav& f, const QString& path) {
        desktop().logDialog = [path](const QString&) { return path; };
        QTimer clicker;
        clicker.setInterval(0);
        QObject::connect(&clicker, &QTimer::timeout, [&] {
            auto* dialog = f.findChild<QProgressDialog*>("LogReadProgress");
            if (dialog == nullptr || !dialog->isVisible()) {
                return;
            }
            clicker.stop();
            shownText = dialog->labelText();
            auto* cancel = dialog->findChild<QPushButton*>();
            ASSERT_NE(cancel, nullptr);
            buttonText = cancel->text();
            QTest::mouseClick(cancel, Qt::LeftButton);
        });
        clicker.start();
        f.action("MenuOpenLog")->trigger();
    }

    QString shownText;
    QString buttonText;
};

TEST_F(LogReadProgress, CancelKeepsTheLogShownInEveryLanguage) {
    const struct {
        void (LanguageFeature::*language)();
        const char* text;
        const char* button;
    } cases[] = {
        {&LanguageFeature::MenuEnglishClick, "Reading the monitor log...", "Cancel"},
        {&LanguageFeature::MenuGermanClick, "Monitorprotokoll wird gelesen...", "Abbrechen"},
        {&LanguageFeature::MenuFrenchClick, "Lecture du journal du moniteur...", "Annuler"},
        {&LanguageFeature::MenuCzechClick, "Čtení záznamu monitoru...", "Zrušit"},
    };
    TFormHlav& f = createForm();
    const QString shortLog = writeLog("short.csv", 3);
    const QString longLog = writeLog("long.csv", 200000); // about 3 MB: several read pieces
    ASSERT_TRUE(f.feature<LogFeature>()->openMonitorLog(shortLog));
    f.feature<LogFeature>()->logWindow()->setProgressDelay(0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        (f.feature<LanguageFeature>()->*c.language)();
        shownText.clear();
        openAndCancel(f, longLog);
        EXPECT_EQ(shownText, QString::fromUtf8(c.text));
        EXPECT_EQ(buttonText, QString::fromUtf8(c.button));
        ASSERT_NE(f.feature<LogFeature>()->logWindow()->log(), nullptr);
        EXPECT_EQ(f.feature<LogFeature>()->logWindow()->log()->rowCount(), 3u);
        EXPECT_EQ(childNamed<QLabel>(*f.feature<LogFeature>()->logWindow(), "LabelLogFile")->text(),
                  shortLog);
        EXPECT_FALSE(childNamed<QLabel>(*f.feature<LogFeature>()->logWindow(), "LabelLogMessage")
                         ->isVisibleTo(f.feature<LogFeature>()->logWindow()));
    }
    // Not cancelled, the long log opens, and its progress window is gone.
    ASSERT_TRUE(f.feature<LogFeature>()->openMonitorLog(longLog));
    EXPECT_EQ(f.feature<LogFeature>()->logWindow()->log()->rowCount(), 200000u);
    EXPECT_EQ(f.findChild<QProgressDialog*>("LogReadProgress"), nullptr);
}

TEST_F(LogReadProgress, ALogOfTooManyValuesIsRefusedInTheWindowsLanguage) {
    TFormHlav& f = createForm();
    f.feature<LanguageFeature>()->MenuCzechClick();
    f.feature<LogFeature>()->logWindow()->setReadLimits(kMaxMonitorLogBytes,
                                                        39); // 10 rows of 4 values are 40
    const QString path = writeLog("ten.csv", 10);
    EXPECT_FALSE(f.feature<LogFeature>()->openMonitorLog(path));
    auto* message = childNamed<QLabel>(*f.feature<LogFeature>()->logWindow(), "LabelLogMessage");
    EXPECT_TRUE(message->isVisibleTo(f.feature<LogFeature>()->logWindow()));
    EXPECT_EQ(message->text(),
              "Záznam monitoru nelze otevřít " + path +
                  ": 10 řádků po 4 hodnotách: více než 39 hodnot, které záznam pojme");
    EXPECT_EQ(f.feature<LogFeature>()->logWindow()->log(), nullptr);
}

} // namespace
} // namespace kordana
