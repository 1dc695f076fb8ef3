#include "features/history/LibrarySyncRunner.h"

#include <QMetaObject>

namespace kordana {

LibrarySyncRunner::LibrarySyncRunner(QObject* parent) : QObject(parent) {}

LibrarySyncRunner::~LibrarySyncRunner() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void LibrarySyncRunner::start(const std::filesystem::path& folder,
                              const LibrarySyncOptions& options) {
    m_folder = folder;
    m_options = options;
    if (m_thread.joinable()) {
        m_again = true;
        return;
    }
    launch();
}

void LibrarySyncRunner::launch() {
    m_thread = std::thread([this, folder = m_folder, options = m_options] {
        const LibrarySyncResult result = syncLibrary(folder, options);
        // Delivered on the runner's thread; dropped when the runner is gone by then.
        QMetaObject::invokeMethod(
            this, [this, result] { ended(result); }, Qt::QueuedConnection);
    });
}

void LibrarySyncRunner::ended(const LibrarySyncResult& result) {
    m_thread.join();
    if (m_again) {
        m_again = false;
        launch();
    }
    emit finished(result);
}

} // namespace kordana
