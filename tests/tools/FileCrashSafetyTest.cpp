// A writer killed at any moment while it replaces a file leaves the complete old or the
// complete new file behind, never a mixture, an empty file or none: for the parameter file
// (the real kordana-cli writing it), the settings file and the image cache (the window's
// atomic writer, in a forked child).

#include "CliTestProcess.h"

#include "params/DefaultSet.h"
#include "params/ImageLayout.h"
#include "settings/AtomicFile.h"
#include "settings/ImageCache.h"
#include "settings/IniFile.h"

#include <gtest/gtest.h>

#include <csignal>
#include <functional>
#include <random>
#include <set>
#include <string>

#include <spawn.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

namespace kordana {
namespace {

using clitest::binPath;

constexpr int kKills = 40;

std::string contentsOf(const std::string& path) {
    return readWholeFile(QString::fromStdString(path)).value_or("<missing>");
}

void pauseMicroseconds(long us) {
    const timespec pause{us / 1'000'000, (us % 1'000'000) * 1000};
    nanosleep(&pause, nullptr);
}

// Starts `child` in a process of its own, kills it after a random pause, and checks after
// every kill that `path` holds one of `complete`.
void killWhileWriting(const std::string& path, const std::set<std::string>& complete,
                      const std::function<pid_t(int round)>& child) {
    std::mt19937 dice(7);
    std::uniform_int_distribution<long> pause(0, 4000);
    for (int round = 0; round < kKills; ++round) {
        const pid_t pid = child(round);
        ASSERT_GT(pid, 0);
        pauseMicroseconds(pause(dice));
        kill(pid, SIGKILL);
        int status = 0;
        waitpid(pid, &status, 0);
        const std::string now = contentsOf(path);
        ASSERT_TRUE(complete.count(now) == 1)
            << "round " << round << ": " << now.size() << " bytes that are neither set";
    }
}

// A forked child that replaces `path` with the two texts in turn until it is killed.
pid_t forkAlternatingWriter(const std::string& path, const std::string& a, const std::string& b) {
    const pid_t pid = fork();
    if (pid == 0) {
        for (unsigned n = 0;; ++n) {
            writeFileAtomically(QString::fromStdString(path), (n % 2 == 0) ? a : b);
        }
    }
    return pid;
}

TEST(FileCrashSafety, KilledWritersLeaveTheOldOrTheNewFile) {
    clitest::ScratchDir dir;
    // The parameter file, written by kordana-cli itself: every complete state is the file of
    // one of the four presets.
    std::set<std::string> presetFiles;
    for (int preset = 0; preset < 4; ++preset) {
        const std::string reference = dir.path() + "/preset" + std::to_string(preset) + ".ign";
        ASSERT_EQ(
            clitest::runCli({"defaults", "--preset", std::to_string(preset), "--out", reference},
                            dir.path())
                .exitCode,
            0);
        presetFiles.insert(contentsOf(reference));
    }
    ASSERT_EQ(presetFiles.size(), 4U);
    const std::string tune = dir.path() + "/tune.ign";
    ASSERT_EQ(clitest::runCli({"defaults", "--preset", "0", "--out", tune}, dir.path()).exitCode,
              0);
    const std::string cli = binPath("kordana-cli");
    killWhileWriting(tune, presetFiles, [&](int round) {
        const std::string preset = std::to_string(1 + round % 3);
        std::vector<std::string> args{cli, "defaults", "--preset", preset, "--out", tune};
        std::vector<char*> argv;
        for (std::string& arg : args) {
            argv.push_back(arg.data());
        }
        argv.push_back(nullptr);
        pid_t pid = -1;
        posix_spawn(&pid, cli.c_str(), nullptr, nullptr, argv.data(), environ);
        return pid;
    });

    // The settings file: two versions that differ in length and in their middle.
    IniFile oldSettings;
    IniFile newSettings;
    for (int i = 0; i < 200; ++i) {
        oldSettings.write("FORM", "Key" + std::to_string(i), std::to_string(i));
        newSettings.write("FORM", "Key" + std::to_string(i), std::to_string(i * 1000));
    }
    const std::string ini = dir.path() + "/Kordana_R_2006.ini";
    ASSERT_TRUE(writeFileAtomically(QString::fromStdString(ini), oldSettings.text()));
    killWhileWriting(ini, {oldSettings.text(), newSettings.text()}, [&](int) {
        return forkAlternatingWriter(ini, newSettings.text(), oldSettings.text());
    });

    // The image cache: the default sets of two presets.
    ParameterImage image{};
    AllFlags flags{};
    applyDefaultSet(image);
    const std::string cacheA = formatImageCache(image, flags);
    image[layout::kBike] = 3;
    applyDefaultSet(image);
    flags.fill(1);
    const std::string cacheB = formatImageCache(image, flags);
    const std::string cache = dir.path() + "/_Kordana_R_2006.ini";
    ASSERT_TRUE(writeFileAtomically(QString::fromStdString(cache), cacheA));
    killWhileWriting(cache, {cacheA, cacheB},
                     [&](int) { return forkAlternatingWriter(cache, cacheB, cacheA); });
}

} // namespace
} // namespace kordana
