#pragma once

#include "library/LibrarySync.h"

#include <QObject>

#include <filesystem>
#include <thread>

namespace kordana {

/// Runs syncLibrary on a thread of its own, one sync at a time, so the window never waits for
/// the remote. A sync asked for while one runs follows it once. The result comes back on the
/// thread that owns the runner (a queued call).
class LibrarySyncRunner : public QObject {
    Q_OBJECT

public:
    explicit LibrarySyncRunner(QObject* parent = nullptr);
    /// Waits for a running sync: the library's own handle is closed on its thread.
    ~LibrarySyncRunner() override;

    /// Syncs the library at `folder` now, or after the running sync.
    void start(const std::filesystem::path& folder, const LibrarySyncOptions& options);
    bool running() const { return m_thread.joinable(); }

signals:
    /// A sync ended (on the runner's thread).
    void finished(const kordana::LibrarySyncResult& result);

private:
    void launch();
    void ended(const LibrarySyncResult& result);

    std::thread m_thread;
    std::filesystem::path m_folder;
    LibrarySyncOptions m_options;
    bool m_again = false;
};

} // namespace kordana
