#include "app/GuardedApplication.h"

#include <QEvent>
#include <QStringList>

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

namespace kordana {
namespace {

// An object whose handler of the user event runs `fail`.
class FailingReceiver : public QObject {
public:
    explicit FailingReceiver(std::function<void()> fail) : m_fail(std::move(fail)) {}
    bool event(QEvent* event) override {
        if (event->type() == QEvent::User) {
            m_fail();
            return true;
        }
        return QObject::event(event);
    }

private:
    std::function<void()> m_fail;
};

TEST(GuardedApplication, ExceptionFromAnEventHandlerIsShownAndEndsTheLoopWithCodeOne) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    int argc = 1;
    char name[] = "tests_app";
    char* argv[] = {name, nullptr};
    GuardedApplication app(argc, argv);
    QStringList shown;
    app.showError = [&](const QString& text) { shown << text; };
    EXPECT_FALSE(app.failed());

    const struct {
        std::function<void()> fail;
        QString text;
    } rows[] = {
        {[] { throw std::runtime_error("port vanished"); }, "port vanished"},
        {[] { throw 42; }, "Unknown error"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text.toStdString());
        shown.clear();
        FailingReceiver receiver(row.fail);
        QCoreApplication::postEvent(&receiver, new QEvent(QEvent::User));
        EXPECT_EQ(QApplication::exec(), 1);
        EXPECT_EQ(shown, QStringList{row.text});
        EXPECT_TRUE(app.failed());
    }

    // main's own catch, for a failure outside the event loop.
    shown.clear();
    try {
        throw std::logic_error("no window");
    } catch (...) {
        app.reportCurrentException();
    }
    EXPECT_EQ(shown, QStringList{"no window"});
}

} // namespace
} // namespace kordana
